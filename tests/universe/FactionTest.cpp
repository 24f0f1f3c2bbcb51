#include "RecordJsonSupport.h"

#include "universe/Faction.h"


#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const char *const kFactionKeys[] = {"id",          "name", "short",  "homeworld", "category", "color",
                                    "description", "hp",   "force",  "cunning",   "wealth",   "credits",
                                    "xp",          "tags", "assets", "notes"};

Faction sampleFaction()
{
    Faction faction;
    faction.id = QUuid::fromString(u"6F1C2B4A-0D3E-4F5A-9B8C-7D6E5F4A3B2C"_s);
    faction.name = u"Streel Corporation"_s;
    faction.shortName = u"StCo"_s;
    faction.homeworld = {-1, 2, 5, 40};
    faction.category = FactionCategory::megacorporation;
    faction.color = FactionColor::teal;
    faction.description = u"Mining and freight"_s;
    faction.hp = -3;
    faction.force = 7;
    faction.cunning = 0;
    faction.wealth = 12;
    faction.credits = 9'000'000'000LL;
    faction.xp = 4;
    faction.tags = {FactionTag::plutocratic, FactionTag::deepRooted, FactionTag::plutocratic};
    faction.assets = {FactionAsset{u"Freighter"_s,
                                   AssetCategory::wealth,
                                   5,
                                   8,
                                   TechnologyLevel::ttl12,
                                   AssetType::specialForces,
                                   {0, 0, 12, 3},
                                   u"1d6"_s,
                                   u"None"_s,
                                   u"old"_s}};
    faction.notes = {FactionNote{42, u"Founded"_s, Stardate{1201, 33, 7, 59}, u"By charter"_s}};
    return faction;
}

} // namespace

TEST(Faction, AnObjectWithOnlyAnIdTakesEveryDefault)
{
    const Faction faction = decodeRecord<Faction>(R"({"id": "00000000-0000-0000-0000-00000000000A"})");
    EXPECT_EQ(faction.id, QUuid::fromString(u"00000000-0000-0000-0000-00000000000A"_s));
    EXPECT_TRUE(faction.name.isEmpty());
    EXPECT_TRUE(faction.shortName.isEmpty());
    EXPECT_TRUE(faction.description.isEmpty());
    EXPECT_EQ(faction.homeworld, (GalacticCoordinates{0, 0, 0, 0}));
    EXPECT_EQ(faction.category, FactionCategory::other);
    EXPECT_EQ(faction.color, FactionColor::black);
    EXPECT_EQ(faction.hp, 0);
    EXPECT_EQ(faction.force, 1);
    EXPECT_EQ(faction.cunning, 1);
    EXPECT_EQ(faction.wealth, 1);
    EXPECT_EQ(faction.credits, 0);
    EXPECT_EQ(faction.xp, 0);
    EXPECT_TRUE(faction.tags.isEmpty());
    EXPECT_TRUE(faction.assets.isEmpty());
    EXPECT_TRUE(faction.notes.isEmpty());

    const JsonObject written = faction.toJson();
    EXPECT_EQ(sortedKeys(written), sortedKeyList(std::begin(kFactionKeys), std::end(kFactionKeys)));
    EXPECT_EQ(written["force"_L1].toInteger(), 1);
    EXPECT_EQ(written["color"_L1].toString(), u"black"_s);
    EXPECT_EQ(written["category"_L1].toString(), u"other"_s);
    EXPECT_EQ(written["tags"_L1].toArray().size(), 0);
}

TEST(Faction, NullKeysTakeTheDefaultsToo)
{
    const Faction faction = decodeRecord<Faction>(
        R"({"id": "00000000-0000-0000-0000-00000000000A", "name": null, "force": null,
            "color": null, "tags": null, "homeworld": null})");
    EXPECT_TRUE(faction.name.isEmpty());
    EXPECT_EQ(faction.force, 1);
    EXPECT_EQ(faction.color, FactionColor::black);
    EXPECT_TRUE(faction.tags.isEmpty());
}

