#include "TravellerMapClient.h"

#include "ImportError.h"
#include "ImportText.h"

#include <QNetworkRequest>
#include <QStringDecoder>

#include <limits>

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

// Who to contact about the program's requests, named in the "User-Agent".
constexpr auto kContactAddress = "https://dulvane.com/";

constexpr auto kPublicService = "https://travellermap.com";

#if defined(Q_OS_MACOS)
constexpr auto kPlatform = "macOS app";
#elif defined(Q_OS_WIN)
constexpr auto kPlatform = "Windows app";
#else
constexpr auto kPlatform = "Linux app";
#endif

void addWhenGiven(TravellerMapClient::QueryItems &query, const QString &key, const QString &value)
{
    if (!value.isEmpty())
        query.append({key, value});
}

// A whole number of the coordinates answer; none for anything else.
std::optional<qint64> wholeNumber(const JsonObject &object, QLatin1StringView key)
{
    const JsonValue *value = object.find(key);
    if (!value || !value->isNumber() || value->toInteger(0) != value->toInteger(1))
        return std::nullopt;
    return value->toInteger();
}

} // namespace

TravellerMapClient::TravellerMapClient(QNetworkAccessManager *network, QUrl baseAddress,
                                       std::chrono::milliseconds timeout)
    : m_network(network), m_base(std::move(baseAddress)), m_timeout(timeout)
{}

QUrl TravellerMapClient::configuredBaseAddress()
{
    const QString configured = qEnvironmentVariable("VOSTREL_TRAVELLER_MAP_URL");
    return QUrl(configured.isEmpty() ? QString::fromLatin1(kPublicService) : configured);
}

QByteArray TravellerMapClient::userAgent()
{
    return "Vostrel/1.0 ("_ba + kContactAddress + "; "_ba + kPlatform + "; sector import)"_ba;
}

QUrl TravellerMapClient::address(const QString &path, const QueryItems &query) const
{
    if (!m_base.isValid() || m_base.scheme().isEmpty() || m_base.host().isEmpty())
        return QUrl();
    QUrl url = m_base;
    QString basePath = url.path();
    while (basePath.endsWith(u'/'))
        basePath.chop(1);
    url.setPath(basePath + path);
    QByteArray encoded;
    for (const auto &[key, value] : query) {
        if (!encoded.isEmpty())
            encoded += '&';
        encoded += QUrl::toPercentEncoding(key) + '=' + QUrl::toPercentEncoding(value);
    }
    url.setQuery(encoded.isEmpty() ? QString() : QString::fromLatin1(encoded), QUrl::StrictMode);
    url.setFragment(QString());
    return url.isValid() ? url : QUrl();
}

ServiceReply *TravellerMapClient::get(const QString &path, const QueryItems &query, QObject *parent) const
{
    QNetworkRequest request(address(path, query));
    request.setTransferTimeout(int(m_timeout.count()));
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    return new ServiceReply(m_network, request, parent);
}

ServiceReply *TravellerMapClient::requestCoordinates(const QString &sector, const QString &milieu,
                                                     QObject *parent) const
{
    QueryItems query{{u"sector"_s, sector}};
    addWhenGiven(query, u"milieu"_s, milieu);
    return get(u"/api/coordinates"_s, query, parent);
}

ServiceReply *TravellerMapClient::requestAllegiances(QObject *parent) const
{
    return get(u"/t5ss/allegiances"_s, {}, parent);
}

ServiceReply *TravellerMapClient::requestSector(const QString &name, const QString &subsector,
                                                const QString &milieu, QObject *parent) const
{
    QueryItems query{{u"sector"_s, name}, {u"type"_s, u"TabDelimited"_s}};
    addWhenGiven(query, u"subsector"_s, subsector);
    addWhenGiven(query, u"milieu"_s, milieu);
    return get(u"/api/sec"_s, query, parent);
}

ServiceReply *TravellerMapClient::requestMetadata(const QString &sector, const QString &milieu,
                                                  QObject *parent) const
{
    QueryItems query{{u"sector"_s, sector}};
    addWhenGiven(query, u"milieu"_s, milieu);
    return get(u"/api/metadata"_s, query, parent);
}

SectorPosition TravellerMapClient::readCoordinates(const ServiceReply &reply, const QString &sector)
{
    if (const auto &error = reply.error()) {
        if (error->kind() == ImportError::Kind::httpStatus && error->status() == 404)
            throw ImportError::sectorNotFound(sector);
        throw *error;
    }
    const auto json = parseAnswerJson(reply.answer().body);
    const JsonObject *object = json ? json->object() : nullptr;
    const auto sx = object ? wholeNumber(*object, "sx"_L1) : std::nullopt;
    const auto sy = object ? wholeNumber(*object, "sy"_L1) : std::nullopt;
    if (!sx || !sy)
        throw ImportError::sectorNotFound(sector);
    // Our sector Y grows upwards; a Y whose negative does not exist is no position.
    if (*sy == std::numeric_limits<qint64>::min())
        throw ImportError::badResponse();
    return SectorPosition{*sx, -*sy};
}

AllegianceTable TravellerMapClient::readAllegiances(QByteArrayView body)
{
    AllegianceTable table;
    const auto json = parseAnswerJson(body);
    const JsonArray *entries = json ? json->array() : nullptr;
    if (!entries)
        return table;
    for (const JsonValue &entry : *entries) {
        if (!entry.isObject())
            return {};
    }
    for (const JsonValue &entry : *entries) {
        const QString code = entry["Code"_L1].toString();
        const QString name = entry["Name"_L1].toString();
        if (!code.isEmpty() && !name.isEmpty())
            table.insert(code, name);
    }
    return table;
}

QList<SectorRow> TravellerMapClient::readSector(const ServiceAnswer &answer)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(answer.body);
    if (decoder.hasError())
        throw ImportError::badResponse();
    SectorTable table = SectorTable::read(text);
    if (!table.isSectorData() || (!answer.framed && !table.lastLineEnded))
        throw ImportError::badResponse();
    return std::move(table.rows);
}

SectorMetadata TravellerMapClient::readMetadata(QByteArrayView body)
{
    auto metadata = SectorMetadata::decode(body);
    if (!metadata)
        throw ImportError::badResponse();
    return *std::move(metadata);
}

} // namespace TravellerMapImporter
