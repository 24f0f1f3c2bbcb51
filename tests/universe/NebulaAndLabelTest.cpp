#include "RecordJsonSupport.h"

#include "universe/Nebula.h"
#include "universe/StarmapLabel.h"


#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kId = u"12345678-9ABC-DEF0-1234-56789ABCDEF0"_s;

JsonObject hex(int column, int row)
{
    return JsonObject{{"sectorX"_L1, 0}, {"sectorY"_L1, 0}, {"column"_L1, column}, {"row"_L1, row}};
}

JsonObject nebulaObject()
{
    return JsonObject{{"id"_L1, kId},
                       {"name"_L1, u"Veil"_s},
                       {"type"_L1, u"supernovaRemnant"_s},
                       {"hexes"_L1, JsonArray{hex(1, 1), hex(2, 1), hex(1, 1)}}};
}

JsonObject labelObject()
{
    return JsonObject{{"id"_L1, kId},
                       {"text"_L1, u"Spinward Marches"_s},
                       {"size"_L1, 18.5},
                       {"color"_L1, u"gold"_s},
                       {"angle"_L1, -0.5},
                       {"position"_L1, hex(16, 20)},
                       {"category"_L1, u"sector"_s}};
}

} // namespace

TEST(Nebula, ReadsAndWritesAllFourKeys)
{
    const Nebula nebula = decodeRecord<Nebula>(nebulaObject());
    EXPECT_EQ(nebula.name, u"Veil"_s);
    EXPECT_EQ(nebula.type, NebulaType::supernovaRemnant);
    ASSERT_EQ(nebula.hexes.size(), 3);
    EXPECT_EQ(nebula.hexes[1], (GalacticCoordinates{0, 0, 2, 1}));
    EXPECT_EQ(nebula.hexes[2], nebula.hexes[0]);
    EXPECT_EQ(nebula.toJson(), nebulaObject());

    JsonObject empty = nebulaObject();
    empty.insert("hexes"_L1, JsonArray{});
    EXPECT_TRUE(decodeRecord<Nebula>(empty).hexes.isEmpty());
    EXPECT_EQ(decodeRecord<Nebula>(empty).toJson(), empty);
}

TEST(Nebula, EveryKeyIsRequiredAndTheKindIsCaseSensitive)
{
    for (const QString &key : nebulaObject().keys()) {
        JsonObject incomplete = nebulaObject();
        incomplete.remove(QLatin1StringView(key.toLatin1()));
        EXPECT_EQ(decodeFailurePath<Nebula>(incomplete), key);
    }
    JsonObject object = nebulaObject();
    object.insert("type"_L1, u"Emission"_s);
    EXPECT_EQ(decodeFailurePath<Nebula>(object), u"type"_s);
    object.insert("type"_L1, u"emission"_s);
    EXPECT_EQ(decodeRecord<Nebula>(object).type, NebulaType::emission);
    object.insert("hexes"_L1, JsonArray{hex(1, 1), u"0101"_s});
    EXPECT_EQ(decodeFailurePath<Nebula>(object), u"hexes[1]"_s);
}

TEST(Nebula, HexOrderMatters)
{
    const Nebula nebula = decodeRecord<Nebula>(nebulaObject());
    Nebula reordered = nebula;
    std::swap(reordered.hexes[0], reordered.hexes[1]);
    EXPECT_NE(reordered, nebula);
    Nebula copy = nebula;
    EXPECT_EQ(copy, nebula);
    EXPECT_EQ(qHash(copy), qHash(nebula));
}

TEST(NebulaType, RawValuesAndDisplayTexts)
{
    EXPECT_EQ(allCases<NebulaType>().size(), 5u);
    EXPECT_EQ(rawValue(NebulaType::supernovaRemnant), u"supernovaRemnant"_s);
    EXPECT_EQ(displayText(NebulaType::supernovaRemnant), u"Supernova Remnant"_s);
    EXPECT_EQ(displayText(NebulaType::dark), u"Dark"_s);
}

