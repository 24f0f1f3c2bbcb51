// The settings' worker: what is set while a write runs is written together once it
// ends, each key with the latest of its values.
#include "HeldSettings.h"
#include "RunningWaits.h"

#include "universe/SettingsWriter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// What the file holds, read as another start of the program would.
QMap<QString, QString> written(const QString &file)
{
    QSettings settings(file, held_settings::format());
    QMap<QString, QString> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key).toString());
    return values;
}

} // namespace

// However many values are set, and removed, while a write is held, one more write
// follows it, with the latest value of every key (and without the keys removed last).
TEST(SettingsWriter, WhatIsSetDuringAWriteIsWrittenOnceWithTheLatestOfEachKey)
{
    QTemporaryDir folder;
    std::mt19937 random(20250611);
    const QStringList keys = {QStringLiteral("lastUniverseID"), QStringLiteral("didMigrateToUniverses"),
                              QStringLiteral("a"), QStringLiteral("b")};
    for (int round = 0; round < 8; ++round) {
        const QString file = folder.filePath(QStringLiteral("round%1.conf").arg(round));
        QMap<QString, QString> expected;
        held_settings::Hold hold;
        {
            SettingsWriter writer(file, held_settings::format());
            writer.set(QStringLiteral("first"), round);
            expected.insert(QStringLiteral("first"), QString::number(round));
            ASSERT_TRUE(acquireRunning(held_settings::started)) << "the first write never began";
            const int changes = 1 + int(random() % 300);
            for (int i = 0; i < changes; ++i) {
                const QString &key = keys.at(int(random() % keys.size()));
                if (random() % 4 == 0) {
                    writer.set(key, QVariant());
                    expected.remove(key);
                } else {
                    writer.set(key, i);
                    expected.insert(key, QString::number(i));
                }
            }
            hold.letGo();
        }
        EXPECT_FALSE(held_settings::timedOut);
        EXPECT_EQ(held_settings::writes, 2) << round;
        EXPECT_EQ(written(file), expected) << round;
    }
}