TEST(Faction, WritesEveryFieldUnderItsKeyAndReadsItBack)
{
    const Faction faction = sampleFaction();
    const JsonObject written = faction.toJson();
    EXPECT_EQ(sortedKeys(written), sortedKeyList(std::begin(kFactionKeys), std::end(kFactionKeys)));
    EXPECT_EQ(written["id"_L1].toString(), u"6F1C2B4A-0D3E-4F5A-9B8C-7D6E5F4A3B2C"_s);
    EXPECT_EQ(written["short"_L1].toString(), u"StCo"_s);
    EXPECT_EQ(written["category"_L1].toString(), u"megacorporation"_s);
    EXPECT_EQ(written["color"_L1].toString(), u"teal"_s);
    EXPECT_EQ(written["credits"_L1].toInteger(), 9'000'000'000LL);
    EXPECT_EQ(written["homeworld"_L1].toObject()["sectorX"_L1].toInteger(), -1);
    EXPECT_EQ(written["tags"_L1].toArray(),
              JsonArray({u"plutocratic"_s, u"deepRooted"_s, u"plutocratic"_s}));

    const JsonObject asset = written["assets"_L1].toArray().at(0).toObject();
    EXPECT_EQ(sortedKeys(asset), sortedKeyList({"name", "category", "hp", "cost", "tl", "type", "location",
                                                "attack", "counter", "note"}));
    EXPECT_EQ(asset["tl"_L1].toString(), u"TL12"_s);
    EXPECT_EQ(asset["type"_L1].toString(), u"specialForces"_s);
    EXPECT_EQ(asset["category"_L1].toString(), u"wealth"_s);

    const JsonObject note = written["notes"_L1].toArray().at(0).toObject();
    EXPECT_EQ(sortedKeys(note), sortedKeyList({"id", "title", "date", "content"}));
    EXPECT_EQ(sortedKeys(note["date"_L1].toObject()), sortedKeyList({"year", "day", "hour", "minute"}));
    EXPECT_EQ(note["date"_L1].toObject()["minute"_L1].toInteger(), 59);

    EXPECT_EQ(decodeRecord<Faction>(written), faction);
}

TEST(Faction, WrongValuesFailAtTheirKeyPath)
{
    const struct
    {
        const char *json;
        const char *path;
    } rows[] = {
        {R"({"name": "No id"})", "id"},
        {R"({"id": "not-a-uuid"})", "id"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "category": "megacorp"})", "category"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "category": "Race"})", "category"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "color": "Teal"})", "color"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "hp": 2.5})", "hp"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "force": "3"})", "force"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "name": 7})", "name"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "tags": ["pirates", "deeprooted"]})", "tags[1]"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "tags": "pirates"})", "tags"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "homeworld": {"row": "4"}})", "homeworld.row"},
        {R"({"id": "00000000-0000-0000-0000-00000000000A", "notes": [{"id": 1, "title": "", "content": "",
             "date": {"year": 1, "day": 2, "hour": 3}}]})",
         "notes[0].date.minute"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(decodeFailurePath<Faction>(row.json), QString::fromLatin1(row.path)) << row.json;
}

TEST(FactionAsset, EveryKeyIsRequired)
{
    const JsonObject complete = sampleFaction().assets.first().toJson();
    ASSERT_FALSE(decodeFailurePath<FactionAsset>(complete).has_value());
    for (const QString &key : complete.keys()) {
        JsonObject incomplete = complete;
        incomplete.remove(QLatin1StringView(key.toLatin1()));
        EXPECT_EQ(decodeFailurePath<FactionAsset>(incomplete), key);
    }
}

TEST(FactionAsset, AnAssetWithoutNoteFailsItsFaction)
{
    JsonObject asset = sampleFaction().assets.first().toJson();
    asset.remove("note"_L1);
    JsonObject faction{{"id"_L1, u"00000000-0000-0000-0000-00000000000A"_s}};
    faction.insert("assets"_L1, JsonArray{asset});
    EXPECT_EQ(decodeFailurePath<Faction>(faction), u"assets[0].note"_s);
}

TEST(FactionAsset, TechLevelIsStoredByItsRawValue)
{
    JsonObject asset = sampleFaction().assets.first().toJson();
    asset.insert("tl"_L1, u"4+"_s);
    EXPECT_EQ(decodeRecord<FactionAsset>(asset).tl, TechnologyLevel::tl4Plus);
    asset.insert("tl"_L1, u"tl4"_s);
    EXPECT_EQ(decodeFailurePath<FactionAsset>(asset), u"tl"_s);
}

