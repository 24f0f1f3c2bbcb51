#pragma once

#include "ImportError.h"

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QUrl>

#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace TravellerMapImporter {

// What the service sent for one request. `framed` tells whether the transfer showed
// where the body ends (a Content-Length that was met, or the end of an HTTP/2
// stream): a framed body cut short has already failed the request, while an unframed
// one ends wherever the connection closed, so only its contents can show it is whole.
struct ServiceAnswer
{
    QByteArray body;
    bool framed = true;
};

// One GET to the Traveller Map service, answered asynchronously on the thread of the
// network manager that sends it. It accepts only a 2xx answer of at most
// `maximumBytes`, stopping the transfer as soon as the answer is known to be larger;
// it follows redirects itself, only within the service's own host and at most
// `maximumRedirects` times; and it tells a time-out and an answer cut short against
// its framing apart from other failures. It finishes exactly once, never from within
// its constructor; deleting it stops the transfer at once.
class ServiceReply : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 maximumBytes = 8 * 1024 * 1024;
    static constexpr int maximumRedirects = 5;

    // Sends `request`; its address is the service's own. An empty address finishes
    // with badResponse.
    ServiceReply(QNetworkAccessManager *network, QNetworkRequest request, QObject *parent = nullptr);
    // Stops a transfer still under way; finished() is not emitted then.
    ~ServiceReply() override;

    // Whether a redirect of a request to `service` may go on to `target`: the same
    // host, by http or https, on the same port, or from http to https on its
    // standard port. Never to another host or by another scheme (file:, data:, ftp:).
    static bool mayFollow(const QUrl &service, const QUrl &target);

    // After finished(): the answer when there is no error.
    const ServiceAnswer &answer() const { return m_answer; }
    const std::optional<ImportError> &error() const { return m_error; }

signals:
    void finished();

private:
    void send(const QUrl &url);
    void checkDeclaredLength();
    void take();
    void transferEnded();
    // The outcome of a transfer that ended by itself and was not a redirect.
    std::optional<ImportError> outcome(const QNetworkReply &reply) const;
    // Ends the transfer under way with `reason`.
    void stop(const ImportError &reason);
    void finish(std::optional<ImportError> error);

    QNetworkAccessManager *m_network;
    QNetworkRequest m_request;
    QUrl m_service;
    QNetworkReply *m_reply = nullptr;
    int m_redirects = 0;
    std::optional<ImportError> m_stopReason;
    ServiceAnswer m_answer;
    std::optional<ImportError> m_error;
};

} // namespace TravellerMapImporter
