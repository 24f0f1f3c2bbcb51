#pragma once

#include <QByteArray>
#include <QException>
#include <QString>
#include <QUrl>

namespace TravellerMapImporter {

// Why an import could not fetch what it needs, with the message the user is shown.
// The requests, the start of an import and the checks of whole answers raise it; the
// readers of rows and records never fail. It is a QException so that it can cross
// from a worker thread through a QFuture.
class ImportError : public QException
{
public:
    enum class Kind {
        sectorNotFound,
        httpStatus,
        network,
        emptySectorName,
        badResponse,
        // The service's own failures that the transfer guards against.
        timedOut,
        tooLarge,
        redirectRefused,
        tooManyRedirects,
    };

    static ImportError sectorNotFound(const QString &name);
    static ImportError httpStatus(int status);
    static ImportError network(const QString &description);
    static ImportError emptySectorName();
    static ImportError badResponse();
    static ImportError timedOut();
    // `limitBytes` is the bound the answer went past.
    static ImportError tooLarge(qint64 limitBytes);
    // `target` is the address the service sent the request on to.
    static ImportError redirectRefused(const QUrl &target);
    static ImportError tooManyRedirects(int limit);

    Kind kind() const { return m_kind; }
    // The sector name of sectorNotFound, the platform's text of network, the place
    // a refused redirect led to.
    const QString &detail() const { return m_detail; }
    // The HTTP status of httpStatus.
    int status() const { return int(m_number); }

    QString errorDescription() const;
    const char *what() const noexcept override { return m_utf8.constData(); }

    void raise() const override { throw *this; }
    ImportError *clone() const override { return new ImportError(*this); }

private:
    ImportError(Kind kind, QString detail, qint64 number);

    Kind m_kind;
    QString m_detail;
    qint64 m_number; // the HTTP status, or the bound that was passed
    QByteArray m_utf8;
};

} // namespace TravellerMapImporter
