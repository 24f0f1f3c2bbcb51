#include "ServiceReply.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

// The statuses that send a request on to their Location.
bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

int standardPort(const QString &scheme)
{
    return scheme == "https"_L1 ? 443 : 80;
}

} // namespace

ServiceReply::ServiceReply(QNetworkAccessManager *network, QNetworkRequest request, QObject *parent)
    : QObject(parent), m_network(network), m_request(std::move(request)), m_service(m_request.url())
{
    // Redirects are checked and counted here, not by the network manager.
    m_request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // The body as sent, so that its length can be held against the declared one.
    m_request.setRawHeader("Accept-Encoding", "identity");
    if (m_service.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { finish(ImportError::badResponse()); }, Qt::QueuedConnection);
        return;
    }
    send(m_service);
}

ServiceReply::~ServiceReply()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool ServiceReply::mayFollow(const QUrl &service, const QUrl &target)
{
    if (target.host().isEmpty() || target.host().compare(service.host(), Qt::CaseInsensitive) != 0)
        return false;
    const QString from = service.scheme();
    const QString to = target.scheme();
    const int toPort = target.port(standardPort(to));
    if (to == from && (to == "http"_L1 || to == "https"_L1))
        return toPort == service.port(standardPort(from));
    return from == "http"_L1 && to == "https"_L1 && toPort == standardPort(to);
}

void ServiceReply::send(const QUrl &url)
{
    m_request.setUrl(url);
    m_answer.body.clear();
    m_reply = m_network->get(m_request);
    m_reply->setParent(this);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &ServiceReply::checkDeclaredLength);
    connect(m_reply, &QNetworkReply::readyRead, this, &ServiceReply::take);
    connect(m_reply, &QNetworkReply::finished, this, &ServiceReply::transferEnded);
}

void ServiceReply::checkDeclaredLength()
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maximumBytes)
        stop(ImportError::tooLarge(maximumBytes));
}

// The body is taken as it arrives, so that an answer past the bound is stopped
// before it is held in memory.
void ServiceReply::take()
{
    m_answer.body += m_reply->readAll();
    if (m_answer.body.size() > maximumBytes)
        stop(ImportError::tooLarge(maximumBytes));
}

void ServiceReply::stop(const ImportError &reason)
{
    m_stopReason = reason;
    QNetworkReply *reply = m_reply;
    reply->abort();
    // abort() normally reports the end itself.
    if (m_reply == reply)
        transferEnded();
}

void ServiceReply::transferEnded()
{
    QNetworkReply *reply = std::exchange(m_reply, nullptr);
    reply->disconnect(this);
    reply->deleteLater();
    if (m_stopReason)
        return finish(m_stopReason);

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (status.isValid() && isRedirect(status.toInt()) && !target.isEmpty()) {
        const QUrl next = reply->url().resolved(target);
        if (!mayFollow(m_service, next))
            return finish(ImportError::redirectRefused(next));
        if (m_redirects == maximumRedirects)
            return finish(ImportError::tooManyRedirects(maximumRedirects));
        ++m_redirects;
        return send(next);
    }

    std::optional<ImportError> error = outcome(*reply);
    if (!error) {
        m_answer.body += reply->readAll();
        // The network manager may take a connection closed early for the end of the
        // body, whatever its framing said: the declared length is held against what
        // came, and chunks, whose last one it does not report, count as no framing.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (m_answer.body.size() > maximumBytes)
            error = ImportError::tooLarge(maximumBytes);
        else if (length.isValid() && length.toLongLong() != m_answer.body.size())
            error = ImportError::badResponse();
        m_answer.framed =
            length.isValid() || reply->attribute(QNetworkRequest::Http2WasUsedAttribute).toBool();
    }
    finish(std::move(error));
}

std::optional<ImportError> ServiceReply::outcome(const QNetworkReply &reply) const
{
    // The status decides first: an error page is the service's answer, not a failure
    // of the transfer.
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && !isSuccess(status.toInt()))
        return ImportError::httpStatus(status.toInt());
    switch (reply.error()) {
    case QNetworkReply::NoError: break;
    // Nothing here cancels a transfer but its own time-out.
    case QNetworkReply::OperationCanceledError: return ImportError::timedOut();
    // After the status line, a close means the body ended before its length or its
    // last chunk said it would.
    case QNetworkReply::RemoteHostClosedError:
        if (status.isValid())
            return ImportError::badResponse();
        return ImportError::network(reply.errorString());
    default: return ImportError::network(reply.errorString());
    }
    if (!status.isValid())
        return ImportError::badResponse();
    return std::nullopt;
}

void ServiceReply::finish(std::optional<ImportError> error)
{
    m_error = std::move(error);
    emit finished();
}

} // namespace TravellerMapImporter
