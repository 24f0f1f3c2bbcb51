// The stored records: one round-trip property over every record with random
// contents, then per record its legacy forms, its defaulting rule and one value of
// the wrong type. The reader itself is tested in the JSON tests.
#include "model/HexData.h"
#include "model/Random.h"
#include "universe/Faction.h"
#include "universe/FactionList.h"
#include "universe/Nebula.h"
#include "universe/Region.h"
#include "universe/Rutter.h"
#include "universe/StarmapLabel.h"
#include "json/DecodeError.h"
#include "json/JsonParser.h"
#include "json/JsonWriter.h"

#include "JsonTestSupport.h"
#include "SeededSource.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Every field drawn from the installed random source.
template <typename E> E anyOf()
{
    const auto cases = allCases<E>();
    return cases[static_cast<std::size_t>(randomBelow(qint64(cases.size())))];
}

template <typename T, typename Make> QList<T> some(qint64 most, Make make)
{
    QList<T> list;
    for (qint64 n = randomBelow(most + 1); n > 0; --n)
        list.append(make());
    return list;
}

QUuid uuid()
{
    QByteArray bytes;
    for (int i = 0; i < 2; ++i) {
        const quint64 word = randomSource().next64();
        bytes.append(reinterpret_cast<const char *>(&word), sizeof word);
    }
    return QUuid::fromRfc4122(bytes);
}

qint64 integer()
{
    // Mostly small codes, sometimes the far ends of the stored type.
    static const qint64 extremes[] = {std::numeric_limits<qint64>::min(), -(qint64(1) << 53) - 1,
                                      (qint64(1) << 62) + 7, -1, 0};
    return randomBelow(8) == 0 ? extremes[randomBelow(std::size(extremes))] : randomBelow(41) - 10;
}

QString text()
{
    static const QString samples[] = {
        QString(), u"Kesh"_s, u"\u00C6r\u00F8 \u2726 \u201Cq\u201D \"and\" \\s\\"_s, u"line\nbreak\ttab"_s};
    return samples[randomBelow(std::size(samples))];
}

GalacticCoordinates hex()
{
    return {integer(), integer(), integer(), integer()};
}

UWP profile()
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
    const QList<Base> bases = some<Base>(4, anyOf<Base>);
    uwp.bases = QSet<Base>(bases.cbegin(), bases.cend());
    uwp.populationMultiplier = integer();
    uwp.tags = some<WorldTag>(3, anyOf<WorldTag>);
    return uwp;
}

WorldData world(int depth)
{
    WorldData w;
    w.id = uuid();
    w.name = text();
    w.mainWorld = randomBelow(2) == 1;
    w.type = anyOf<WorldType>();
    w.sunOrbit = anyOf<Orbits>();
    w.satelliteOrbit = anyOf<PlanetOrbits>();
    if (depth > 0)
        w.satellites = some<WorldData>(2, [depth] { return world(depth - 1); });
    w.hzOffset = integer();
    w.uwp = profile();
    w.dayLength = integer();
    w.yearLength = integer();
    w.tideLocked = randomBelow(2) == 1;
    w.prevalentRace = anyOf<Race>();
    w.factionIDs = some<QUuid>(2, uuid);
    w.worldTags = some<WorldTag>(3, anyOf<WorldTag>);
    w.tradeClasses = some<TradeClass>(5, anyOf<TradeClass>);
    w.notes = text();
    w.image = text();
    return w;
}

HexData hexData()
{
    HexData h;
    h.id = uuid();
    h.coordinates = hex();
    h.notes = text();
    StarSystem &system = h.starSystem;
    system.id = uuid();
    system.name = text();
    for (qint64 n = randomBelow(3) + 1; n > 0; --n) {
        Star s = Star::random(anyOf<Orbits>());
        s.name = text();
        s.temperature = integer();
        s.worlds = some<WorldData>(3, [] { return world(1); });
        system.stars.append(s);
    }
    system.gasGiant = integer();
    system.planetoidBelts = integer();
    system.totalNumberOfWorlds = integer();
    system.starfarers = randomBelow(2) == 1;
    system.sathar = randomBelow(2) == 1;
    system.other = randomBelow(2) == 1;
    system.surveyed = randomBelow(2) == 1;
    return h;
}

