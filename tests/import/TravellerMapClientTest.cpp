#include "import/TravellerMapClient.h"
#include "LoopbackServer.h"
#include "import/ImportError.h"

#include <QFutureWatcher>
#include <QSignalSpy>
#include <QtConcurrent>

#include <gtest/gtest.h>

#include <functional>

using namespace TravellerMapImporter;
using namespace std::chrono_literals;

namespace {

const QByteArray kSector = "Sector\tHex\tName\tUWP\n"
                           "Test\t0101\tAlpha\tA788899-C\n";

// The message of the ImportError that `request` throws, or "no error".
QString errorOf(const std::function<void()> &request)
{
    try {
        request();
    } catch (const ImportError &error) {
        return error.errorDescription();
    }
    return QStringLiteral("no error");
}

} // namespace

TEST(TravellerMapClient, SendsTheFourRequestsWithTheirQueriesAndUserAgent)
{
    LoopbackServer server;
    server.answer("/api/coordinates", {200, R"({"sx": -4, "sy": -1})"});
    server.answer("/t5ss/allegiances", {200, R"([{"Code": "ImDd", "Name": "Deneb"}])"});
    server.answer("/api/sec", {200, kSector});
    server.answer("/api/metadata", {200, R"({"Names": [{"Text": "Test"}]})"});
    TravellerMapClient client(server.base());

    EXPECT_EQ(client.fetchCoordinates(QStringLiteral("Spinward Marches")), (SectorPosition{-4, 1}));
    EXPECT_EQ(client.fetchAllegiances().value(QStringLiteral("ImDd")), QStringLiteral("Deneb"));
    EXPECT_EQ(
        client.fetchSector(QStringLiteral("A&B+C"), QStringLiteral("C"), QStringLiteral("M1105")).size(), 1);
    EXPECT_EQ(client.fetchSector(QStringLiteral("Spinward Marches"), QString(), QString()).size(), 1);
    EXPECT_EQ(client.fetchMetadata(QStringLiteral("Spinward Marches"), QStringLiteral("M1105")).names.size(),
              1);
    EXPECT_EQ(client.fetchMetadata(QStringLiteral("Spinward Marches"), QString()).names.size(), 1);

    QList<QByteArray> targets;
    for (const RecordedRequest &request : server.requests()) {
        targets.append(request.target);
        EXPECT_EQ(request.userAgent, "Vostrel/1.0 (https://dulvane.com/; Linux app; sector import)");
    }
    EXPECT_EQ(targets, (QList<QByteArray>{
                           "/api/coordinates?sector=Spinward%20Marches",
                           "/t5ss/allegiances",
                           "/api/sec?sector=A%26B%2BC&type=TabDelimited&subsector=C&milieu=M1105",
                           "/api/sec?sector=Spinward%20Marches&type=TabDelimited",
                           "/api/metadata?sector=Spinward%20Marches&milieu=M1105",
                           "/api/metadata?sector=Spinward%20Marches",
                       }));
}

