#include "import/TravellerMapClient.h"
#include "LoopbackServer.h"
#include "import/ImportError.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

using namespace TravellerMapImporter;
using namespace std::chrono_literals;

namespace {

const QByteArray kSector = "Sector\tHex\tName\tUWP\n"
                           "Test\t0101\tAlpha\tA788899-C\n";
const QString kUnreadable = QStringLiteral("Traveller Map returned data that couldn't be read.");
const QString kTooLarge = QStringLiteral(
    "Traveller Map returned more than 8 MB, far more than a sector holds, so its data couldn't be read.");

// A client of the loopback service, and a way to wait for its replies.
class ClientTest : public ::testing::Test
{
protected:
    TravellerMapClient client(std::chrono::milliseconds timeout = TravellerMapClient::defaultTimeout)
    {
        return TravellerMapClient(&m_network, m_server.base(), timeout);
    }

    // The reply once it has finished.
    static std::unique_ptr<ServiceReply> finished(ServiceReply *sent)
    {
        std::unique_ptr<ServiceReply> reply(sent);
        QSignalSpy spy(reply.get(), &ServiceReply::finished);
        EXPECT_TRUE(spy.wait(20000));
        EXPECT_EQ(spy.count(), 1);
        return reply;
    }

    // The message of a reply's error, or "no error".
    static QString errorOf(ServiceReply *sent)
    {
        const auto reply = finished(sent);
        return reply->error() ? reply->error()->errorDescription() : QStringLiteral("no error");
    }

    // The message that reading a sector answer gives, or how many rows it holds.
    static QString readSector(ServiceReply *sent)
    {
        const auto reply = finished(sent);
        try {
            if (reply->error())
                throw *reply->error();
            return QString::number(TravellerMapClient::readSector(reply->answer()).size()) +
                   QStringLiteral(" rows");
        } catch (const ImportError &error) {
            return error.errorDescription();
        }
    }

    QString readCoordinates(ServiceReply *sent, const QString &name = QStringLiteral("Nowhere Reach"))
    {
        const auto reply = finished(sent);
        try {
            const SectorPosition position = TravellerMapClient::readCoordinates(*reply, name);
            return QStringLiteral("%1,%2").arg(position.x).arg(position.y);
        } catch (const ImportError &error) {
            return error.errorDescription();
        }
    }

    ServiceReply *sector() { return client().requestSector(QStringLiteral("X"), {}, {}, nullptr); }
    ServiceReply *coordinates() { return client().requestCoordinates(QStringLiteral("X"), {}, nullptr); }

    LoopbackServer m_server;
    QNetworkAccessManager m_network;
};

} // namespace

TEST_F(ClientTest, SendsTheFourRequestsWithTheirQueriesAndUserAgent)
{
    m_server.answer("/api/coordinates", {200, R"({"sx": -4, "sy": -1})"});
    m_server.answer("/t5ss/allegiances", {200, R"([{"Code": "ImDd", "Name": "Deneb"}])"});
    m_server.answer("/api/sec", {200, kSector});
    m_server.answer("/api/metadata", {200, R"({"Names": [{"Text": "Test"}]})"});
    const QString name = QStringLiteral("Spinward Marches");
    const QString milieu = QStringLiteral("M1105");

    EXPECT_EQ(readCoordinates(client().requestCoordinates(name, milieu, nullptr)), QStringLiteral("-4,1"));
    EXPECT_EQ(readCoordinates(client().requestCoordinates(name, {}, nullptr)), QStringLiteral("-4,1"));
    const auto allegiances = finished(client().requestAllegiances(nullptr));
    EXPECT_EQ(TravellerMapClient::readAllegiances(allegiances->answer().body).value(QStringLiteral("ImDd")),
              QStringLiteral("Deneb"));
    EXPECT_EQ(
        readSector(client().requestSector(QStringLiteral("A&B+C"), QStringLiteral("C"), milieu, nullptr)),
        QStringLiteral("1 rows"));
    EXPECT_EQ(readSector(client().requestSector(name, {}, {}, nullptr)), QStringLiteral("1 rows"));
    const auto metadata = finished(client().requestMetadata(name, milieu, nullptr));
    EXPECT_EQ(TravellerMapClient::readMetadata(metadata->answer().body).names.size(), 1);
    finished(client().requestMetadata(name, {}, nullptr));

    QList<QByteArray> targets;
    for (const RecordedRequest &request : m_server.requests()) {
        targets.append(request.target);
        EXPECT_EQ(request.userAgent, "Vostrel/1.0 (https://dulvane.com/; Linux app; sector import)");
    }
    EXPECT_EQ(targets, (QList<QByteArray>{
                           "/api/coordinates?sector=Spinward%20Marches&milieu=M1105",
                           "/api/coordinates?sector=Spinward%20Marches",
                           "/t5ss/allegiances",
                           "/api/sec?sector=A%26B%2BC&type=TabDelimited&subsector=C&milieu=M1105",
                           "/api/sec?sector=Spinward%20Marches&type=TabDelimited",
                           "/api/metadata?sector=Spinward%20Marches&milieu=M1105",
                           "/api/metadata?sector=Spinward%20Marches",
                       }));
}