Faction faction()
{
    Faction f;
    f.id = uuid();
    f.name = text();
    f.shortName = text();
    f.homeworld = hex();
    f.category = anyOf<FactionCategory>();
    f.color = anyOf<FactionColor>();
    f.description = text();
    f.hp = integer();
    f.force = integer();
    f.cunning = integer();
    f.wealth = integer();
    f.credits = integer();
    f.xp = integer();
    f.tags = some<FactionTag>(3, anyOf<FactionTag>);
    f.assets = some<FactionAsset>(2, [] {
        return FactionAsset{text(),
                            anyOf<AssetCategory>(),
                            integer(),
                            integer(),
                            anyOf<TechnologyLevel>(),
                            anyOf<AssetType>(),
                            hex(),
                            text(),
                            text(),
                            text()};
    });
    f.notes = some<FactionNote>(2, [] {
        return FactionNote{integer(), text(), Stardate{integer(), integer(), integer(), integer()}, text()};
    });
    return f;
}

Region region()
{
    Region r;
    r.id = uuid();
    r.name = text();
    r.color = anyOf<FactionColor>();
    r.anchors = some<RegionAnchor>(4, [] { return RegionAnchor{hex(), integer()}; });
    r.closed = randomBelow(2) == 1;
    if (randomBelow(2) == 1)
        r.labelCoordinates = hex();
    return r;
}

// Writes the record as text, reads it back and expects the same record and hash.
template <typename T> void expectRoundTrip(const T &record)
{
    const QByteArray text = JsonWriter::write(record.toJson());
    const T back = readJson<T>(JsonParser::parse(text).value());
    ASSERT_EQ(back, record) << text.constData();
    EXPECT_EQ(qHash(back, 7), qHash(record, 7));
}

template <typename T> T read(const JsonObject &object)
{
    return readJson<T>(JsonValue(object));
}

const QString kId = u"11111111-2222-4333-8444-555555555555"_s;
const QString kOtherId = u"0F0F0F0F-0000-4000-8000-000000000001"_s;

} // namespace

TEST(Records, RandomRecordsSurviveWritingAndReadingBack)
{
    SeededSource source(20240611);
    ScopedRandomSource scope(source);
    for (int i = 0; i < 200; ++i) {
        expectRoundTrip(hexData());
        expectRoundTrip(faction());
        expectRoundTrip(region());
        expectRoundTrip(Rutter{uuid(), uuid(), hex(), hex(), randomBelow(2) == 1, anyOf<RutterAge>(), {}});
        expectRoundTrip(Nebula{uuid(), text(), anyOf<NebulaType>(), some<GalacticCoordinates>(4, hex)});
        expectRoundTrip(StarmapLabel{uuid(), text(), randomUniform(1, 40), anyOf<FactionColor>(),
                                     randomUniform(-4, 4), hex(), text()});
        expectRoundTrip(FactionList{uuid(), text(), some<QUuid>(3, uuid)});
    }
}

TEST(Records, FactionDefaultsForEveryMissingOrNullKey)
{
    const Faction defaults = read<Faction>({{"id"_L1, kId}});
    const Faction nulls =
        read<Faction>({{"id"_L1, kId}, {"force"_L1, JsonValue()}, {"color"_L1, JsonValue()}});
    for (const Faction &f : {defaults, nulls}) {
        EXPECT_EQ(f.force, 1);
        EXPECT_EQ(f.cunning, 1);
        EXPECT_EQ(f.wealth, 1);
        EXPECT_EQ(f.hp, 0);
        EXPECT_EQ(f.color, FactionColor::black);
        EXPECT_EQ(f.category, FactionCategory::other);
    }
    EXPECT_EQ(failurePath<Faction>({{"id"_L1, kId}, {"tags"_L1, JsonArray{u"pirates"_s, u"deeprooted"_s}}}),
              u"tags[1]"_s);
    EXPECT_EQ(failurePath<Faction>({{"name"_L1, u"No id"_s}}), u"id"_s);
}

TEST(Records, FactionsOrderByLowerCasedNameInCodePoints)
{
    const std::pair<const char *, const char *> rows[] = {
        {"zulu", "\u00e9cho"},    // a collation would put é with e, before z
        {"_under", "Zulu"},       // lower-cased, "z" is above "_"
        {"\uff21", "\U0001F600"}, // U+FF41 is below U+1F600, though its UTF-16 unit is not
        {"alpha", "alphabet"}};
    for (const auto &[smaller, larger] : rows) {
        Faction a;
        a.name = QString::fromUtf8(smaller);
        Faction b;
        b.name = QString::fromUtf8(larger);
        EXPECT_TRUE(a < b) << smaller;
        EXPECT_FALSE(b < a) << larger;
    }
    Faction upper;
    upper.name = u"Alpha"_s;
    Faction lower;
    lower.name = u"alpha"_s;
    EXPECT_FALSE(upper < lower || lower < upper);
}

