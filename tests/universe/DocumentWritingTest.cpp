// The text a save writes, made one system at a time as it goes to the file, against
// the whole document written at once: the same bytes for any universe. A write that
// fails half-way leaves the old file, and a file replaced keeps its permissions; a
// write keeps the document as it was when the write began, whatever is edited
// meanwhile, while the edits reach the next one.
#include "JsonTestSupport.h"
#include "QtJsonComparison.h"
#include "RandomRecords.h"
#include "RunningWaits.h"
#include "SeededSource.h"
#include "UniverseStoreSupport.h"
#include "model/TestRecords.h"

#include "model/StarSystemGeneration.h"
#include "universe/AtomicFileWriter.h"
#include "json/DecodeError.h"

#include <QJsonDocument>
#include <QSemaphore>

#include <atomic>
#include <cmath>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace random_records;
using test_records::aHex;

namespace {

QByteArray streamed(const UniverseContents &contents)
{
    QByteArray text;
    EXPECT_TRUE(contents.writeJson([&](QByteArrayView piece) {
        text.append(piece);
        return true;
    }));
    return text;
}

// Values at the edges of what the writer must spell out: unpaired surrogates,
// control characters, the smallest and largest doubles and a negative zero.
void putEdgeValues(UniverseContents &contents)
{
    contents.name = QString(QChar(0xD800)) + u"\u0001\u001F\u007F\u2028 \U0010FFFF"_s;
    if (contents.data.isEmpty())
        return;
    const qsizetype last = contents.data.size() - 1;
    HexData hex = contents.data.at(last);
    hex.notes = QString(QChar(0xDC00)) + u"\"\\/\b\f\n\r\t"_s;
    const double masses[] = {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                             -0.0, 1e-7, 123456789.125};
    for (qsizetype s = 0; s < hex.starSystem.stars.size(); ++s)
        hex.starSystem.stars[s].mass = masses[s % std::size(masses)];
    hex.starSystem.gasGiant = std::numeric_limits<qint64>::min();
    contents.data.replace(last, hex);
}

// Puts every stored field of `contents` into the document through its setters.
void assign(StarfarerUniverse &universe, const UniverseContents &contents)
{
    universe.setId(contents.id);
    universe.setName(contents.name);
    universe.setData(contents.data.toList());
    universe.setFactions(contents.factions);
    universe.setFactionLists(contents.factionLists);
    universe.setRutters(contents.rutters);
    universe.setNebulae(contents.nebulae);
    universe.setRegions(contents.regions);
    universe.setStarmapLabels(contents.starmapLabels);
    universe.setHiddenLabelCategories(contents.hiddenLabelCategories);
    universe.setMapViewMode(contents.mapViewMode);
    universe.setMapShowRutters(contents.mapShowRutters);
    universe.setMapShowNebulae(contents.mapShowNebulae);
    universe.setMapShowRegions(contents.mapShowRegions);
    universe.setMapShowLabels(contents.mapShowLabels);
    universe.setMapShowSurveyedData(contents.mapShowSurveyedData);
    universe.setMapShowStarfarers(contents.mapShowStarfarers);
    universe.setMapShowSathar(contents.mapShowSathar);
    universe.setMapShowOther(contents.mapShowOther);
    universe.setSelectedFactionIDs(contents.selectedFactionIDs);
}

// Every stored field of the document equals the plain value it was given.
void expectHolds(const StarfarerUniverse &universe, const UniverseContents &contents)
{
    EXPECT_EQ(universe.id(), contents.id);
    EXPECT_EQ(universe.name(), contents.name);
    EXPECT_EQ(universe.data(), contents.data);
    EXPECT_EQ(universe.factions(), contents.factions);
    EXPECT_EQ(universe.factionLists(), contents.factionLists);
    EXPECT_EQ(universe.rutters(), contents.rutters);
    EXPECT_EQ(universe.nebulae(), contents.nebulae);
    EXPECT_EQ(universe.regions(), contents.regions);
    EXPECT_EQ(universe.starmapLabels(), contents.starmapLabels);
    EXPECT_EQ(universe.hiddenLabelCategories(), contents.hiddenLabelCategories);
    EXPECT_EQ(universe.mapViewMode(), contents.mapViewMode);
    EXPECT_EQ(universe.mapShowRutters(), contents.mapShowRutters);
    EXPECT_EQ(universe.mapShowNebulae(), contents.mapShowNebulae);
    EXPECT_EQ(universe.mapShowRegions(), contents.mapShowRegions);
    EXPECT_EQ(universe.mapShowLabels(), contents.mapShowLabels);
    EXPECT_EQ(universe.mapShowSurveyedData(), contents.mapShowSurveyedData);
    EXPECT_EQ(universe.mapShowStarfarers(), contents.mapShowStarfarers);
    EXPECT_EQ(universe.mapShowSathar(), contents.mapShowSathar);
    EXPECT_EQ(universe.mapShowOther(), contents.mapShowOther);
    EXPECT_EQ(universe.selectedFactionIDs(), contents.selectedFactionIDs);
}

} // namespace

