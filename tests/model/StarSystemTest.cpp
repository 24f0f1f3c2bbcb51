#include "StarTestSupport.h"

#include "model/HexData.h"
#include "json/JsonWriter.h"


#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

WorldData world(const char *name, bool main = false)
{
    WorldData value;
    value.id = QUuid::createUuid();
    value.name = QString::fromLatin1(name);
    value.mainWorld = main;
    return value;
}

Star starWith(QList<WorldData> worlds)
{
    Star value;
    value.worlds = std::move(worlds);
    return value;
}

JsonObject systemWithStar()
{
    JsonObject system = parseObject(kSystemJson);
    system.insert("stars"_L1, JsonArray{parseObject(kStarJson)});
    return system;
}

JsonObject hexObject()
{
    return JsonObject{{"id"_L1, u"99999999-8888-4777-8666-555555555555"_s},
                       {"coordinates"_L1,
                        JsonObject{{"sectorX"_L1, -1}, {"sectorY"_L1, 2}, {"column"_L1, 5}, {"row"_L1, 40}}},
                       {"starSystem"_L1, systemWithStar()},
                       {"notes"_L1, u"Pirates."_s}};
}

} // namespace

TEST(StarSystem, MainWorldOnACompanionStar)
{
    const WorldData moon = world("moon");
    const WorldData main = world("main", true);
    StarSystem system;
    system.stars = {starWith({world("inner"), world("outer")}), starWith({main, world("late main", true)})};
    EXPECT_EQ(system.mainWorld(), main);
    EXPECT_EQ(system.mainWorldIndex(), (WorldIndex{1, 0}));
    EXPECT_EQ(system.indexOfWorld(system.stars[1].worlds[1].id), (WorldIndex{1, 1}));
    EXPECT_EQ(system.indexOfWorld(system.stars[0].worlds[0].id), (WorldIndex{0, 0}));
    const QList<WorldData> all = system.allWorlds();
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(all[0].name, u"inner"_s);
    EXPECT_EQ(all[3].name, u"late main"_s);
}

TEST(StarSystem, LookupsDoNotEnterNestedSatellites)
{
    WorldData parent = world("parent");
    WorldData nested = world("nested", true);
    parent.satellites = {nested};
    StarSystem system;
    system.stars = {starWith({parent})};
    EXPECT_EQ(system.indexOfWorld(nested.id), std::nullopt);
    EXPECT_EQ(system.mainWorld(), std::nullopt);
    EXPECT_EQ(system.allWorlds().size(), 1);
}

TEST(StarSystem, OddSystemsHaveNoMainWorldAndNoZone)
{
    const StarSystem empty;
    EXPECT_TRUE(empty.allWorlds().isEmpty());
    EXPECT_EQ(empty.mainWorld(), std::nullopt);
    EXPECT_EQ(empty.mainWorldIndex(), std::nullopt);
    EXPECT_EQ(empty.indexOfWorld(QUuid::createUuid()), std::nullopt);
    EXPECT_EQ(empty.habitableZoneOrbit(), std::nullopt);

    StarSystem noMain;
    noMain.stars = {starWith({}), starWith({world("a"), world("b")})};
    EXPECT_EQ(noMain.mainWorld(), std::nullopt);
    EXPECT_EQ(noMain.mainWorldIndex(), std::nullopt);
    EXPECT_EQ(noMain.indexOfWorld(QUuid()), std::nullopt);
}

TEST(StarSystem, HabitableZoneIsThePrimarys)
{
    StarSystem system;
    Star primary;
    primary.spectralType = SpectralType::K;
    primary.luminosity = LuminosityClass::III;
    Star companion; // G V, zone 3
    companion.orbit = Orbits::starOrbit15;
    system.stars = {primary, companion};
    EXPECT_EQ(system.habitableZoneOrbit(), Orbits::starOrbit8);
}