TEST(Records, RutterLegacyFactionGivesTheIdUnlessAFactionIdIsStored)
{
    const JsonObject current{{"id"_L1, kId},
                             {"factionID"_L1, kId},
                             {"start"_L1, JsonObject()},
                             {"end"_L1, JsonObject{{"column"_L1, 3}}},
                             {"mainTradeRoute"_L1, true},
                             {"age"_L1, u"oneToFive"_s}};
    JsonObject both = current;
    both.insert("faction"_L1, JsonObject{{"id"_L1, u"broken"_s}}); // not read at all
    EXPECT_EQ(read<Rutter>(both).factionID, QUuid::fromString(kId));
    EXPECT_FALSE(read<Rutter>(both).legacyFaction.has_value());

    JsonObject legacy = current;
    legacy.insert("factionID"_L1, JsonValue());
    legacy.insert("faction"_L1, JsonObject{{"id"_L1, kOtherId}});
    const Rutter rutter = read<Rutter>(legacy);
    EXPECT_EQ(rutter.factionID, QUuid::fromString(kOtherId));
    ASSERT_TRUE(rutter.legacyFaction.has_value());
    EXPECT_EQ(rutter.legacyFaction->id, QUuid::fromString(kOtherId));
    EXPECT_FALSE(rutter.toJson().contains("faction"_L1));
    // The legacy record is not part of the rutter's identity.
    Rutter plain = rutter;
    plain.legacyFaction.reset();
    EXPECT_EQ(plain, rutter);

    legacy.remove("faction"_L1);
    EXPECT_EQ(failurePath<Rutter>(legacy), u"faction"_s);
    JsonObject wrong = current;
    wrong.insert("mainTradeRoute"_L1, 1);
    EXPECT_EQ(failurePath<Rutter>(wrong), u"mainTradeRoute"_s);
}

TEST(Records, LabelAngleMayBeAnObjectAndTheCategoryIsOptional)
{
    JsonObject object{{"id"_L1, kId},
                      {"text"_L1, u"Spinward"_s},
                      {"size"_L1, 18},
                      {"color"_L1, u"gold"_s},
                      {"angle"_L1, JsonObject{{"radians"_L1, 0.25}}},
                      {"position"_L1, JsonObject()}};
    const StarmapLabel label = read<StarmapLabel>(object);
    EXPECT_EQ(label.angle, 0.25);
    EXPECT_TRUE(label.category.isEmpty());
    const JsonObject written = label.toJson();
    EXPECT_EQ(written["angle"_L1], JsonValue(0.25)); // written as a plain number
    EXPECT_EQ(written["category"_L1], JsonValue(QString()));
    object.insert("angle"_L1, JsonObject{{"degrees"_L1, 90}});
    EXPECT_EQ(failurePath<StarmapLabel>(object), u"angle.radians"_s);
}

TEST(Records, RegionWithoutLabelCoordinatesWritesNone)
{
    const JsonObject object{
        {"id"_L1, kId},
        {"name"_L1, u"Marches"_s},
        {"color"_L1, u"teal"_s},
        {"anchors"_L1, JsonArray{JsonObject{{"hex"_L1, GalacticCoordinates{}.toJson()}, {"corner"_L1, 7}}}},
        {"closed"_L1, false}};
    const Region region = read<Region>(object);
    EXPECT_FALSE(region.labelCoordinates.has_value());
    EXPECT_EQ(region.toJson(), object);
    Region labelled = region;
    labelled.labelCoordinates = GalacticCoordinates{};
    EXPECT_NE(labelled, region);
    EXPECT_NE(qHash(labelled), qHash(region));
    JsonObject wrong = object;
    wrong.insert("closed"_L1, u"no"_s);
    EXPECT_EQ(failurePath<Region>(wrong), u"closed"_s);
    EXPECT_EQ(
        failurePath<Nebula>(
            {{"id"_L1, kId}, {"name"_L1, u"N"_s}, {"type"_L1, u"Emission"_s}, {"hexes"_L1, JsonArray()}}),
        u"type"_s);
}
