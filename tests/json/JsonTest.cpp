#include "json/Json.h"
#include "json/JsonWriter.h"

#include "JsonTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

enum class Shade { light, dark };
struct ShadeRow
{
    Shade value;
    const char *raw;
};
constexpr std::array<ShadeRow, 2> kShades{{{Shade::light, "Light"}, {Shade::dark, "Dark"}}};

enum class Ring { inner, outer };
struct RingRow
{
    Ring value;
    int raw;
};
constexpr std::array<RingRow, 2> kRings{{{Ring::inner, 0}, {Ring::outer, 7}}};

} // namespace

template <> struct EnumTraits<Shade>
{
    static constexpr const auto &rows = kShades;
};
template <> struct EnumTraits<Ring>
{
    static constexpr const auto &rows = kRings;
};

namespace {

struct Leaf
{
    int count = 0;
    Shade shade = Shade::light;
    static Leaf fromJson(const JsonReader &r)
    {
        return {r.required<int>(QLatin1StringView("count")),
                r.optional<Shade>(QLatin1StringView("shade"), Shade::light)};
    }
    JsonObject toJson() const
    {
        return {{QLatin1StringView("count"), jsonValue(count)},
                {QLatin1StringView("shade"), jsonValue(shade)}};
    }
    bool operator==(const Leaf &) const = default;
};

struct Tree
{
    QString name;
    QList<Leaf> leaves;
    std::optional<QString> legacyOwner;
    static Tree fromJson(const JsonReader &r)
    {
        return {r.required<QString>(QLatin1StringView("name")),
                r.optional<QList<Leaf>>(QLatin1StringView("leaves"), {}),
                r.legacy<QString>(QLatin1StringView("owner"))};
    }
    JsonObject toJson() const
    {
        return {{QLatin1StringView("name"), name}, {QLatin1StringView("leaves"), jsonValue(leaves)}};
    }
};

JsonValue parse(const char *text)
{
    return parseJsonObject(text).value(QLatin1StringView("v"));
}

// The path and message of the DecodeError that reading `text` as T throws.
template <typename T> QString failure(const char *text)
{
    try {
        readJson<T>(parseJson(text));
    } catch (const DecodeError &error) {
        return error.text();
    }
    return QStringLiteral("no error");
}

} // namespace

TEST(Json, ErrorsNameTheFullKeyPath)
{
    EXPECT_EQ(failure<Tree>(R"({"leaves": []})"), QStringLiteral("name: required key is missing"));
    EXPECT_EQ(failure<Tree>(R"({"name": "oak", "leaves": [{"count": 1}, {"count": 2}, {"count": "3"}]})"),
              QStringLiteral("leaves[2].count: expected a whole number, found a string"));
    EXPECT_EQ(failure<Tree>(R"({"name": "oak", "leaves": [{"count": 1, "shade": "Pale"}]})"),
              QStringLiteral("leaves[0].shade: unknown value \"Pale\""));
    EXPECT_EQ(failure<Tree>(R"({"name": "oak", "leaves": {}})"),
              QStringLiteral("leaves: expected an array, found an object"));
}

TEST(Json, OptionalKeysTakeTheirDefaultWhenMissingOrNullButNotWhenMistyped)
{
    const Tree tree = readJson<Tree>(parseJson(R"({"name": "ash", "leaves": null})"));
    EXPECT_TRUE(tree.leaves.isEmpty());
    EXPECT_FALSE(tree.legacyOwner.has_value());
    const Leaf leaf = readJson<Leaf>(parseJson(R"({"count": 4, "shade": null})"));
    EXPECT_EQ(leaf, (Leaf{4, Shade::light}));
    EXPECT_EQ(failure<Leaf>(R"({"count": 4, "shade": 1})"),
              QStringLiteral("shade: expected a string, found a number"));
    // A required key does not accept null.
    EXPECT_EQ(failure<Leaf>(R"({"count": null})"),
              QStringLiteral("count: expected a whole number, found null"));
}

TEST(Json, LegacyKeysAreReadButNeverWritten)
{
    const Tree tree = readJson<Tree>(parseJson(R"({"name": "elm", "owner": "Ada"})"));
    ASSERT_TRUE(tree.legacyOwner.has_value());
    EXPECT_EQ(*tree.legacyOwner, QStringLiteral("Ada"));
    EXPECT_FALSE(tree.toJson().contains(QLatin1StringView("owner")));
}

