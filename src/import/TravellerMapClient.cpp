#include "TravellerMapClient.h"

#include "ImportError.h"
#include "json/JsonParser.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>

#include <limits>
#include <memory>

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

TravellerMapClient::TravellerMapClient(QUrl baseAddress, std::chrono::milliseconds timeout)
    : m_base(std::move(baseAddress)), m_timeout(timeout)
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

QByteArray TravellerMapClient::fetchData(const QString &path, const QueryItems &query)
{
    const QUrl url = address(path, query);
    if (url.isEmpty())
        throw ImportError::badResponse();
    QNetworkRequest request(url);
    request.setTransferTimeout(int(m_timeout.count()));
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());

    const std::unique_ptr<QNetworkReply> reply(m_network.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    // The status decides first: an error page is the service's answer, not a
    // failure of the transfer.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        throw ImportError::httpStatus(status.toInt());
    if (reply->error() != QNetworkReply::NoError)
        throw ImportError::network(reply->errorString());
    if (!status.isValid())
        throw ImportError::badResponse();
    return reply->readAll();
}

SectorPosition TravellerMapClient::fetchCoordinates(const QString &sector)
{
    QByteArray body;
    try {
        body = fetchData(u"/api/coordinates"_s, {{u"sector"_s, sector}});
    } catch (const ImportError &error) {
        if (error.kind() == ImportError::Kind::httpStatus && error.status() == 404)
            throw ImportError::sectorNotFound(sector);
        throw;
    }
    const auto json = JsonParser::parse(body);
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

AllegianceTable TravellerMapClient::fetchAllegiances()
{
    AllegianceTable table;
    QByteArray body;
    try {
        body = fetchData(u"/t5ss/allegiances"_s);
    } catch (const ImportError &) {
        return table;
    }
    const auto json = JsonParser::parse(body);
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

QList<SectorRow> TravellerMapClient::fetchSector(const QString &name, const QString &subsector,
                                                 const QString &milieu)
{
    QueryItems query{{u"sector"_s, name}, {u"type"_s, u"TabDelimited"_s}};
    addWhenGiven(query, u"subsector"_s, subsector);
    addWhenGiven(query, u"milieu"_s, milieu);
    const QByteArray body = fetchData(u"/api/sec"_s, query);

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(body);
    if (decoder.hasError())
        throw ImportError::badResponse();
    SectorTable table = SectorTable::read(text);
    if (!table.isSectorData())
        throw ImportError::badResponse();
    return std::move(table.rows);
}

SectorMetadata TravellerMapClient::fetchMetadata(const QString &sector, const QString &milieu)
{
    QueryItems query{{u"sector"_s, sector}};
    addWhenGiven(query, u"milieu"_s, milieu);
    auto metadata = SectorMetadata::decode(fetchData(u"/api/metadata"_s, query));
    if (!metadata)
        throw ImportError::badResponse();
    return *std::move(metadata);
}

} // namespace TravellerMapImporter
