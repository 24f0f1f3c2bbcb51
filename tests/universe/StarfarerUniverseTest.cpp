#include "UniverseStoreSupport.h"

#include "json/JsonParser.h"

#include <QSignalSpy>

#include <cmath>
#include <limits>

namespace {

QUuid uuid(const char *text)
{
    return QUuid::fromString(QLatin1StringView(text));
}

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(VOSTREL_TEST_DATA_DIR "/") + QLatin1StringView(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

} // namespace

class UniverseDocument : public UniverseStoreTest
{
protected:
    std::unique_ptr<StarfarerUniverse> decode(const QByteArray &bytes, QString *error = nullptr)
    {
        return StarfarerUniverse::decode(bytes, folder(), error);
    }
};

TEST_F(UniverseDocument, AnEmptyObjectGivesANewDefaultDocumentSavedUnderItsNewId)
{
    auto universe = decode("{}");
    ASSERT_TRUE(universe);
    EXPECT_FALSE(universe->id().isNull());
    EXPECT_EQ(universe->name(), QStringLiteral("Untitled Universe"));
    EXPECT_TRUE(universe->data().isEmpty());
    EXPECT_TRUE(universe->factions().isEmpty());
    EXPECT_TRUE(universe->hiddenLabelCategories().isEmpty());
    EXPECT_EQ(universe->mapViewMode(), MapViewMode::referee);
    for (const bool shown :
         {universe->mapShowRutters(), universe->mapShowNebulae(), universe->mapShowRegions(),
          universe->mapShowLabels(), universe->mapShowSurveyedData(), universe->mapShowStarfarers(),
          universe->mapShowSathar(), universe->mapShowOther()})
        EXPECT_TRUE(shown);
    ASSERT_TRUE(universe->saveNow());
    EXPECT_TRUE(QFile::exists(folder().fileFor(universe->id())));
}

TEST_F(UniverseDocument, NullAndMissingKeysTakeDefaultsButWrongValuesFailTheWholeLoad)
{
    EXPECT_EQ(decode(R"({"mapViewMode": null})")->mapViewMode(), MapViewMode::referee);
    EXPECT_EQ(decode(R"({"mapViewMode": "player"})")->mapViewMode(), MapViewMode::player);
    EXPECT_EQ(decode(R"({"name": "Keep", "somethingNew": [1, 2]})")->name(), QStringLiteral("Keep"));
    EXPECT_EQ(decode("\xEF\xBB\xBF{\"name\": \"Bom\"}")->name(), QStringLiteral("Bom"));

    struct Case
    {
        const char *json;
        const char *reason;
    };
    const Case failures[] = {
        {R"({"mapViewMode": "pilot"})", "mapViewMode: unknown value \"pilot\""},
        {R"({"name": 12})", "name: expected a string, found a number"},
        {R"({"mapShowLabels": "yes"})", "mapShowLabels: expected true or false, found a string"},
        {R"({"id": "not-a-uuid"})", "id: \"not-a-uuid\" is not a UUID"},
        {R"({"selectedFactionIDs": ["F0000000-0000-4000-8000-00000000000"]})", "selectedFactionIDs[0]"},
        {R"({"data": [{}]})", "data[0]"},
        {R"([])", "does not hold a JSON object"},
        {"", "not valid JSON"},
        {"{\"name\": \"\xC3\x28\"}", "not valid JSON at offset 10: invalid UTF-8"},
        {R"({"name": "a",})", "not valid JSON at offset 13"},
        // Offsets count the file's own bytes, a byte-order mark included.
        {"\xEF\xBB\xBF{\"name\": \"a\",}", "not valid JSON at offset 16"},
        {R"("just text")", "does not hold a JSON object"},
    };
    for (const Case &c : failures) {
        QString error;
        EXPECT_FALSE(decode(c.json, &error)) << c.json;
        EXPECT_TRUE(error.contains(QLatin1StringView(c.reason))) << c.json << " -> " << error.toStdString();
    }
}

TEST_F(UniverseDocument, TextsAndNumbersOfEveryKindReadBackExactlyAfterSaving)
{
    StarfarerUniverse universe(folder());
    universe.setName(QStringLiteral("\"Quoted\" back\\slash\nline\ttab \u0001 caf\u00e9 \U0001F680"));
    QList<StarmapLabel> labels;
    for (const double number : {0.1 + 0.2, 1e-300, 4.9e-324, 1.7976931348623157e308, -0.0, 123456789.0}) {
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = QStringLiteral("\u00ab%1\u00bb").arg(number);
        label.size = number;
        label.angle = -number;
        label.position.sectorX = std::numeric_limits<qint64>::min();
        label.position.row = std::numeric_limits<qint64>::max();
        labels.append(label);
    }
    universe.setStarmapLabels(labels);
    ASSERT_TRUE(universe.saveNow());
    QString error;
    const auto reread = StarfarerUniverse::readFile(universe.filePath(), folder(), &error);
    ASSERT_TRUE(reread) << error.toStdString();
    EXPECT_EQ(reread->name(), universe.name());
    EXPECT_EQ(reread->starmapLabels(), labels);
    EXPECT_EQ(reread->encode(), universe.encode());
}

TEST_F(UniverseDocument, RelinksLegacyFactionRecordsByExactNameAndDropsThem)
{
    QString error;
    auto universe = decode(fixture("legacy-factions.json"), &error);
    ASSERT_TRUE(universe) << error.toStdString();

    const auto &rutters = universe->rutters();
    ASSERT_EQ(rutters.size(), 3);
    // Two factions share the legacy name: the first wins.
    EXPECT_EQ(rutters[0].factionID, uuid("F0000000-0000-4000-8000-000000000001"));
    // No legacy record: the unknown id stays.
    EXPECT_EQ(rutters[1].factionID, uuid("D0000000-0000-4000-8000-000000000010"));
    // A name differing only in letter case does not match.
    EXPECT_EQ(rutters[2].factionID, uuid("D0000000-0000-4000-8000-000000000011"));
    for (const Rutter &rutter : rutters)
        EXPECT_FALSE(rutter.legacyFaction.has_value());

    const WorldData world = universe->data().first().starSystem.stars.first().worlds.first();
    EXPECT_EQ(world.factionIDs, (QList<QUuid>{uuid("F0000000-0000-4000-8000-000000000001"), // relinked
                                              uuid("F0000000-0000-4000-8000-000000000003"), // already known
                                              uuid("D0000000-0000-4000-8000-000000000002")})); // no such name
    EXPECT_FALSE(world.legacyFactions.has_value());
    ASSERT_EQ(world.satellites.size(), 1);
    EXPECT_EQ(world.satellites.first().factionIDs,
              QList<QUuid>{uuid("F0000000-0000-4000-8000-000000000003")});
    EXPECT_FALSE(world.satellites.first().legacyFactions.has_value());

    // The legacy keys are gone from the saved file, and it reads back the same.
    ASSERT_TRUE(universe->saveNow());
    const QByteArray saved = contents(universe->filePath());
    EXPECT_FALSE(saved.contains("\"faction\""));
    EXPECT_EQ(saved.count("\"factions\""), 1); // the document's own list only
    auto reread = decode(saved);
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->data(), universe->data());
    EXPECT_EQ(reread->rutters(), universe->rutters());
    EXPECT_EQ(reread->toJson(), universe->toJson());
}