TEST(TravellerMapClient, MapsEachFailureToItsMessage)
{
    LoopbackServer server;
    TravellerMapClient client(server.base(), 300ms);
    const QString name = QStringLiteral("Nowhere Reach");
    const auto coordinates = [&] { client.fetchCoordinates(name); };
    const auto sector = [&] { client.fetchSector(name, QString(), QString()); };
    const auto metadata = [&] { client.fetchMetadata(name, QString()); };
    const QString notFound =
        QStringLiteral("Couldn't find a sector named \u201CNowhere Reach\u201D on Traveller Map.");
    const QString unreadable = QStringLiteral("Traveller Map returned data that couldn't be read.");

    server.answer("/api/coordinates", {404, "{}"});
    EXPECT_EQ(errorOf(coordinates), notFound);
    server.answer("/api/coordinates", {200, "<html>no</html>"});
    EXPECT_EQ(errorOf(coordinates), notFound);
    server.answer("/api/coordinates", {200, R"({"sx": 1.5, "sy": 0})"});
    EXPECT_EQ(errorOf(coordinates), notFound);
    server.answer("/api/coordinates", {500, "{}"});
    EXPECT_EQ(errorOf(coordinates),
              QStringLiteral("Traveller Map returned an error (HTTP 500). Please try again."));
    // A Y whose negative has no 64-bit value cannot be a position.
    server.answer("/api/coordinates", {200, R"({"sx": 0, "sy": -9223372036854775808})"});
    EXPECT_EQ(errorOf(coordinates), unreadable);

    server.answer("/api/sec", {404, kSector});
    EXPECT_EQ(errorOf(sector),
              QStringLiteral("Traveller Map returned an error (HTTP 404). Please try again."));
    server.answer("/api/sec", {200, "Hex\tName\tUWP\n0101\tBad \xC3\x28\tA788899-C\n"});
    EXPECT_EQ(errorOf(sector), unreadable);
    server.answer("/api/sec", {200, "<!DOCTYPE html>\n<html><body>Maintenance</body></html>\n"});
    EXPECT_EQ(errorOf(sector), unreadable);
    server.answer("/api/sec", {200, ""});
    EXPECT_EQ(errorOf(sector), unreadable);

    server.answer("/api/metadata", {200, "[1, 2]"});
    EXPECT_EQ(errorOf(metadata), unreadable);
    server.answer("/api/metadata", {200, "{\"Names\": "});
    EXPECT_EQ(errorOf(metadata), unreadable);
    server.answer("/api/metadata", {503, "{}"});
    EXPECT_EQ(errorOf(metadata),
              QStringLiteral("Traveller Map returned an error (HTTP 503). Please try again."));

    // An answer that never comes ends in the time-out, as a network error.
    server.answer("/api/metadata", {200, "{}", true});
    const QString timedOut = errorOf(metadata);
    EXPECT_TRUE(timedOut.startsWith(QStringLiteral("Network error: "))) << timedOut.toStdString();
    EXPECT_TRUE(timedOut.endsWith(QStringLiteral(". Please try again."))) << timedOut.toStdString();
    EXPECT_EQ(server.requests().size(), 13);

    TravellerMapClient noHost(QUrl(QStringLiteral("not an address")));
    EXPECT_EQ(errorOf([&] { noHost.fetchMetadata(name, {}); }), unreadable);
    EXPECT_TRUE(noHost.fetchAllegiances().isEmpty());
}

TEST(TravellerMapClient, AllegianceListNeverFailsAndKeepsTheLastOfACode)
{
    LoopbackServer server;
    TravellerMapClient client(server.base());
    server.answer("/t5ss/allegiances", {200, R"([{"Code": "Im", "Name": "First"}, {"Code": "Zh", "Name": ""},
        {"Code": 5, "Name": "Five"}, {"Code": "Im", "Name": "Second", "Extra": true}])"});
    EXPECT_EQ(client.fetchAllegiances(), (AllegianceTable{{QStringLiteral("Im"), QStringLiteral("Second")}}));

    for (const RecordedAnswer &failing :
         {RecordedAnswer{200, R"([{"Code": "Im", "Name": "Imperium"}, 7])"},
          RecordedAnswer{200, R"({"Code": "Im"})"}, RecordedAnswer{500, "[]"}}) {
        server.answer("/t5ss/allegiances", failing);
        EXPECT_TRUE(client.fetchAllegiances().isEmpty());
    }
}

TEST(TravellerMapClient, SectorDataWrappedInAJsonStringIsUnwrapped)
{
    LoopbackServer server;
    server.answer("/api/sec", {200, R"(  "# comment\nHex\tName\tUWP\n0102\tBeta \"B\"\tB000000-9\n"  )"});
    TravellerMapClient client(server.base());
    const QList<SectorRow> rows = client.fetchSector(QStringLiteral("X"), {}, {});
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value(QStringLiteral("Name")), QStringLiteral("Beta \"B\""));
}

// The import runs the client on a worker thread while the window's thread goes on
// serving events (here, the loopback server's).
TEST(TravellerMapClient, WorksOnAWorkerThreadWithoutBlockingTheCallingThread)
{
    LoopbackServer server;
    server.answer("/api/sec", {200, kSector});
    const QUrl base = server.base();
    QFutureWatcher<qsizetype> watcher;
    QSignalSpy finished(&watcher, &QFutureWatcher<qsizetype>::finished);
    watcher.setFuture(QtConcurrent::run([base] {
        TravellerMapClient client(base);
        return client.fetchSector(QStringLiteral("X"), {}, {}).size();
    }));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(watcher.result(), 1);
}
