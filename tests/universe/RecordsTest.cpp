// The stored records: one round-trip property over every record with random
// contents, then per record its legacy forms, its defaulting rule and one value of
// the wrong type. The reader itself is tested in the JSON tests.
#include "RandomRecords.h"

#include "json/DecodeError.h"
#include "json/JsonParser.h"
#include "json/JsonWriter.h"

#include "JsonTestSupport.h"
#include "SeededSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

using namespace Qt::StringLiterals;
using namespace random_records;

namespace {

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
        expectRoundTrip(rutter());
        expectRoundTrip(nebula());
        expectRoundTrip(starmapLabel());
        expectRoundTrip(factionList());
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

// The menu order computed with one key per faction is the stable sort by operator<:
// names that differ only in case, beyond the basic plane or not at all keep the
// order they were given in.
TEST(Records, MenuOrderIsTheStableSortByName)
{
    const QStringList names{u"Zulu"_s, u"zulu"_s,   u"alpha"_s,      u"Alpha"_s, u""_s,        u"\u00e9cho"_s,
                            u"_x"_s,   u"\uff21"_s, u"\U0001F600"_s, u"ALPHA"_s, u"alphabet"_s};
    std::mt19937 random(5);
    for (int round = 0; round < 50; ++round) {
        QList<Faction> factions;
        for (int i = 0, n = int(random() % 30); i < n; ++i) {
            Faction faction;
            faction.id = QUuid::createUuid();
            faction.name = names[qsizetype(random() % names.size())];
            factions.append(faction);
        }
        QList<Faction> expected = factions;
        std::stable_sort(expected.begin(), expected.end());
        ASSERT_EQ(inMenuOrder(factions), expected) << "round " << round;
    }
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
