#include "ImportError.h"

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

ImportError::ImportError(Kind kind, QString detail, int status)
    : m_kind(kind), m_detail(std::move(detail)), m_status(status)
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

QString ImportError::errorDescription() const
{
    switch (m_kind) {
    case Kind::sectorNotFound:
        return u"Couldn't find a sector named \u201C"_s + m_detail + u"\u201D on Traveller Map."_s;
    case Kind::httpStatus:
        return u"Traveller Map returned an error (HTTP "_s + QString::number(m_status) +
               u"). Please try again."_s;
    case Kind::network: return u"Network error: "_s + m_detail + u". Please try again."_s;
    case Kind::emptySectorName: return u"Enter a sector name to import."_s;
    case Kind::badResponse: return u"Traveller Map returned data that couldn't be read."_s;
    }
    return QString();
}

} // namespace TravellerMapImporter
