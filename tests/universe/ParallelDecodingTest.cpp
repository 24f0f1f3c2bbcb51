// Systems decoded on all cores give the records and the first error (in file order,
// with its key path) that decoding them one after the other gives.
#include "UniverseStoreSupport.h"

#include "model/StarSystemGeneration.h"
#include "universe/ParallelListReader.h"

TEST_F(UniverseStoreTest, SystemsDecodedOnAllCoresMatchTheFileInOrder)
{
    StarfarerUniverse universe(folder());
    QList<HexData> data;
    for (int i = 0; i < 300; ++i) {
        HexData hex{QUuid::createUuid(), {0, 0, i % 32 + 1, i / 32 + 1}, {}, {}};
        hex.starSystem = generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true);
        hex.starSystem.name = QStringLiteral("System %1").arg(i);
        data.append(hex);
    }
    universe.setData(data);
    QByteArray bytes = universe.encode();
    QString error;
    const auto decoded = StarfarerUniverse::decode(bytes, folder(), &error);
    ASSERT_TRUE(decoded) << error.toStdString();
    EXPECT_EQ(decoded->data(), data);

    // Broken systems far into the file, then one in front of them: the earliest in
    // the file always names the error.
    for (const int broken : {271, 290, 97}) {
        bytes.replace(QStringLiteral("\"name\": \"System %1\"").arg(broken).toUtf8(), "\"name\": 7");
        EXPECT_FALSE(StarfarerUniverse::decode(bytes, folder(), &error));
        EXPECT_EQ(error, QStringLiteral("data[%1].starSystem.name: expected a string, found a number")
                             .arg(broken == 290 ? 271 : broken));
    }
}

// Any exception of an element, an allocation failure included, reaches the reading
// thread, and the first failing element in order wins whatever its kind.
TEST(ParallelListReaderFaults, TheFirstFailingElementsExceptionReachesTheReader)
{
    JsonArray ascending(500), descending(500);
    for (qint64 i = 0; i < 500; ++i) {
        ascending[std::size_t(i)] = i;
        descending[std::size_t(i)] = 499 - i;
    }
    const JsonPath root;
    const auto read = [](const JsonValue &value, const JsonPath &path) -> int {
        if (value.toInteger() == 300)
            throw std::bad_alloc();
        if (value.toInteger() >= 400)
            path.fail(QStringLiteral("broken"));
        return 0;
    };
    EXPECT_THROW(ParallelListReader::read<int>(JsonValue(ascending), root, read), std::bad_alloc);
    try {
        ParallelListReader::read<int>(JsonValue(descending), root, read);
        ADD_FAILURE() << "the read should fail";
    } catch (const DecodeError &error) {
        EXPECT_EQ(error.path(), QStringLiteral("[0]"));
    }
}