TEST_F(UniverseDocument, ABrokenLegacyFactionRecordFailsTheLoadWithTheFullKeyPath)
{
    const struct
    {
        const char *name;
        const char *path;
    } records[] = {
        {"000000000002\", \"name\": \"Nobody Known\"",
         "data[0].starSystem.stars[0].worlds[0].factions[2].name: "},
        {"000000000004\", \"name\": \"Free Traders\"",
         "data[0].starSystem.stars[0].worlds[0].satellites[0].factions[0].name: "},
    };
    for (const auto &record : records) {
        QByteArray bytes = fixture("legacy-factions.json");
        const QByteArray id = QByteArray(record.name).left(12);
        ASSERT_TRUE(bytes.contains(record.name));
        bytes.replace(record.name, id + "\", \"name\": 7");
        QString error;
        EXPECT_FALSE(decode(bytes, &error));
        EXPECT_TRUE(error.startsWith(QLatin1StringView(record.path))) << error.toStdString();
    }
}

TEST_F(UniverseDocument, LooksUpFactionsHexesAndRules)
{
    auto universe = decode(fixture("legacy-factions.json"));
    ASSERT_TRUE(universe);
    EXPECT_TRUE(universe->usesTravellerRules()); // the first system's main world is "TL12"

    WorldData world;
    const QUuid a = uuid("F0000000-0000-4000-8000-000000000003");
    world.factionIDs = {a, QUuid::createUuid(), a};
    const QList<Faction> found = universe->factions(world);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].id, a);
    EXPECT_EQ(found[1].id, a);

    GalacticCoordinates at;
    at.column = 3;
    at.row = 4;
    ASSERT_TRUE(universe->hexData(at).has_value());
    EXPECT_EQ(universe->hexData(at)->starSystem.name, QStringLiteral("Kesh"));
    at.sectorX = 1;
    EXPECT_FALSE(universe->hexData(at).has_value());

    EXPECT_EQ(universe->faction(universe->rutters()[0])->name, QStringLiteral("Sindal Combine"));
    EXPECT_FALSE(universe->faction(universe->rutters()[1]).has_value());

    // Only the first system decides; without a main world it is not Traveller.
    QList<HexData> data = universe->data().toList();
    data.first().starSystem.stars.first().worlds.first().mainWorld = false;
    universe->setData(data);
    EXPECT_FALSE(universe->usesTravellerRules());
    universe->setData({});
    EXPECT_FALSE(universe->usesTravellerRules());
}