TEST(StarSystem, ReadingAnEmptyStarListGivesOneRandomPrimary)
{
    ScriptedDraws draws;
    // Flux +3: type M; decimal 4; flux 0: V; the lowest mass.
    draws.flux(3).expect(10, 4).flux(0).expect((qint64(1) << 53) + 1, 0);
    ScopedRandomSource scope(draws);
    const StarSystem system = readJson<StarSystem>(JsonValue(parseObject(kSystemJson)));
    ASSERT_EQ(system.stars.size(), 1);
    EXPECT_EQ(system.stars[0].classification(), u"M4-V"_s);
    EXPECT_EQ(system.stars[0].orbit, Orbits::starOrbitP);
    EXPECT_DOUBLE_EQ(system.stars[0].mass, 0.08);
    // Written back, the star is stored.
    const JsonObject written = system.toJson();
    EXPECT_EQ(written.value("stars"_L1).toArray().size(), 1);
    EXPECT_EQ(readJson<StarSystem>(JsonValue(written)), system);
}

TEST(StarSystem, JsonKeysAndDefaults)
{
    JsonObject object = systemWithStar();
    object.remove("surveyed"_L1);
    const StarSystem system = readJson<StarSystem>(JsonValue(object));
    EXPECT_FALSE(system.surveyed);
    EXPECT_EQ(system.gasGiant, 2);
    EXPECT_EQ(system.planetoidBelts, 1);
    EXPECT_EQ(system.totalNumberOfWorlds, 7);
    EXPECT_TRUE(system.starfarers);
    EXPECT_FALSE(system.sathar);
    EXPECT_TRUE(system.other);
    const JsonObject written = system.toJson();
    EXPECT_EQ(sortedKeys(written),
              sortedNames({"id", "name", "stars", "gasGiant", "planetoidBelts", "totalNumberOfWorlds",
                           "starfarers", "sathar", "other", "surveyed"}));
    EXPECT_EQ(written.value("surveyed"_L1), JsonValue(false));

    for (const char *key : {"id", "name", "stars", "gasGiant", "planetoidBelts", "totalNumberOfWorlds",
                            "starfarers", "sathar", "other"}) {
        JsonObject missing = systemWithStar();
        missing.remove(QLatin1StringView(key));
        EXPECT_EQ(failurePath<StarSystem>(missing), QString::fromLatin1(key));
    }
    // The count of gas giants is stored under the singular key only.
    JsonObject plural = systemWithStar();
    plural.insert("gasGiants"_L1, plural.take("gasGiant"_L1));
    EXPECT_EQ(failurePath<StarSystem>(plural), u"gasGiant"_s);
    JsonObject wrongSurveyed = systemWithStar();
    wrongSurveyed.insert("surveyed"_L1, 0);
    EXPECT_EQ(failurePath<StarSystem>(wrongSurveyed), u"surveyed"_s);
}

TEST(HexData, JsonRequiresEveryKeyAndNamesNestedPaths)
{
    const HexData hex = readJson<HexData>(JsonValue(hexObject()));
    EXPECT_EQ(hex.coordinates.description(), u"A2-0540"_s);
    EXPECT_EQ(hex.notes, u"Pirates."_s);
    EXPECT_EQ(sortedKeys(hex.toJson()), sortedNames({"id", "coordinates", "starSystem", "notes"}));
    EXPECT_EQ(readJson<HexData>(JsonValue(hex.toJson())), hex);

    for (const char *key : {"id", "coordinates", "starSystem", "notes"}) {
        JsonObject object = hexObject();
        object.remove(QLatin1StringView(key));
        EXPECT_EQ(failurePath<HexData>(object), QString::fromLatin1(key));
    }

    JsonObject star = parseObject(kStarJson);
    star.insert("worlds"_L1, JsonArray{[] {
                    JsonObject w = parseObject(kRequiredWorldJson);
                    w.insert("sunOrbit"_L1, 22);
                    return w;
                }()});
    JsonObject system = systemWithStar();
    system.insert("stars"_L1, JsonArray{parseObject(kStarJson), star});
    JsonObject object = hexObject();
    object.insert("starSystem"_L1, system);
    EXPECT_EQ(failurePath<HexData>(object), u"starSystem.stars[1].worlds[0].sunOrbit"_s);
}

namespace {

// Builds records with every field drawn from the installed random source.
class RandomRecords
{
public:
    template <typename E> static E anyOf()
    {
        const auto cases = allCases<E>();
        return cases[static_cast<std::size_t>(randomBelow(qint64(cases.size())))];
    }

    template <typename E> static QList<E> someOf(qint64 most)
    {
        QList<E> list;
        for (qint64 n = randomBelow(most + 1); n > 0; --n)
            list.append(anyOf<E>());
        return list;
    }