TEST_F(ClientTest, MapsEachFailureToItsMessage)
{
    const QString notFound =
        QStringLiteral("Couldn't find a sector named \u201CNowhere Reach\u201D on Traveller Map.");
    const auto httpError = [](int status) {
        return QStringLiteral("Traveller Map returned an error (HTTP %1). Please try again.").arg(status);
    };

    m_server.answer("/api/coordinates", {404, "{}"});
    EXPECT_EQ(readCoordinates(coordinates()), notFound);
    m_server.answer("/api/coordinates", {200, "<html>no</html>"});
    EXPECT_EQ(readCoordinates(coordinates()), notFound);
    m_server.answer("/api/coordinates", {200, R"({"sx": 1.5, "sy": 0})"});
    EXPECT_EQ(readCoordinates(coordinates()), notFound);
    m_server.answer("/api/coordinates", {500, "{}"});
    EXPECT_EQ(readCoordinates(coordinates()), httpError(500));
    // A Y whose negative has no 64-bit value cannot be a position.
    m_server.answer("/api/coordinates", {200, R"({"sx": 0, "sy": -9223372036854775808})"});
    EXPECT_EQ(readCoordinates(coordinates()), kUnreadable);
    // A 3xx that does not send the request on is no success, whatever its body.
    for (const int status : {300, 302, 304}) {
        m_server.answer("/api/coordinates", {status, R"({"sx": 1, "sy": 2})"});
        EXPECT_EQ(readCoordinates(coordinates()), httpError(status));
    }

    m_server.answer("/api/sec", {404, kSector});
    EXPECT_EQ(readSector(sector()), httpError(404));
    m_server.answer("/api/sec", {200, "Hex\tName\tUWP\n0101\tBad \xC3\x28\tA788899-C\n"});
    EXPECT_EQ(readSector(sector()), kUnreadable);
    m_server.answer("/api/sec", {200, "<!DOCTYPE html>\n<html><body>Maintenance</body></html>\n"});
    EXPECT_EQ(readSector(sector()), kUnreadable);
    m_server.answer("/api/sec", {200, ""});
    EXPECT_EQ(readSector(sector()), kUnreadable);

    for (const QByteArray &body : {QByteArray("[1, 2]"), QByteArray("{\"Names\": ")}) {
        m_server.answer("/api/metadata", {200, body});
        const auto reply = finished(client().requestMetadata(QStringLiteral("X"), {}, nullptr));
        EXPECT_THROW(TravellerMapClient::readMetadata(reply->answer().body), ImportError);
    }
    EXPECT_TRUE(TravellerMapClient::readAllegiances("{\"Code\": ").isEmpty());

    // An answer that never comes ends in the (here shortened) transfer time-out.
    m_server.answer("/api/metadata", {200, "{}", true});
    EXPECT_EQ(errorOf(client(300ms).requestMetadata(QStringLiteral("X"), {}, nullptr)),
              QStringLiteral("Traveller Map didn't answer in time. Please try again."));

    TravellerMapClient noHost(&m_network, QUrl(QStringLiteral("not an address")));
    EXPECT_EQ(errorOf(noHost.requestMetadata(QStringLiteral("X"), {}, nullptr)), kUnreadable);
}