TEST(DocumentWriting, StreamedTextIsTheWholeDocumentsTextByteForByte)
{
    SeededSource source(20250107);
    ScopedRandomSource scope(source);
    for (int round = 0; round < 80; ++round) {
        UniverseContents contents = universeContents(round % 8 == 0 ? 0 : 5);
        if (round % 3 == 0)
            putEdgeValues(contents);
        ASSERT_EQ(streamed(contents), JsonWriter::write(contents.toJson())) << "round " << round;
    }
    // An empty document: the defaults, an empty array of systems.
    EXPECT_EQ(streamed(UniverseContents()), JsonWriter::write(UniverseContents().toJson()));
}

// Random universes, their texts beyond ASCII (CJK, astral characters, controls and
// NUL), saved by the document: the file reads back as exactly the document, reads
// the same with QJsonDocument as the whole document's value, keeps its keys in
// code point order and two spaces per level, and is written again byte for byte.
TEST_F(UniverseStoreTest, RandomUniversesSavedReadBackAsTheDocument)
{
    SeededSource source(20250611);
    ScopedRandomSource scope(source);
    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        const UniverseContents made = universeContents(round % 10 == 0 ? 0 : 6);
        StarfarerUniverse universe(folder());
        assign(universe, made);
        ASSERT_TRUE(universe.saveNow());
        const QByteArray text = contents(universe.filePath());

        QString error;
        const auto reread = StarfarerUniverse::readFile(universe.filePath(), folder(), &error);
        ASSERT_TRUE(reread) << error.toStdString();
        expectHolds(*reread, made);
        EXPECT_EQ(reread->encode(), text);

        const std::optional<JsonValue> value = JsonParser::parse(text);
        ASSERT_TRUE(value.has_value());
        expectKeysInCodePointOrder(*value);
        expectTwoSpacesPerLevel(text);
        QJsonParseError qtError;
        const QJsonDocument qt = QJsonDocument::fromJson(text, &qtError);
        ASSERT_EQ(qtError.error, QJsonParseError::NoError) << qtError.errorString().toStdString();
        EXPECT_TRUE(sameAsQt(JsonValue(made.toJson()), qt.object())) << "round " << round;
    }
}

// The stored double is not finite only far into the document, after pieces of the
// text have gone out: the file still holds the last good save and nothing is left
// beside it.
TEST_F(UniverseStoreTest, AWriteThatFailsHalfWayKeepsTheOldFile)
{
    StarfarerUniverse universe(folder());
    QList<HexData> hexes;
    for (int i = 0; i < 120; ++i)
        hexes.append(aHex({i / 1280, 0, i % 32 + 1, i / 32 % 40 + 1})
                         .system(generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true))
                         .named(QStringLiteral("System %1").arg(i)));
    universe.setData(hexes);
    ASSERT_TRUE(universe.saveNow());
    const QByteArray before = contents(universe.filePath());
    ASSERT_GT(before.size(), 2 * JsonWriter::kPieceSize);

    HexData broken = hexes.last();
    broken.starSystem.stars.first().mass = std::nan("");
    ASSERT_TRUE(universe.replaceHex(broken));
    QString failure;
    QObject::connect(&universe, &StarfarerUniverse::saveFailed,
                     [&](const QString &message) { failure = message; });
    EXPECT_FALSE(universe.saveNow());
    EXPECT_TRUE(failure.endsWith(QStringLiteral("a number that is not finite cannot be stored")))
        << failure.toStdString();
    EXPECT_EQ(contents(universe.filePath()), before);
    EXPECT_EQ(universeFiles(), QStringList{QFileInfo(universe.filePath()).fileName()});
}