TEST_F(UniverseDocument, SettersNotifyOnlyOnChange)
{
    StarfarerUniverse universe(folder());
    QSignalSpy names(&universe, &StarfarerUniverse::nameChanged);
    QSignalSpy filters(&universe, &StarfarerUniverse::selectedFactionIDsChanged);
    QSignalSpy modes(&universe, &StarfarerUniverse::mapViewModeChanged);
    universe.setName(universe.name());
    universe.setName(QStringLiteral("Other"));
    universe.setName(QStringLiteral("Other"));
    const QUuid id = QUuid::createUuid();
    universe.setSelectedFactionIDs({id});
    universe.setSelectedFactionIDs(QSet<QUuid>{id});
    universe.setMapViewMode(MapViewMode::referee);
    EXPECT_EQ(names.count(), 1);
    EXPECT_EQ(filters.count(), 1);
    EXPECT_EQ(modes.count(), 0);
}

TEST_F(UniverseDocument, AFailedSaveIsReportedAndChangesNothing)
{
    StarfarerUniverse universe(folder());
    universe.setName(QStringLiteral("Blocked"));
    // A folder where the file should be: the atomic rename cannot replace it.
    QDir().mkpath(universe.filePath());
    QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
    QSignalSpy successes(&universe, &StarfarerUniverse::saved);
    EXPECT_FALSE(universe.saveNow());
    ASSERT_EQ(failures.count(), 1);
    EXPECT_EQ(successes.count(), 0);
    const QString message = failures.first().first().toString();
    EXPECT_TRUE(
        message.startsWith(QStringLiteral("Failed to save StarfarerUniverse to ") + universe.filePath()));
    EXPECT_EQ(universe.name(), QStringLiteral("Blocked"));
    // No temporary file is left behind.
    EXPECT_EQ(universeFiles(), QStringList{QFileInfo(universe.filePath()).fileName()});
}

TEST_F(UniverseDocument, AValueThatCannotBeStoredLeavesTheSavedFileAsItWas)
{
    StarfarerUniverse universe(folder());
    ASSERT_TRUE(universe.saveNow());
    const QByteArray before = contents(universe.filePath());
    StarmapLabel label;
    label.id = QUuid::createUuid();
    label.angle = std::numeric_limits<double>::quiet_NaN();
    universe.setStarmapLabels({label});
    QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
    EXPECT_FALSE(universe.saveNow());
    EXPECT_EQ(failures.count(), 1);
    EXPECT_EQ(contents(universe.filePath()), before);
}

