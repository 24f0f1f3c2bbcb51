#include "RecordJsonSupport.h"

#include "universe/FactionList.h"
#include "universe/Rutter.h"


#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kRutterId = u"11111111-2222-3333-4444-555555555555"_s;
const QString kFactionId = u"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE"_s;
const QString kOtherFactionId = u"0F0F0F0F-0000-4000-8000-000000000001"_s;

// A rutter object in the current form; tests add or remove keys from it.
JsonObject rutterObject()
{
    return JsonObject{
        {"id"_L1, kRutterId},
        {"factionID"_L1, kFactionId},
        {"start"_L1, JsonObject{{"sectorX"_L1, 0}, {"sectorY"_L1, 0}, {"column"_L1, 3}, {"row"_L1, 4}}},
        {"end"_L1, JsonObject{{"sectorX"_L1, 1}, {"sectorY"_L1, -1}, {"column"_L1, 1}, {"row"_L1, 40}}},
        {"mainTradeRoute"_L1, true},
        {"age"_L1, u"oneToFive"_s},
    };
}

} // namespace

TEST(Rutter, ReadsAndWritesTheCurrentForm)
{
    const Rutter rutter = decodeRecord<Rutter>(rutterObject());
    EXPECT_EQ(rutter.id, QUuid::fromString(kRutterId));
    EXPECT_EQ(rutter.factionID, QUuid::fromString(kFactionId));
    EXPECT_EQ(rutter.start, (GalacticCoordinates{0, 0, 3, 4}));
    EXPECT_EQ(rutter.end, (GalacticCoordinates{1, -1, 1, 40}));
    EXPECT_TRUE(rutter.mainTradeRoute);
    EXPECT_EQ(rutter.age, RutterAge::oneToFive);
    EXPECT_FALSE(rutter.legacyFaction.has_value());

    const JsonObject written = rutter.toJson();
    EXPECT_EQ(sortedKeys(written),
              sortedKeyList({"id", "factionID", "start", "end", "mainTradeRoute", "age"}));
    EXPECT_EQ(written, rutterObject());
}

TEST(Rutter, FactionIdWinsOverALegacyFactionBesideIt)
{
    JsonObject object = rutterObject();
    // Not read at all, so not even its malformed id matters.
    object.insert("faction"_L1, JsonObject{{"id"_L1, u"broken"_s}});
    const Rutter rutter = decodeRecord<Rutter>(object);
    EXPECT_EQ(rutter.factionID, QUuid::fromString(kFactionId));
    EXPECT_FALSE(rutter.legacyFaction.has_value());
}

TEST(Rutter, LegacyFactionGivesItsIdAndIsNeverWritten)
{
    for (const bool nullFactionID : {false, true}) {
        JsonObject object = rutterObject();
        object.remove("factionID"_L1);
        if (nullFactionID)
            object.insert("factionID"_L1, JsonValue());
        object.insert("faction"_L1, JsonObject{{"id"_L1, kOtherFactionId}});

        const Rutter rutter = decodeRecord<Rutter>(object);
        EXPECT_EQ(rutter.factionID, QUuid::fromString(kOtherFactionId));
        ASSERT_TRUE(rutter.legacyFaction.has_value());
        Faction expected;
        expected.id = QUuid::fromString(kOtherFactionId);
        EXPECT_EQ(*rutter.legacyFaction, expected);

        const JsonObject written = rutter.toJson();
        EXPECT_FALSE(written.contains("faction"_L1));
        EXPECT_EQ(written["factionID"_L1].toString(), kOtherFactionId);
    }
}

