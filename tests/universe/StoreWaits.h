#pragma once

// The store changes its current universe from the event loop: these run it until
// what was asked of the store is done.

#include "universe/UniverseManager.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

// Creates a universe; true once it is current, false once the store gave up on it.
inline bool createAndWait(UniverseManager &manager, const QString &name)
{
    QSignalSpy current(&manager, &UniverseManager::currentChanged);
    manager.create(name);
    return QTest::qWaitFor([&] { return !manager.opening(); }, 30000) && !current.isEmpty();
}

// Deletes a listed universe; true once its file is gone (and, when it was the current
// one, another universe is current), false once the store told why it could not.
inline bool deleteAndWait(UniverseManager &manager, const UniverseManager::Header &header)
{
    QSignalSpy failed(&manager, &UniverseManager::operationFailed);
    manager.deleteUniverse(header);
    return QTest::qWaitFor([&] { return !manager.opening(); }, 30000) && failed.isEmpty();
}

// The store writes its settings on a worker: waits, with the event loop running,
// until the settings hold the migration marked done.
inline testing::AssertionResult marksMigrationDone(const QSettings &settings)
{
    if (QTest::qWaitFor([&] { return settings.value(UniverseManager::kDidMigrateKey).toBool(); }, 10000))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the migration is not marked done";
}

// Whether `settings` come to remember the universe `id` as the last one opened: the
// store writes them on a worker.
inline testing::AssertionResult remembers(const QSettings &settings, const QString &id)
{
    const auto remembered = [&] { return settings.value(UniverseManager::kLastUniverseIDKey).toString(); };
    if (QTest::qWaitFor([&] { return remembered() == id; }, 10000))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "remembers " << remembered().toStdString() << ", not " << id.toStdString();
}
