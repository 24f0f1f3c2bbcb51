// Systems decoded on all cores against the same systems decoded one after the other:
// the same records, and for a broken file the same first error with its key path.
#include "UniverseStoreSupport.h"

#include "model/StarSystemGeneration.h"
#include "universe/ParallelListReader.h"
#include "json/JsonParser.h"

namespace {

// The error of reading the file's systems one by one, or nothing when they read.
QString serialError(const QByteArray &bytes)
{
    const auto document = JsonParser::parse(bytes);
    const JsonObject &root = *document->object();
    const JsonPath top;
    try {
        JsonCodec<QList<HexData>>::read(*root.find(QLatin1StringView("data")),
                                        JsonPath(&top, QLatin1StringView("data")));
    } catch (const DecodeError &error) {
        return error.text();
    }
    return QString();
}

} // namespace

class ParallelDecoding : public UniverseStoreTest
{
protected:
    QByteArray generatedFile(int systems)
    {
        StarfarerUniverse universe(folder());
        QList<HexData> data;
        for (int i = 0; i < systems; ++i) {
            HexData hex;
            hex.id = QUuid::createUuid();
            hex.coordinates = {i / 1280, 0, i % 32 + 1, i / 32 % 40 + 1};
            hex.starSystem = generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true);
            hex.starSystem.name = QStringLiteral("System %1").arg(i);
            data.append(hex);
        }
        universe.setData(data);
        m_data = data;
        return universe.encode();
    }

    QList<HexData> m_data;
};

TEST_F(ParallelDecoding, SystemsReadOnAllCoresEqualThoseReadOneByOne)
{
    const QByteArray bytes = generatedFile(300);
    QString error;
    const auto universe = StarfarerUniverse::decode(bytes, folder(), &error);
    ASSERT_TRUE(universe) << error.toStdString();
    EXPECT_EQ(universe->data(), m_data);
    EXPECT_EQ(universe->encode(), bytes);
    EXPECT_TRUE(serialError(bytes).isEmpty());
}

TEST_F(ParallelDecoding, TheFirstBrokenSystemInFileOrderFailsTheLoadWithItsFullPath)
{
    const QByteArray good = generatedFile(300);
    // One broken system far into the file, then a second one after it and one in
    // front of it: the earliest in the file always names the error.
    QByteArray bytes = good;
    bytes.replace("\"name\": \"System 271\"", "\"name\": 271");
    QString error;
    EXPECT_FALSE(StarfarerUniverse::decode(bytes, folder(), &error));
    EXPECT_EQ(error, QStringLiteral("data[271].starSystem.name: expected a string, found a number"));
    EXPECT_EQ(error, serialError(bytes));

    bytes.replace("\"name\": \"System 290\"", "\"name\": null");
    EXPECT_FALSE(StarfarerUniverse::decode(bytes, folder(), &error));
    EXPECT_EQ(error, serialError(bytes));
    EXPECT_TRUE(error.startsWith(QStringLiteral("data[271].")));

    bytes.replace("\"name\": \"System 97\"", "\"name\": false");
    EXPECT_FALSE(StarfarerUniverse::decode(bytes, folder(), &error));
    EXPECT_EQ(error, serialError(bytes));
    EXPECT_TRUE(error.startsWith(QStringLiteral("data[97].starSystem.name: "))) << error.toStdString();
}

// An element that cannot be allocated is an error of the whole read like any other,
// raised on the reading thread; the first failing element in order still wins.
TEST(ParallelListReaderFaults, AnAllocationFailureOnAWorkerIsRaisedToTheReader)
{
    JsonArray numbers;
    for (int i = 0; i < 500; ++i)
        numbers.push_back(i);
    const JsonValue array(numbers);
    const JsonPath root;
    const auto failing = [](const JsonValue &value, const JsonPath &path) -> int {
        const qint64 number = value.toInteger();
        if (number == 300 || number == 450)
            throw std::bad_alloc();
        if (number == 400)
            path.fail(QStringLiteral("broken"));
        return int(number);
    };
    EXPECT_THROW(ParallelListReader::read<int>(array, root, failing), std::bad_alloc);

    const auto decodeErrorFirst = [](const JsonValue &value, const JsonPath &path) -> int {
        if (value.toInteger() == 499)
            throw std::bad_alloc();
        if (value.toInteger() >= 120)
            path.fail(QStringLiteral("broken"));
        return 0;
    };
    try {
        ParallelListReader::read<int>(array, root, decodeErrorFirst);
        ADD_FAILURE() << "the read should fail";
    } catch (const DecodeError &error) {
        EXPECT_EQ(error.path(), QStringLiteral("[120]"));
    }
}