TEST(Json, IntegersAreStrict)
{
    const JsonPath root;
    EXPECT_EQ(JsonCodec<qint64>::read(parse(R"({"v": 9007199254740993})"), root), 9007199254740993LL);
    EXPECT_EQ(JsonCodec<int>::read(parse(R"({"v": -40})"), root), -40);
    for (const qint64 edge : {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()}) {
        const QByteArray text = JsonWriter::write(JsonObject{{QLatin1StringView("v"), jsonValue(edge)}});
        EXPECT_EQ(
            JsonCodec<qint64>::read(JsonParser::parse(text)->object()->value(QLatin1StringView("v")), root),
            edge);
    }
    EXPECT_EQ(JsonCodec<int>::read(parse(R"({"v": 3.0})"), root), 3);
    for (const char *bad : {R"({"v": 1.5})", R"({"v": "1"})", R"({"v": true})", R"({"v": 1e300})",
                            R"({"v": 9223372036854775808})", R"({"v": [1]})"}) {
        EXPECT_THROW(JsonCodec<qint64>::read(parse(bad), root), DecodeError) << bad;
    }
    EXPECT_THROW(JsonCodec<int>::read(parse(R"({"v": 3000000000})"), root), DecodeError);
    // A fraction and a whole number too large fail for different reasons, and say which.
    EXPECT_EQ(failure<Leaf>(R"({"count": 2.5})"),
              QStringLiteral("count: expected a whole number, found 2.5"));
    EXPECT_EQ(failure<Leaf>(R"({"count": -0.5})"),
              QStringLiteral("count: expected a whole number, found -0.5"));
    EXPECT_EQ(failure<Leaf>(R"({"count": 1e19})"), QStringLiteral("count: number 1e+19 is out of range"));
    EXPECT_THROW(JsonCodec<quint8>::read(parse(R"({"v": -1})"), root), DecodeError);
}

TEST(Json, BooleansStringsAndNumbersAreStrict)
{
    const JsonPath root;
    EXPECT_TRUE(JsonCodec<bool>::read(parse(R"({"v": true})"), root));
    EXPECT_THROW(JsonCodec<bool>::read(parse(R"({"v": 1})"), root), DecodeError);
    EXPECT_THROW(JsonCodec<bool>::read(parse(R"({"v": "true"})"), root), DecodeError);
    EXPECT_THROW(JsonCodec<QString>::read(parse(R"({"v": 12})"), root), DecodeError);
    EXPECT_DOUBLE_EQ(JsonCodec<double>::read(parse(R"({"v": 12})"), root), 12.0);
    EXPECT_THROW(JsonCodec<double>::read(parse(R"({"v": "12"})"), root), DecodeError);
}

TEST(Json, UuidsAreWrittenUpperCaseAndValidatedOnRead)
{
    const QUuid id = QUuid::fromString(QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e"));
    EXPECT_EQ(jsonValue(id).toString(), QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E"));
    const JsonPath root;
    EXPECT_EQ(JsonCodec<QUuid>::read(jsonValue(id), root), id);
    EXPECT_EQ(JsonCodec<QUuid>::read(JsonValue(QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e")), root),
              id);
    for (const char *bad : {"{0F8FAD5B-D9CB-469F-A165-70867728950E}", "0F8FAD5B-D9CB-469F-A165-70867728950",
                            "not a uuid at all", "", "0F8FAD5B-D9CB-469F-A165-70867728950G"}) {
        EXPECT_THROW(JsonCodec<QUuid>::read(JsonValue(QString::fromLatin1(bad)), root), DecodeError) << bad;
    }
    EXPECT_TRUE(
        JsonCodec<QUuid>::read(JsonValue(QStringLiteral("00000000-0000-0000-0000-000000000000")), root)
            .isNull());
}

TEST(Json, EnumerationsUseTheirRawValues)
{
    const JsonPath root;
    EXPECT_EQ(jsonValue(Shade::dark), JsonValue(QStringLiteral("Dark")));
    EXPECT_EQ(JsonCodec<Shade>::read(JsonValue(QStringLiteral("Light")), root), Shade::light);
    EXPECT_THROW(JsonCodec<Shade>::read(JsonValue(QStringLiteral("light")), root), DecodeError);
    EXPECT_EQ(jsonValue(Ring::outer), JsonValue(7));
    EXPECT_EQ(JsonCodec<Ring>::read(JsonValue(7), root), Ring::outer);
    EXPECT_THROW(JsonCodec<Ring>::read(JsonValue(1), root), DecodeError);
    EXPECT_THROW(JsonCodec<Ring>::read(JsonValue(QStringLiteral("7")), root), DecodeError);
}