    static QUuid uuid()
    {
        QByteArray bytes;
        for (int i = 0; i < 2; ++i) {
            const quint64 word = randomSource().next64();
            bytes.append(reinterpret_cast<const char *>(&word), sizeof word);
        }
        return QUuid::fromRfc4122(bytes);
    }

    static qint64 integer()
    {
        // Mostly small codes, sometimes the far ends of the stored type.
        static const qint64 extremes[] = {std::numeric_limits<qint64>::min(), -(qint64(1) << 53) - 1,
                                          (qint64(1) << 62) + 7, -1, 0};
        if (randomBelow(8) == 0)
            return extremes[randomBelow(std::size(extremes))];
        return randomBelow(41) - 10;
    }

    static QString text()
    {
        static const QString samples[] = {QString(), u"Kesh"_s, u"Ærø ✦ “quoted” \"and\" \\slashed\\"_s,
                                          u"line\nbreak\ttab"_s};
        return samples[randomBelow(std::size(samples))];
    }

    static UWP profile()
    {
        UWP uwp;
        uwp.starport = anyOf<Starport>();
        uwp.size = integer();
        uwp.density = randomUniform(0.05, 1.25);
        uwp.atmosphere = integer();
        uwp.hydrographics = integer();
        uwp.population = integer();
        uwp.government = integer();
        uwp.lawLevel = integer();
        uwp.techLevel = anyOf<TechnologyLevel>();
        const QList<Base> bases = someOf<Base>(4);
        uwp.bases = QSet<Base>(bases.cbegin(), bases.cend());
        uwp.populationMultiplier = integer();
        uwp.tags = someOf<WorldTag>(3);
        return uwp;
    }

    static WorldData world(int depth)
    {
        WorldData w;
        w.id = uuid();
        w.name = text();
        w.mainWorld = randomBelow(2) == 1;
        w.type = anyOf<WorldType>();
        w.sunOrbit = anyOf<Orbits>();
        w.satelliteOrbit = anyOf<PlanetOrbits>();
        for (qint64 n = depth > 0 ? randomBelow(3) : 0; n > 0; --n)
            w.satellites.append(world(depth - 1));
        w.hzOffset = integer();
        w.uwp = profile();
        w.dayLength = integer();
        w.yearLength = integer();
        w.tideLocked = randomBelow(2) == 1;
        w.prevalentRace = anyOf<Race>();
        for (qint64 n = randomBelow(3); n > 0; --n)
            w.factionIDs.append(uuid());
        w.worldTags = someOf<WorldTag>(3);
        w.tradeClasses = someOf<TradeClass>(5);
        w.notes = text();
        w.image = text();
        return w;
    }

    static Star star()
    {
        Star s = Star::random(anyOf<Orbits>());
        s.name = text();
        s.temperature = integer();
        for (qint64 n = randomBelow(4); n > 0; --n)
            s.worlds.append(world(1));
        return s;
    }

    static HexData hex()
    {
        HexData h;
        h.id = uuid();
        h.coordinates = {integer(), integer(), integer(), integer()};
        h.notes = text();
        StarSystem &system = h.starSystem;
        system.id = uuid();
        system.name = text();
        for (qint64 n = randomBelow(3) + 1; n > 0; --n)
            system.stars.append(star());
        system.gasGiant = integer();
        system.planetoidBelts = integer();
        system.totalNumberOfWorlds = integer();
        system.starfarers = randomBelow(2) == 1;
        system.sathar = randomBelow(2) == 1;
        system.other = randomBelow(2) == 1;
        system.surveyed = randomBelow(2) == 1;
        return h;
    }
};

} // namespace

TEST(HexData, RandomRecordsSurviveWritingAndReadingBack)
{
    SeededSource source(20240611);
    ScopedRandomSource scope(source);
    for (int i = 0; i < 300; ++i) {
        const HexData hex = RandomRecords::hex();
        const QByteArray text = JsonWriter::write(hex.toJson());
        const HexData back = readJson<HexData>(JsonParser::parse(text).value());
        ASSERT_EQ(back, hex) << text.constData();
        EXPECT_EQ(qHash(back, 7), qHash(hex, 7));
    }
}
