#include "ImportError.h"

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

ImportError::ImportError(Kind kind, QString detail, qint64 number)
    : m_kind(kind), m_detail(std::move(detail)), m_number(number)
{
    m_utf8 = errorDescription().toUtf8();
}

ImportError ImportError::sectorNotFound(const QString &name)
{
    return ImportError(Kind::sectorNotFound, name, 0);
}

ImportError ImportError::httpStatus(int status)
{
    return ImportError(Kind::httpStatus, QString(), status);
}

ImportError ImportError::network(const QString &description)
{
    return ImportError(Kind::network, description, 0);
}

ImportError ImportError::emptySectorName()
{
    return ImportError(Kind::emptySectorName, QString(), 0);
}

ImportError ImportError::badResponse()
{
    return ImportError(Kind::badResponse, QString(), 0);
}

ImportError ImportError::timedOut()
{
    return ImportError(Kind::timedOut, QString(), 0);
}

ImportError ImportError::tooLarge(qint64 limitBytes)
{
    return ImportError(Kind::tooLarge, QString(), limitBytes);
}

// Only where the request was sent is named: the rest of the address is the service's
// to choose and may be long.
ImportError ImportError::redirectRefused(const QUrl &target)
{
    const QUrl place =
        target.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
    return ImportError(Kind::redirectRefused, place.toDisplayString(), 0);
}

ImportError ImportError::tooManyRedirects(int limit)
{
    return ImportError(Kind::tooManyRedirects, QString(), limit);
}

QString ImportError::errorDescription() const
{
    switch (m_kind) {
    case Kind::sectorNotFound:
        return u"Couldn't find a sector named \u201C"_s + m_detail + u"\u201D on Traveller Map."_s;
    case Kind::httpStatus:
        return u"Traveller Map returned an error (HTTP "_s + QString::number(m_number) +
               u"). Please try again."_s;
    case Kind::network: return u"Network error: "_s + m_detail + u". Please try again."_s;
    case Kind::emptySectorName: return u"Enter a sector name to import."_s;
    case Kind::badResponse: return u"Traveller Map returned data that couldn't be read."_s;
    case Kind::timedOut: return u"Traveller Map didn't answer in time. Please try again."_s;
    case Kind::tooLarge:
        return u"Traveller Map returned more than "_s + QString::number(m_number / (1024 * 1024)) +
               u" MB, far more than a sector holds, so its data couldn't be read."_s;
    case Kind::redirectRefused:
        return u"Traveller Map sent the request on to another address ("_s + m_detail +
               u"), which was not followed."_s;
    case Kind::tooManyRedirects:
        return u"Traveller Map sent the request on more than "_s + QString::number(m_number) +
               u" times, so it was stopped. Please try again later."_s;
    }
    return QString();
}

} // namespace TravellerMapImporter