TEST(TravellerMapAnswers, AllegianceListNeverFailsAndKeepsTheLastOfACode)
{
    EXPECT_EQ(
        TravellerMapClient::readAllegiances(R"([{"Code": "Im", "Name": "First"}, {"Code": "Zh", "Name": ""},
        {"Code": 5, "Name": "Five"}, {"Code": "Im", "Name": "Second", "Extra": true}])"),
        (AllegianceTable{{QStringLiteral("Im"), QStringLiteral("Second")}}));
    for (const char *failing : {R"([{"Code": "Im", "Name": "Imperium"}, 7])", R"({"Code": "Im"})", ""})
        EXPECT_TRUE(TravellerMapClient::readAllegiances(failing).isEmpty()) << failing;
}

TEST(TravellerMapAnswers, SectorDataWrappedInAJsonStringIsUnwrapped)
{
    const QList<SectorRow> rows = TravellerMapClient::readSector(
        {R"(  "# comment\nHex\tName\tUWP\n0102\tBeta \"B\"\tB000000-9\n"  )", true});
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value(QStringLiteral("Name")), QStringLiteral("Beta \"B\""));
}

// The connection closing early must not pass for the end of the answer.
TEST_F(ClientTest, AnAnswerThatEndsBeforeItsFramingSaysCannotBeRead)
{
    using Framing = RecordedAnswer::Framing;
    const QByteArray unended = kSector + "Test\t0102\tBet";
    const struct
    {
        RecordedAnswer answer;
        QString expected;
    } cases[] = {
        {{200, kSector.left(30), false, Framing::length, kSector.size()}, kUnreadable},
        {{200, unended, false, Framing::cutChunks}, kUnreadable},
        {{200, unended, false, Framing::close}, kUnreadable},
        {{200, kSector, false, Framing::close}, QStringLiteral("1 rows")},
        {{200, kSector, false, Framing::chunks}, QStringLiteral("1 rows")},
        {{200, "Hex\tName\tUWP\r\n0101\tA\tA788899-C\r\n", false, Framing::close}, QStringLiteral("1 rows")},
        {{200, R"("Hex\tName\tUWP\n0101\tA\tA788899-C\n")", false, Framing::close}, QStringLiteral("1 rows")},
        // With its whole length come, a last row without a line break is whole.
        {{200, unended, false, Framing::length}, QStringLiteral("2 rows")},
    };
    for (const auto &[answer, expected] : cases) {
        m_server.answer("/api/sec", answer);
        EXPECT_EQ(readSector(sector()), expected) << answer.body.toStdString();
    }
}

TEST_F(ClientTest, AnswersOverTheBoundAreRefused)
{
    using Framing = RecordedAnswer::Framing;
    const QByteArray limit(ServiceReply::maximumBytes, 'x');
    // The bound itself is allowed.
    m_server.answer("/api/sec", {200, limit, false, Framing::close});
    const auto atLimit = finished(sector());
    EXPECT_FALSE(atLimit->error());
    EXPECT_EQ(atLimit->answer().body.size(), ServiceReply::maximumBytes);

    // One byte more, announced or not; and a length announced without the body.
    for (const RecordedAnswer &answer : {RecordedAnswer{200, limit + 'y', false, Framing::close},
                                         RecordedAnswer{200, limit + 'y', false, Framing::chunks},
                                         RecordedAnswer{200, "x", false, Framing::length, qint64(1) << 40}}) {
        m_server.answer("/api/sec", answer);
        EXPECT_EQ(errorOf(sector()), kTooLarge);
    }
    // The transfer stops at the bound rather than waiting for the answer's end.
    m_server.answer("/api/sec", {200, limit + 'y', false, Framing::close, {}, {}, true});
    EXPECT_EQ(errorOf(client(2s).requestSector(QStringLiteral("X"), {}, {}, nullptr)), kTooLarge);
}

TEST_F(ClientTest, RedirectsAreFollowedOnlyOnTheServiceHostAndOnlyFiveTimes)
{
    LoopbackServer elsewhere;
    elsewhere.answer("/api/coordinates", {200, R"({"sx": 9, "sy": 9})"});
    m_server.answer("/api/coordinates", {302, {}, false, {}, {}, "/hop1?sector=X"});
    for (int hop = 1; hop < 5; ++hop)
        m_server.answer("/hop" + QByteArray::number(hop),
                        {307, {}, false, {}, {}, "/hop" + QByteArray::number(hop + 1)});
    m_server.answer("/hop5", {200, R"({"sx": 3, "sy": 4})"});
    EXPECT_EQ(readCoordinates(coordinates()), QStringLiteral("3,-4"));
    EXPECT_EQ(m_server.requests().size(), 6);

    const QString refused =
        QStringLiteral("Traveller Map sent the request on to another address (%1), which was not followed.");
    const QByteArray other = "http://localhost:" + QByteArray::number(elsewhere.port());
    const struct
    {
        QByteArray location;
        QString shown;
    } refusals[] = {
        {other + "/api/coordinates", QString::fromLatin1(other)},
        {"file:///etc/passwd", QStringLiteral("file://")},
        {"data:application/json,{\"sx\":1,\"sy\":1}", QStringLiteral("data:")},
        {"ftp://127.0.0.1/api/coordinates", QStringLiteral("ftp://127.0.0.1")},
    };
    for (const auto &[location, shown] : refusals) {
        m_server.answer("/api/coordinates", {301, {}, false, {}, {}, location});
        EXPECT_EQ(readCoordinates(coordinates()), refused.arg(shown)) << location.toStdString();
    }
    EXPECT_TRUE(elsewhere.requests().isEmpty());

    // A loop ends after the bound: the first request and five redirects.
    const qsizetype before = m_server.requests().size();
    m_server.answer("/api/coordinates", {302, {}, false, {}, {}, "/api/coordinates?sector=X"});
    EXPECT_EQ(readCoordinates(coordinates()),
              QStringLiteral("Traveller Map sent the request on more than 5 times, so it was stopped. "
                             "Please try again later."));
    EXPECT_EQ(m_server.requests().size() - before, 6);
}

TEST(ServiceReplyRedirects, StayOnTheServiceHostAndNeverLessSafe)
{
    const auto allowed = [](const char *service, const char *target) {
        return ServiceReply::mayFollow(QUrl(QString::fromLatin1(service)), QUrl(QString::fromLatin1(target)));
    };
    EXPECT_TRUE(allowed("https://travellermap.com", "https://TravellerMap.com/api/sec"));
    EXPECT_TRUE(allowed("http://travellermap.com", "https://travellermap.com/api/sec"));
    EXPECT_TRUE(allowed("http://127.0.0.1:8080", "http://127.0.0.1:8080/x"));
    EXPECT_FALSE(allowed("https://travellermap.com", "http://travellermap.com/api/sec"));
    EXPECT_FALSE(allowed("https://travellermap.com", "https://travellermap.com.evil.example/"));
    EXPECT_FALSE(allowed("http://127.0.0.1:8080", "http://127.0.0.1:8081/x"));
    EXPECT_FALSE(allowed("http://127.0.0.1:8080", "https://127.0.0.1:8443/x"));
    EXPECT_FALSE(allowed("https://travellermap.com", "ftp://travellermap.com/"));
}