// A new file gets the permissions the user's mask leaves; a file replaced keeps the
// ones it had, and one its owner made read-only is not replaced (root may write any
// file, so that part needs another user).
TEST_F(UniverseStoreTest, ASavedFileKeepsItsPermissionsAndAReadOnlyOneIsNotReplaced)
{
    const mode_t mask = ::umask(027);
    StarfarerUniverse universe(folder());
    const QByteArray path = QFile::encodeName(universe.filePath());
    const auto mode = [&] {
        struct stat status
        {
        };
        EXPECT_EQ(::stat(path.constData(), &status), 0);
        return status.st_mode & 07777;
    };
    const bool saved = universe.saveNow();
    ::umask(mask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(mode(), 0640u);
    for (const mode_t chosen : {0604, 0660}) {
        ASSERT_EQ(::chmod(path.constData(), chosen), 0);
        universe.setName(QStringLiteral("Kept %1").arg(chosen, 0, 8));
        ASSERT_TRUE(universe.saveNow());
        EXPECT_EQ(mode(), chosen);
    }
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(path.constData(), 0444), 0);
        const QByteArray before = contents(universe.filePath());
        universe.setName(QStringLiteral("Refused"));
        EXPECT_FALSE(universe.saveNow());
        EXPECT_EQ(contents(universe.filePath()), before);
        EXPECT_EQ(universeFiles(), QStringList{QFileInfo(universe.filePath()).fileName()});
    }
}

// The new file has no name while it is written: a write cut short leaves nothing, and
// no other program sees a file half written. It appears whole, in the old one's place.
TEST_F(UniverseStoreTest, AFileBeingWrittenHasNoNameUntilItIsComplete)
{
    folder().ensureUniversesDirectory();
    const QString path = writeFile(folder().fileFor(QUuid::createUuid()), "old");
    const QStringList alone{QFileInfo(path).fileName()};
    for (const bool committed : {false, true}) {
        {
            AtomicFileWriter writer(path);
            ASSERT_EQ(writer.open(), QString());
            ASSERT_EQ(writer.write("new "), QString());
            ASSERT_EQ(writer.write("bytes"), QString());
            EXPECT_EQ(universeFiles(), alone);
            if (committed) {
                ASSERT_EQ(writer.commit(), QString());
            }
        }
        EXPECT_EQ(contents(path), committed ? "new bytes" : "old");
        EXPECT_EQ(universeFiles(), alone);
    }
}

// Edits of every kind while a write is held: the held write still writes the
// document as it was, and the next write has every edit.
TEST_F(UniverseStoreTest, AWriteKeepsItsSnapshotWhileTheDocumentChanges)
{
    StarfarerUniverse universe(folder());
    QList<HexData> hexes;
    for (int i = 0; i < 3 * HexList::kChunkSize; ++i) {
        hexes.append(HexData{QUuid::createUuid(), {0, 0, i % 32 + 1, i / 32 + 1}, {}, {}});
        hexes.last().starSystem.stars.append(Star{}); // read back as it is written
    }
    universe.setData(hexes);
    universe.setName(QStringLiteral("Before"));
    const QByteArray firstText = universe.encode();
    const QString path = universe.filePath();

    QSemaphore firstStarted, firstMayGo;
    std::atomic_int writes = 0;
    QByteArray firstWritten;
    universe.setWriteObserver([&](const UniverseContents &) {
        if (++writes == 1) {
            firstStarted.release();
            firstMayGo.acquire();
        } else {
            firstWritten = contents(path); // what the first write left
        }
    });
    universe.save();
    ASSERT_TRUE(acquireRunning(firstStarted));
    HexData edited = hexes[5];
    edited.notes = QStringLiteral("edited during the write");
    ASSERT_TRUE(universe.replaceHex(edited));
    ASSERT_TRUE(universe.removeHex(hexes[HexList::kChunkSize + 3].id));
    HexData added = hexes.first();
    added.id = QUuid::createUuid();
    added.notes = QStringLiteral("added");
    universe.insertHex(added);
    universe.setName(QStringLiteral("After"));
    universe.save();
    firstMayGo.release();
    ASSERT_TRUE(universe.waitForPendingSave());

    EXPECT_EQ(writes, 2);
    EXPECT_EQ(firstWritten, firstText);
    EXPECT_EQ(contents(universe.filePath()), universe.encode());
    const auto reread = StarfarerUniverse::readFile(universe.filePath(), folder());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->data(), universe.data());
    EXPECT_EQ(reread->data().at(5).notes, QStringLiteral("edited during the write"));
    EXPECT_EQ(reread->name(), QStringLiteral("After"));
}
