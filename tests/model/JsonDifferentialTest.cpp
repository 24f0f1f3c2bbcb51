// Reads the same bytes with JsonParser and with QJsonDocument: both must accept or
// reject them alike (apart from the known differences) and read the same values.
#include "QtJsonComparison.h"

#include "model/StarSystemGeneration.h"
#include "json/JsonWriter.h"

#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

enum class Outcome { same, ownRejectsLaxQt, ownAcceptsScalar, disagrees };

Outcome compare(QByteArrayView text)
{
    JsonParser::Error error;
    const std::optional<JsonValue> own = JsonParser::parse(text, &error);
    QJsonParseError qtError;
    const QJsonDocument qt = QJsonDocument::fromJson(text.toByteArray(), &qtError);
    const bool qtAccepts = qtError.error == QJsonParseError::NoError;
    if (own && qtAccepts) {
        const QJsonValue qtValue = qt.isArray() ? QJsonValue(qt.array()) : QJsonValue(qt.object());
        return sameAsQt(*own, qtValue) ? Outcome::same : Outcome::disagrees;
    }
    if (!own && !qtAccepts)
        return Outcome::same;
    if (!own)
        return qtIsKnownToBeLaxer(text, error) ? Outcome::ownRejectsLaxQt : Outcome::disagrees;
    return ownIsKnownToBeWider(*own) ? Outcome::ownAcceptsScalar : Outcome::disagrees;
}

QByteArray fixture()
{
    QFile file(QStringLiteral(VOSTREL_TEST_DATA_DIR "/legacy-factions.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(JsonDifferential, HandPickedTextsAgreeWithQJsonDocument)
{
    const struct
    {
        const char *text;
        Outcome expected;
    } rows[] = {{R"({"a": [1, -2, 3.5, 1e3, -0, 0.1, 1E-2, true, false, null, "x"]})", Outcome::same},
                {R"([9223372036854775807, -9223372036854775808, 9223372036854775808, 123456789012345678901])",
                 Outcome::same},
                {R"(["\u00e9\uD834\uDD1E\n\"\\\/", "caf\u00e9", ""])", Outcome::same},
                {"[\"\xC3\xA9\xF0\x9F\x9A\x80\"]", Outcome::same},
                {R"({"a": 1, "a": 2})", Outcome::same},
                {R"({"": {"": []}})", Outcome::same},
                {"[1,]", Outcome::same},
                {"[01]", Outcome::same},
                {"[1e309]", Outcome::same},
                {"[1e-400]", Outcome::same},
                {"[\"\xC3\x28\"]", Outcome::same},
                {"[\"\xED\xA0\x80\"]", Outcome::same},
                {"[1] x", Outcome::same},
                {"[+1]", Outcome::same},
                {"{\"a\" 1}", Outcome::same},
                {"", Outcome::same},
                {"[\"\xEF\xBB\xBF\", \"a\xEF\xBB\xBF\", {\"\xEF\xBB\xBFk\": 1}]", Outcome::same},
                {"\xEF\xBB\xBF[1]", Outcome::ownRejectsLaxQt},
                {"[\xEF\xBB\xBF 1]", Outcome::same},
                {"[\"a\tb\"]", Outcome::ownRejectsLaxQt},
                {R"(["\y"])", Outcome::ownRejectsLaxQt},
                {R"(["\ud800"])", Outcome::ownRejectsLaxQt},
                {R"(["\udc00x"])", Outcome::ownRejectsLaxQt},
                {"[.5]", Outcome::ownRejectsLaxQt},
                {"[5.]", Outcome::ownRejectsLaxQt},
                {"1", Outcome::ownAcceptsScalar},
                {R"("text")", Outcome::ownAcceptsScalar},
                {"null", Outcome::ownAcceptsScalar}};
    for (const auto &row : rows)
        EXPECT_EQ(compare(row.text), row.expected) << row.text;
}

TEST(JsonDifferential, NestingBetweenTheTwoLimitsIsTheOnlyDepthDifference)
{
    const auto nested = [](int depth) { return QByteArray(depth, '[') + QByteArray(depth, ']'); };
    EXPECT_EQ(compare(nested(JsonParser::maximumDepth)), Outcome::same);
    EXPECT_EQ(compare(nested(JsonParser::maximumDepth + 1)), Outcome::ownRejectsLaxQt);
    EXPECT_EQ(compare(nested(5000)), Outcome::same);
}

TEST(JsonDifferential, DamagedUniverseFilesAgreeWithQJsonDocument)
{
    const QByteArray good = fixture();
    ASSERT_EQ(compare(good), Outcome::same);
    int compared = 0;
    for (qsizetype length = 0; length < good.size(); length += 3) {
        EXPECT_NE(compare(good.first(length)), Outcome::disagrees) << "length " << length;
        ++compared;
    }
    // Every byte value at a spread of positions.
    for (qsizetype i = 0; i < good.size(); i += 29) {
        for (int byte = 0; byte < 256; byte += 5) {
            QByteArray damaged = good;
            damaged[i] = char(byte);
            EXPECT_NE(compare(damaged), Outcome::disagrees) << "byte " << byte << " at " << i;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(JsonDifferential, WrittenSystemsReadTheSameByBothParsers)
{
    for (int i = 0; i < 20; ++i) {
        const StarSystem system = generateStarSystem(std::nullopt, i % 2 == 0, TechnologyLevel::ttl15, true);
        const QByteArray text = JsonWriter::write(system.toJson());
        EXPECT_EQ(compare(text), Outcome::same);
        EXPECT_EQ(readJson<StarSystem>(*JsonParser::parse(text)), system);
    }
}