TEST(StarmapLabel, ReadsAndWritesEveryKey)
{
    const StarmapLabel label = decodeRecord<StarmapLabel>(labelObject());
    EXPECT_EQ(label.text, u"Spinward Marches"_s);
    EXPECT_EQ(label.size, 18.5);
    EXPECT_EQ(label.color, FactionColor::gold);
    EXPECT_EQ(label.angle, -0.5);
    EXPECT_EQ(label.position, (GalacticCoordinates{0, 0, 16, 20}));
    EXPECT_EQ(label.category, u"sector"_s);
    EXPECT_EQ(label.toJson(), labelObject());
}

TEST(StarmapLabel, CategoryIsOptionalButAlwaysWritten)
{
    for (const std::optional<JsonValue> &missing : {std::optional<JsonValue>(), std::optional(JsonValue())}) {
        JsonObject object = labelObject();
        object.remove("category"_L1);
        if (missing)
            object.insert("category"_L1, *missing);
        const StarmapLabel label = decodeRecord<StarmapLabel>(object);
        EXPECT_TRUE(label.category.isEmpty());
        const JsonObject written = label.toJson();
        ASSERT_TRUE(written.contains("category"_L1));
        EXPECT_EQ(written["category"_L1], JsonValue(u""_s));
    }
}

TEST(StarmapLabel, AngleIsANumberOfRadiansOrAnObjectHoldingOne)
{
    JsonObject object = labelObject();
    object.insert("angle"_L1, 1.5707963267948966);
    EXPECT_EQ(decodeRecord<StarmapLabel>(object).angle, 1.5707963267948966);
    object.insert("angle"_L1, 3);
    EXPECT_EQ(decodeRecord<StarmapLabel>(object).angle, 3.0);

    object.insert("angle"_L1, JsonObject{{"radians"_L1, 0.25}});
    const StarmapLabel fromObject = decodeRecord<StarmapLabel>(object);
    EXPECT_EQ(fromObject.angle, 0.25);
    // Whatever form it was read from, it is written as a plain number.
    EXPECT_EQ(fromObject.toJson()["angle"_L1], JsonValue(0.25));
}

TEST(StarmapLabel, MissingOrMistypedKeysFailAtTheirPath)
{
    const struct
    {
        const char *key;
        std::optional<JsonValue> value; // no value removes the key
        const char *path;
    } rows[] = {
        {"id", std::nullopt, "id"},
        {"text", std::nullopt, "text"},
        {"size", std::nullopt, "size"},
        {"color", std::nullopt, "color"},
        {"angle", std::nullopt, "angle"},
        {"position", std::nullopt, "position"},
        {"size", u"18"_s, "size"},
        {"color", u"Gold"_s, "color"},
        {"color", u"#ffd700"_s, "color"},
        {"angle", JsonValue(), "angle"},
        {"angle", u"0.5"_s, "angle"},
        {"angle", JsonArray{0.5}, "angle"},
        {"angle", JsonObject{{"degrees"_L1, 90}}, "angle.radians"},
        {"angle", JsonObject{{"radians"_L1, u"1"_s}}, "angle.radians"},
        {"position", JsonObject{{"row"_L1, true}}, "position.row"},
        {"category", 4, "category"},
    };
    for (const auto &row : rows) {
        JsonObject object = labelObject();
        if (!row.value)
            object.remove(QLatin1StringView(row.key));
        else
            object.insert(QLatin1StringView(row.key), *row.value);
        EXPECT_EQ(decodeFailurePath<StarmapLabel>(object), QString::fromLatin1(row.path)) << row.key;
    }
}

TEST(StarmapLabel, LabelsDifferingOnlyInCategoryAreUnequal)
{
    const StarmapLabel label = decodeRecord<StarmapLabel>(labelObject());
    StarmapLabel recategorised = label;
    recategorised.category = u"subsector"_s;
    EXPECT_NE(recategorised, label);
    EXPECT_EQ(qHash(StarmapLabel(label)), qHash(label));
}