// A file whose every key holds a value of its own (coordinates on every axis, the
// codes of a planet, its satellite and a belt, every kind of map object) reads into
// the fields the keys name and is written back as it was; each older form of a key,
// alone and all together, reads as its current form once the file is repaired.
TEST_F(UniverseDocument, EveryKeyOfAFileLandsInItsOwnFieldAndOlderFormsReadAsTheCurrentOnes)
{
    const QByteArray current = fixture("every-field.json");
    const auto asRead = [&](const QByteArray &bytes) {
        QString error;
        const auto universe = decode(bytes, &error);
        EXPECT_TRUE(universe) << error.toStdString();
        return universe ? JsonParser::parse(universe->encode()).value_or(JsonValue()) : JsonValue();
    };
    const JsonValue written = asRead(current);
    EXPECT_EQ(written, JsonParser::parse(current).value());
    const auto universe = decode(current);
    ASSERT_TRUE(universe);
    const HexData &hex = universe->data()[0];
    EXPECT_EQ(hex.coordinates, (GalacticCoordinates{-3, 2, 14, 31}));
    const WorldData &planet = hex.starSystem.stars[0].worlds[0];
    for (const auto &[body, code, numbers] :
         {std::tuple(&planet, "B56789A-C NS", std::array<qint64, 4>{-1, 29, 8766, 4}),
          std::tuple(&planet.satellites[0], "X213045-9 S", std::array<qint64, 4>{1, 41, 8767, 6}),
          std::tuple(&hex.starSystem.stars[1].worlds[0], "E021354-A N",
                     std::array<qint64, 4>{2, 53, 19000, 7})}) {
        EXPECT_EQ(body->uwp.code(), QLatin1StringView(code));
        EXPECT_EQ(
            (std::array{body->hzOffset, body->dayLength, body->yearLength, body->uwp.populationMultiplier}),
            numbers);
    }

    // A faction record as older files kept it inside worlds and rutters.
    const auto record = [](char id, const char *name) {
        return R"({"id": "D4700000-0000-4000-8000-00000000000)" + QByteArray(1, id) + R"(", "name": ")" +
               name + R"("})";
    };
    const QList<std::pair<QByteArray, QByteArray>> olderForms{
        {R"("bases": ["N", "S"])", R"("navalBase": true, "scoutBase": true)"},
        {R"("bases": ["S"])", R"("navalBase": false, "scoutBase": true)"},
        {R"("bases": ["N"])", R"("navalBase": true)"},
        {R"("factionIDs": ["F47F0000-0000-4000-8000-000000000001", "F47F0000-0000-4000-8000-000000000002"])",
         R"("factions": [)" + record('1', "Sindal Combine") + ", " + record('2', "Free Traders") + "]"},
        {R"("factionIDs": ["F47F0000-0000-4000-8000-000000000002"], "worldTags")",
         R"("factions": [)" + record('3', "Free Traders") + R"(], "worldTags")"},
        {R"("factionIDs": ["F47F0000-0000-4000-8000-000000000001"], "worldTags")",
         R"("factions": [)" + record('4', "Sindal Combine") + R"(], "worldTags")"},
        {R"("factionID": "F47F0000-0000-4000-8000-000000000002")",
         R"("faction": )" + record('5', "Free Traders")},
        {R"("angle": 0.25)", R"("angle": {"radians": 0.25})"},
    };
    QByteArray allOlder = current;
    for (const auto &[form, older] : olderForms) {
        SCOPED_TRACE(older.constData());
        ASSERT_EQ(current.count(form), 1);
        EXPECT_EQ(asRead(QByteArray(current).replace(form, older)), written);
        allOlder.replace(form, older);
    }
    EXPECT_EQ(asRead(allOlder), written);
}

TEST_F(UniverseDocument, RelinkKeepsIdsPastTheLegacyRecordsAndReachesSatellitesOfPlainWorlds)
{
    StarfarerUniverse universe(folder());
    Faction known;
    known.id = QUuid::createUuid();
    known.name = QStringLiteral("Known");
    universe.setFactions({known});

    const QUuid stale = QUuid::createUuid(), beyond = QUuid::createUuid();
    const JsonObject legacyKnown{{QLatin1StringView("id"), jsonValue(stale)},
                                 {QLatin1StringView("name"), JsonValue(QStringLiteral("Known"))}};
    WorldData satellite;
    satellite.factionIDs = {stale};
    satellite.legacyFactions = QList<JsonObject>{legacyKnown};
    WorldData planet; // no legacy records of its own
    planet.factionIDs = {beyond};
    planet.satellites = {satellite};
    WorldData shortLegacy;
    shortLegacy.factionIDs = {stale, beyond};
    shortLegacy.legacyFactions = QList<JsonObject>{legacyKnown};
    HexData hex;
    hex.starSystem.stars = {Star()};
    hex.starSystem.stars[0].worlds = {planet, shortLegacy};
    universe.setData({hex});

    universe.relinkWorldFactions();
    const auto &worlds = universe.data().first().starSystem.stars.first().worlds;
    EXPECT_EQ(worlds[0].factionIDs, QList<QUuid>{beyond});
    EXPECT_EQ(worlds[0].satellites.first().factionIDs, QList<QUuid>{known.id});
    EXPECT_FALSE(worlds[0].satellites.first().legacyFactions.has_value());
    EXPECT_EQ(worlds[1].factionIDs, (QList<QUuid>{known.id, beyond}));
    EXPECT_FALSE(worlds[1].legacyFactions.has_value());
}