TEST(Rutter, MissingOrWrongKeysFailAtTheirPath)
{
    const struct
    {
        const char *key;
        std::optional<JsonValue> value; // no value removes the key
        const char *path;
    } rows[] = {
        {"factionID", std::nullopt, "faction"},
        {"id", std::nullopt, "id"},
        {"start", std::nullopt, "start"},
        {"end", std::nullopt, "end"},
        {"mainTradeRoute", std::nullopt, "mainTradeRoute"},
        {"age", std::nullopt, "age"},
        {"age", u"ancient"_s, "age"},
        {"age", u"Recent"_s, "age"},
        {"mainTradeRoute", 1, "mainTradeRoute"},
        {"factionID", u"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}"_s, "factionID"},
        {"end", JsonObject{{"column"_L1, 1.5}}, "end.column"},
    };
    for (const auto &row : rows) {
        JsonObject object = rutterObject();
        if (!row.value)
            object.remove(QLatin1StringView(row.key));
        else
            object.insert(QLatin1StringView(row.key), *row.value);
        EXPECT_EQ(decodeFailurePath<Rutter>(object), QString::fromLatin1(row.path)) << row.key;
    }

    JsonObject legacy = rutterObject();
    legacy.remove("factionID"_L1);
    legacy.insert("faction"_L1, JsonObject{{"id"_L1, kOtherFactionId}, {"category"_L1, u"empire"_s}});
    EXPECT_EQ(decodeFailurePath<Rutter>(legacy), u"faction.category"_s);
}

TEST(Rutter, EqualityIgnoresTheLegacyFactionAndHashingUsesTheIdAlone)
{
    const Rutter rutter = decodeRecord<Rutter>(rutterObject());

    Rutter withLegacy = rutter;
    withLegacy.legacyFaction = Faction{};
    EXPECT_EQ(withLegacy, rutter);

    Rutter moved = rutter;
    moved.end = {5, 5, 5, 5};
    EXPECT_NE(moved, rutter);
    EXPECT_EQ(qHash(moved), qHash(rutter));

    Rutter otherOwner = rutter;
    otherOwner.factionID = QUuid::fromString(kOtherFactionId);
    EXPECT_NE(otherOwner, rutter);
}

TEST(RutterAge, RawValuesAndDisplayTexts)
{
    EXPECT_EQ(allCases<RutterAge>().size(), 5u);
    EXPECT_EQ(rawValue(RutterAge::lessThanOne), u"lessThanOne"_s);
    EXPECT_EQ(displayText(RutterAge::recent), u"Recent (< 1 month)"_s);
    EXPECT_EQ(displayText(RutterAge::fivePlus), u"More than five years"_s);
    EXPECT_FALSE(enumFromRaw<RutterAge>(u"FivePlus"_s).has_value());
}

TEST(FactionList, RequiresAllThreeKeys)
{
    const JsonObject object{{"id"_L1, kRutterId},
                             {"name"_L1, u"Core powers"_s},
                             {"factionIDs"_L1, JsonArray{kFactionId, kOtherFactionId, kFactionId}}};
    const FactionList list = decodeRecord<FactionList>(object);
    EXPECT_EQ(list.name, u"Core powers"_s);
    EXPECT_EQ(list.factionIDs,
              (QList<QUuid>{QUuid::fromString(kFactionId), QUuid::fromString(kOtherFactionId),
                            QUuid::fromString(kFactionId)}));
    EXPECT_EQ(list.toJson(), object);

    for (const QString &key : object.keys()) {
        JsonObject incomplete = object;
        incomplete.remove(QLatin1StringView(key.toLatin1()));
        EXPECT_EQ(decodeFailurePath<FactionList>(incomplete), key);
    }
    JsonObject badMember = object;
    badMember.insert("factionIDs"_L1, JsonArray{kFactionId, u"nobody"_s});
    EXPECT_EQ(decodeFailurePath<FactionList>(badMember), u"factionIDs[1]"_s);
}

TEST(FactionList, AnEmptyListReadsAndWritesEmpty)
{
    const JsonObject object{{"id"_L1, kRutterId}, {"name"_L1, u""_s}, {"factionIDs"_L1, JsonArray{}}};
    const FactionList list = decodeRecord<FactionList>(object);
    EXPECT_TRUE(list.factionIDs.isEmpty());
    EXPECT_EQ(list.toJson(), object);
}
