// Feeds the document reader a corpus of broken files made from a good one: it must
// never crash, never hand back a partial document, and never change the file.
#include "UniverseStoreSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

namespace {

QByteArray goodFile()
{
    QFile file(QStringLiteral(VOSTREL_TEST_DATA_DIR "/legacy-factions.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A value of another JSON type than `value` (null is never used: it means "absent").
QJsonValue otherType(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String: return 12345;
    case QJsonValue::Double: return QStringLiteral("12");
    case QJsonValue::Bool: return QStringLiteral("true");
    case QJsonValue::Array: return QJsonObject{{QStringLiteral("x"), 1}};
    case QJsonValue::Object: return QJsonArray{1, 2};
    default: return 0;
    }
}

// Calls `visit` with a copy of `root` in which the value at one path is replaced, for
// every value in the tree.
void forEachMutation(const QJsonValue &root, const std::function<QJsonValue(const QJsonValue &)> &replace,
                     const std::function<void(const QJsonValue &, const QString &)> &visit,
                     const QString &path = QString())
{
    if (root.isObject()) {
        const QJsonObject object = root.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString childPath = path + QLatin1Char('.') + it.key();
            QJsonObject mutated = object;
            mutated.insert(it.key(), replace(it.value()));
            visit(mutated, childPath);
            forEachMutation(it.value(), replace, [&](const QJsonValue &child, const QString &where) {
                QJsonObject withChild = object;
                withChild.insert(it.key(), child);
                visit(withChild, where);
            }, childPath);
        }
    } else if (root.isArray()) {
        const QJsonArray array = root.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QString childPath = path + QStringLiteral("[%1]").arg(i);
            QJsonArray mutated = array;
            mutated.replace(i, replace(array.at(i)));
            visit(mutated, childPath);
            forEachMutation(array.at(i), replace, [&](const QJsonValue &child, const QString &where) {
                QJsonArray withChild = array;
                withChild.replace(i, child);
                visit(withChild, where);
            }, childPath);
        }
    }
}

} // namespace

using UniverseCorpus = UniverseStoreTest;

TEST_F(UniverseCorpus, TheGoodFileReads)
{
    ASSERT_TRUE(StarfarerUniverse::decode(goodFile(), folder()));
}

TEST_F(UniverseCorpus, EveryTruncationFails)
{
    const QByteArray good = goodFile().trimmed();
    for (qsizetype length = 0; length < good.size(); ++length)
        EXPECT_FALSE(StarfarerUniverse::decode(good.first(length), folder())) << "length " << length;
}

TEST_F(UniverseCorpus, AWrongTypeAnywhereFailsTheWholeLoad)
{
    const QJsonObject good = QJsonDocument::fromJson(goodFile()).object();
    int mutations = 0;
    forEachMutation(good, otherType, [&](const QJsonValue &mutated, const QString &where) {
        ++mutations;
        const QByteArray bytes = QJsonDocument(mutated.toObject()).toJson();
        EXPECT_FALSE(StarfarerUniverse::decode(bytes, folder())) << where.toStdString();
    });
    EXPECT_GT(mutations, 100);
}

TEST_F(UniverseCorpus, HostileBytesNeverCrashTheReader)
{
    const QByteArray good = goodFile();
    QList<QByteArray> corpus;
    corpus << QByteArray("\xFF\xFE{\"name\": \"x\"}") << QByteArray("{\"name\": \"\xC3\x28\"}")
           << QByteArray("{\"name\": \"\xED\xA0\x80\"}") << QByteArray(4096, '[') << QByteArray(100000, '{')
           << QByteArray("{\"data\": [") + QByteArray(5000, '[') << QByteArray("\0\0\0", 3)
           << QByteArray("{\"selectedFactionIDs\": 1e999999}") << QByteArray("{\"mapShowLabels\": -0}");
    QByteArray huge = good;
    huge.replace("\"temperature\": 2", "\"temperature\": 123456789012345678901234567890");
    corpus << huge;
    QByteArray hugeSize = good;
    hugeSize.replace("\"size\": 8", "\"size\": 9223372036854775807");
    corpus << hugeSize;
    QByteArray negativeOrbit = good;
    negativeOrbit.replace("\"sunOrbit\": 3", "\"sunOrbit\": -9223372036854775808");
    corpus << negativeOrbit;
    // Flip bytes one by one through the first part of the file.
    for (qsizetype i = 0; i < qMin<qsizetype>(good.size(), 1500); i += 7) {
        QByteArray flipped = good;
        flipped[i] = char(flipped[i] ^ 0x5A);
        corpus << flipped;
    }
    for (const QByteArray &bytes : corpus) {
        QString error;
        const auto universe = StarfarerUniverse::decode(bytes, folder(), &error);
        // Either a whole document, or a reason and nothing else.
        EXPECT_TRUE(universe ? error.isEmpty() : !error.isEmpty());
    }
}

TEST_F(UniverseCorpus, ReadingABrokenFileNeverChangesIt)
{
    const QByteArray broken = goodFile().replace("\"Kesh\"", "42");
    const QString path = writeFile(folder().fileFor(QUuid::createUuid()), broken);
    const QDateTime modified = QFileInfo(path).lastModified();
    EXPECT_FALSE(StarfarerUniverse::readFile(path, folder()));
    EXPECT_EQ(contents(path), broken);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
}