TEST(FactionNote, NoteAndStardateRequireEveryKey)
{
    const JsonObject note = sampleFaction().notes.first().toJson();
    for (const QString &key : note.keys()) {
        JsonObject incomplete = note;
        incomplete.remove(QLatin1StringView(key.toLatin1()));
        EXPECT_EQ(decodeFailurePath<FactionNote>(incomplete), key);
    }
    const JsonObject date = note["date"_L1].toObject();
    for (const QString &key : date.keys()) {
        JsonObject incomplete = date;
        incomplete.remove(QLatin1StringView(key.toLatin1()));
        EXPECT_EQ(decodeFailurePath<Stardate>(incomplete), key);
    }
    EXPECT_EQ(decodeFailurePath<Stardate>(R"({"year": 1, "day": 2, "hour": 3, "minute": 0.5})"), u"minute"_s);
}

TEST(Faction, OrdersByLowerCasedNameOnly)
{
    Faction beta;
    beta.name = u"beta"_s;
    Faction upperAlpha;
    upperAlpha.name = u"Alpha"_s;
    upperAlpha.force = 9;
    Faction lowerAlpha;
    lowerAlpha.name = u"alpha"_s;

    QList<Faction> factions{beta, upperAlpha, lowerAlpha};
    std::stable_sort(factions.begin(), factions.end());
    EXPECT_EQ(factions[2].name, u"beta"_s);
    EXPECT_FALSE(upperAlpha < lowerAlpha);
    EXPECT_FALSE(lowerAlpha < upperAlpha);
    EXPECT_TRUE(lowerAlpha < beta);
    EXPECT_FALSE(beta < upperAlpha);
}

TEST(Faction, OrderComparesCodePointsRatherThanCollating)
{
    const struct
    {
        const char *smaller;
        const char *larger;
    } rows[] = {
        {"zulu", "\u00e9cho"},    // a collation would put é with e, before z
        {"_under", "Zulu"},       // lower-cased, "z" is above "_"; "Z" would be below it
        {"\uff21", "\U0001F600"}, // U+FF41 is below U+1F600, though its UTF-16 unit is not
        {"alpha", "alphabet"},
    };
    for (const auto &row : rows) {
        Faction a;
        a.name = QString::fromUtf8(row.smaller);
        Faction b;
        b.name = QString::fromUtf8(row.larger);
        EXPECT_TRUE(a < b) << row.smaller << " < " << row.larger;
        EXPECT_FALSE(b < a) << row.larger << " < " << row.smaller;
    }
}

TEST(Faction, EqualityAndHashCoverNestedRecords)
{
    const Faction faction = sampleFaction();
    Faction other = faction;
    EXPECT_EQ(other, faction);
    EXPECT_EQ(qHash(other), qHash(faction));

    other.assets[0].note = u"new"_s;
    EXPECT_NE(other, faction);
    EXPECT_NE(qHash(other), qHash(faction));

    Faction reordered = faction;
    std::swap(reordered.tags[0], reordered.tags[1]);
    EXPECT_NE(reordered, faction);

    Faction redated = faction;
    redated.notes[0].date.minute = 58;
    EXPECT_NE(redated, faction);
}

TEST(FactionVocabularies, RawValuesAndDisplayTexts)
{
    EXPECT_EQ(allCases<FactionTag>().size(), 25u);
    EXPECT_EQ(rawValue(FactionTag::planetaryGovernment), u"planetaryGovernment"_s);
    EXPECT_EQ(rawValue(allCases<FactionTag>().back()), u"vrusks"_s);
    EXPECT_EQ(enumFromRaw<FactionTag>(u"deepRooted"_s), FactionTag::deepRooted);
    EXPECT_FALSE(enumFromRaw<FactionTag>(u"deeprooted"_s).has_value());

    EXPECT_EQ(description(FactionCategory::megacorporation), u"Megacorps"_s);
    EXPECT_EQ(description(FactionCategory::political), u"Polities"_s);
    EXPECT_EQ(enumFromRaw<FactionCategory>(u"political"_s), FactionCategory::political);
    EXPECT_FALSE(enumFromRaw<FactionCategory>(u"Polities"_s).has_value());

    // Only the first letter is capitalised, as the editor shows them.
    EXPECT_EQ(displayText(AssetType::specialForces), u"Specialforces"_s);
    EXPECT_EQ(displayText(AssetType::logisticFacility), u"Logisticfacility"_s);
    EXPECT_EQ(displayText(AssetCategory::wealth), u"Wealth"_s);
    EXPECT_EQ(enumFromRaw<AssetType>(u"militaryUnit"_s), AssetType::militaryUnit);
}
