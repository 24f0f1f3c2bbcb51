#include "HeldSettings.h"
#include "RunningWaits.h"
#include "StoreWaits.h"
#include "UniverseStoreSupport.h"
#include "universe/WorkerPools.h"

#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>

#include <atomic>

namespace {

QString upper(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QStringList names(const QList<UniverseManager::Header> &headers)
{
    QStringList result;
    for (const auto &header : headers)
        result.append(header.name);
    return result;
}

} // namespace

using StartUp = UniverseStoreTest;

TEST_F(StartUp, FirstStartCreatesAndRemembersMyUniverse)
{
    auto manager = startManager();
    StarfarerUniverse *universe = manager->current();
    ASSERT_NE(universe, nullptr);
    EXPECT_EQ(universe->name(), QStringLiteral("My Universe"));
    EXPECT_EQ(universeFiles(), QStringList{upper(universe->id()) + QStringLiteral(".json")});
    EXPECT_TRUE(remembers(m_settings, upper(universe->id())));
    EXPECT_TRUE(marksMigrationDone(m_settings));
    ASSERT_EQ(manager->headers().size(), 1);
    EXPECT_EQ(manager->headers().first().id, universe->id());
    EXPECT_FALSE(manager->loadError().has_value());
}

TEST_F(StartUp, OpensTheRememberedUniverse)
{
    const QUuid alpha = QUuid::createUuid(), beta = QUuid::createUuid();
    writeUniverse(alpha, QStringLiteral("Alpha"));
    writeUniverse(beta, QStringLiteral("Beta"));
    m_settings.setValue(QStringLiteral("lastUniverseID"), upper(beta));
    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), beta);
    EXPECT_EQ(names(manager->headers()), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
}

// The universe chosen last is in the settings file by the time the store is gone,
// each choice in turn, although the file is written off the GUI thread: a crash right
// after never reopens an older choice.
TEST_F(StartUp, EveryUniverseChosenIsRememberedOnDiskWhenTheStoreIsGone)
{
    const QUuid alpha = QUuid::createUuid(), beta = QUuid::createUuid();
    writeUniverse(alpha, QStringLiteral("Alpha"));
    writeUniverse(beta, QStringLiteral("Beta"));
    const QString settingsFile = m_settings.fileName();
    for (const QUuid &chosen : {alpha, beta, alpha}) {
        auto manager = startManager();
        const auto header =
            std::find_if(manager->headers().cbegin(), manager->headers().cend(),
                         [&chosen](const UniverseManager::Header &h) { return h.id == chosen; });
        ASSERT_NE(header, manager->headers().cend());
        if (manager->current()->id() != chosen)
            openAndWait(*manager, *header);
        ASSERT_EQ(manager->current()->id(), chosen);
        manager.reset();
        // Read as another program would, not through the settings of this process.
        const QByteArray written = contents(settingsFile);
        EXPECT_TRUE(written.contains(upper(chosen).toUtf8())) << written.toStdString();
        EXPECT_FALSE(written.contains(upper(chosen == alpha ? beta : alpha).toUtf8()));
    }
}

// Neither a first start nor switching universes waits for the settings file: while
// its writes are held, with its lock, on their worker, every switch ends; once they
// go, the file remembers the last universe chosen and the migration done.
TEST_F(StartUp, SwitchingNeverWaitsForTheSettingsFile)
{
    // A first start: the store marks its one-time migration done in the file too.
    QSettings settings(m_documents.filePath(QStringLiteral("slow.conf")), held_settings::format());
    QList<UniverseManager::Header> listed;
    for (const QString &name : {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}) {
        const QUuid id = QUuid::createUuid();
        listed.append({id, name, writeUniverse(id, name)});
    }

    {
        UniverseManager manager(folder(), &settings);
        // The writes go however the test ends, before the store, made first and so
        // gone last, waits for them.
        const held_settings::Hold hold;
        ASSERT_TRUE(manager.start());
        for (const UniverseManager::Header &header : {listed[1], listed[2], listed[0], listed[2]}) {
            if (header.id != manager.current()->id())
                openAndWait(manager, header);
            ASSERT_EQ(manager.current()->id(), header.id);
        }
    }
    EXPECT_FALSE(held_settings::timedOut);
    const QByteArray written = contents(settings.fileName());
    EXPECT_TRUE(written.contains(upper(listed[2].id).toUtf8())) << written.toStdString();
    EXPECT_TRUE(written.contains(UniverseManager::kDidMigrateKey.toUtf8() + "=true"))
        << written.toStdString();
}

TEST_F(StartUp, ARememberedUniverseWhoseFileIsGoneFallsBackSilently)
{
    const QUuid alpha = QUuid::createUuid();
    writeUniverse(alpha, QStringLiteral("Zeta"));
    writeUniverse(QUuid::createUuid(), QStringLiteral("Zulu"));
    m_settings.setValue(QStringLiteral("lastUniverseID"), upper(QUuid::createUuid()));
    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), alpha);
    EXPECT_FALSE(manager->loadError().has_value());
    EXPECT_TRUE(remembers(m_settings, upper(alpha)));
}

TEST_F(StartUp, ACorruptRememberedUniverseIsReportedAndLeftByteForByte)
{
    const QUuid broken = QUuid::createUuid(), good = QUuid::createUuid();
    const QByteArray corrupt =
        QStringLiteral("{\"id\": \"%1\", \"name\": \"Broken\", \"data\": 5}").arg(upper(broken)).toUtf8();
    const QString brokenPath = writeFile(folder().fileFor(broken), corrupt);
    writeUniverse(good, QStringLiteral("Good"));
    m_settings.setValue(QStringLiteral("lastUniverseID"), upper(broken));

    auto manager = startManager();
    // "Broken" sorts first and is listed (its id and name read), but cannot be opened.
    EXPECT_NE(manager->current()->id(), broken);
    EXPECT_TRUE(manager->loadError().has_value());
    EXPECT_EQ(contents(brokenPath), corrupt);
    manager->current()->setName(QStringLiteral("Renamed"));
    EXPECT_TRUE(manager->current()->saveNow());
    EXPECT_EQ(contents(brokenPath), corrupt);
}

TEST_F(StartUp, AGarbageSettingFallsBackToTheFirstByName)
{
    writeUniverse(QUuid::createUuid(), QStringLiteral("b"));
    const QUuid first = QUuid::createUuid();
    writeUniverse(first, QStringLiteral("A"));
    m_settings.setValue(QStringLiteral("lastUniverseID"), QStringLiteral("not an id"));
    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), first);
}

using Migration = UniverseStoreTest;

TEST_F(Migration, CopiesAnUntitledLegacyUniverseAsMyUniverseAndLeavesTheOriginal)
{
    const QUuid id = QUuid::createUuid();
    const QByteArray legacy =
        QStringLiteral("{\"id\": \"%1\", \"name\": \"Untitled Universe\", \"mapShowLabels\": false}")
            .arg(upper(id))
            .toUtf8();
    const QString legacyPath = writeFile(folder().legacyFilePath(), legacy);

    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), id);
    EXPECT_EQ(manager->current()->name(), QStringLiteral("My Universe"));
    EXPECT_FALSE(manager->current()->mapShowLabels());
    EXPECT_EQ(universeFiles(), QStringList{upper(id) + QStringLiteral(".json")});
    EXPECT_EQ(contents(legacyPath), legacy);
    EXPECT_TRUE(marksMigrationDone(m_settings));

    // Not repeated: with the copy gone, the next start makes a new universe instead.
    QFile::remove(folder().fileFor(id));
    manager.reset();
    auto again = startManager();
    EXPECT_NE(again->current()->id(), id);
}

TEST_F(Migration, ALegacyFileWithoutIdOrNameGetsANewIdAndMyUniverse)
{
    writeFile(folder().legacyFilePath(), "{\"name\": \"\"}");
    auto manager = startManager();
    EXPECT_EQ(manager->current()->name(), QStringLiteral("My Universe"));
    EXPECT_TRUE(QFile::exists(folder().fileFor(manager->current()->id())));
}

TEST_F(Migration, KeepsANamedLegacyUniverseName)
{
    writeFile(folder().legacyFilePath(), "{\"name\": \"Spinward\"}");
    auto manager = startManager();
    EXPECT_EQ(manager->current()->name(), QStringLiteral("Spinward"));
}

TEST_F(Migration, IsSkippedWhenUniversesExistButStillMarkedDone)
{
    const QUuid existing = QUuid::createUuid();
    writeUniverse(existing, QStringLiteral("Existing"));
    writeFile(folder().legacyFilePath(), "{\"name\": \"Legacy\"}");
    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), existing);
    EXPECT_EQ(universeFiles().size(), 1);
    EXPECT_TRUE(marksMigrationDone(m_settings));
}

TEST_F(Migration, AnUnreadableLegacyFileIsReportedMarkedDoneAndLeftAlone)
{
    const QString legacyPath = writeFile(folder().legacyFilePath(), "{\"name\": 12}");
    auto manager = startManager();
    EXPECT_EQ(manager->current()->name(), QStringLiteral("My Universe"));
    EXPECT_TRUE(manager->loadError().has_value());
    EXPECT_EQ(contents(legacyPath), QByteArray("{\"name\": 12}"));
    EXPECT_TRUE(marksMigrationDone(m_settings));
}

using Operations = UniverseStoreTest;

TEST_F(Operations, CreateTrimsTheNameSwitchesAndRemembers)
{
    auto manager = startManager();
    QSignalSpy currentSpy(manager.get(), &UniverseManager::currentChanged);
    ASSERT_TRUE(createAndWait(*manager, QStringLiteral("  Trailing Stars \n")));
    EXPECT_EQ(currentSpy.count(), 1);
    EXPECT_EQ(manager->current()->name(), QStringLiteral("Trailing Stars"));
    EXPECT_TRUE(remembers(m_settings, upper(manager->current()->id())));
    EXPECT_EQ(names(manager->headers()),
              (QStringList{QStringLiteral("My Universe"), QStringLiteral("Trailing Stars")}));

    ASSERT_TRUE(createAndWait(*manager, QStringLiteral("   ")));
    EXPECT_EQ(manager->current()->name(), QStringLiteral("Untitled Universe"));
}

TEST_F(Operations, RenameTrimsSavesAndRefreshesHeadersButNotTheRememberedId)
{
    auto manager = startManager();
    ASSERT_TRUE(remembers(m_settings, upper(manager->current()->id())));
    m_settings.setValue(QStringLiteral("lastUniverseID"), QStringLiteral("untouched"));
    QSignalSpy nameSpy(manager->current(), &StarfarerUniverse::nameChanged);
    QSignalSpy currentSpy(manager.get(), &UniverseManager::currentChanged);
    // The write is held: the listing shows the new name before the file has it.
    QSemaphore writeStarted, writeMayGo;
    manager->current()->setWriteObserver([&](const UniverseContents &) {
        writeStarted.release();
        writeMayGo.acquire();
    });
    manager->renameCurrent(QStringLiteral(" Core Worlds "));
    // A rename that asks for no save fails here instead of waiting for ever.
    ASSERT_TRUE(acquireRunning(writeStarted));
    EXPECT_EQ(nameSpy.count(), 1);
    EXPECT_EQ(currentSpy.count(), 0);
    EXPECT_EQ(names(manager->headers()), QStringList{QStringLiteral("Core Worlds")});
    EXPECT_FALSE(contents(manager->current()->filePath()).contains("Core Worlds"));
    writeMayGo.release();
    ASSERT_TRUE(manager->current()->waitForPendingSave());
    EXPECT_TRUE(contents(manager->current()->filePath()).contains("Core Worlds"));
    EXPECT_EQ(names(manager->loadHeaders()), QStringList{QStringLiteral("Core Worlds")});

    manager->current()->setWriteObserver({});
    manager->renameCurrent(QStringLiteral("Core Worlds"));
    ASSERT_TRUE(manager->current()->waitForPendingSave());
    EXPECT_EQ(nameSpy.count(), 1);

    // Another universe in the folder keeps the name its file holds.
    const QUuid other = QUuid::createUuid();
    writeUniverse(other, QStringLiteral("Annex"));
    manager->renameCurrent(QStringLiteral("Zenith"));
    ASSERT_TRUE(manager->current()->waitForPendingSave());
    EXPECT_EQ(names(manager->headers()), (QStringList{QStringLiteral("Annex"), QStringLiteral("Zenith")}));

    // The settings are written on the store's worker, which is done once the store is
    // gone: no rename wrote them.
    manager.reset();
    EXPECT_EQ(m_settings.value(QStringLiteral("lastUniverseID")).toString(), QStringLiteral("untouched"));
}

TEST_F(Operations, OpenSetsAndClearsTheLoadError)
{
    auto manager = startManager();
    const QUuid broken = QUuid::createUuid(), good = QUuid::createUuid();
    writeFile(folder().fileFor(broken),
              QStringLiteral("{\"id\": \"%1\", \"name\": \"Broken\", \"mapViewMode\": \"pilot\"}")
                  .arg(upper(broken))
                  .toUtf8());
    writeUniverse(good, QStringLiteral("Good"));
    ASSERT_TRUE(createAndWait(*manager, QStringLiteral("Other")));
    const auto listed = manager->loadHeaders();
    auto header = [&](const QUuid &id) {
        return *std::find_if(listed.cbegin(), listed.cend(), [&](const auto &h) { return h.id == id; });
    };
    const QUuid before = manager->current()->id();

    openAndWait(*manager, header(broken));
    EXPECT_EQ(manager->current()->id(), before);
    ASSERT_TRUE(manager->loadError().has_value());
    EXPECT_EQ(*manager->loadError(),
              QStringLiteral("Couldn\u2019t open that universe \u2014 its file may be corrupt."));

    openAndWait(*manager, header(before)); // the current one: nothing changes, not even the error
    EXPECT_TRUE(manager->loadError().has_value());

    openAndWait(*manager, header(good));
    EXPECT_EQ(manager->current()->id(), good);
    EXPECT_FALSE(manager->loadError().has_value());
    EXPECT_TRUE(remembers(m_settings, upper(good)));
}

TEST_F(Operations, DeletingAnotherUniverseLeavesTheCurrentOne)
{
    auto manager = startManager();
    const QUuid other = QUuid::createUuid();
    writeUniverse(other, QStringLiteral("Other"));
    StarfarerUniverse *current = manager->current();
    const auto listed = manager->loadHeaders();
    const auto otherHeader =
        *std::find_if(listed.cbegin(), listed.cend(), [&](const auto &h) { return h.id == other; });
    EXPECT_TRUE(deleteAndWait(*manager, otherHeader));
    EXPECT_EQ(manager->current(), current);
    EXPECT_FALSE(QFile::exists(folder().fileFor(other)));
    EXPECT_EQ(manager->headers().size(), 1);
}

TEST_F(Operations, DeleteRemovesExactlyTheListedFile)
{
    auto manager = startManager();
    // A file whose inner id is not its name, and one with a lower-case name.
    const QUuid inner = QUuid::createUuid();
    const QString odd =
        writeFile(QDir(universesPath()).filePath(QStringLiteral("copy.json")),
                  QStringLiteral("{\"id\": \"%1\", \"name\": \"Copy\"}").arg(upper(inner)).toUtf8());
    const QUuid victim = QUuid::createUuid();
    writeUniverse(victim, QStringLiteral("Victim"));
    const auto listed = manager->loadHeaders();
    const auto copy =
        *std::find_if(listed.cbegin(), listed.cend(), [&](const auto &h) { return h.id == inner; });
    EXPECT_TRUE(deleteAndWait(*manager, copy));
    EXPECT_FALSE(QFile::exists(odd));
    EXPECT_TRUE(QFile::exists(folder().fileFor(victim)));
    EXPECT_TRUE(QFile::exists(manager->current()->filePath()));

    // The current universe deleted too: once the workers are done, nothing of either
    // file is left under any name.
    const QString current = manager->current()->filePath();
    const auto currentHeader = std::find_if(manager->headers().cbegin(), manager->headers().cend(),
                                            [&](const auto &h) { return h.filePath == current; });
    ASSERT_NE(currentHeader, manager->headers().cend());
    EXPECT_TRUE(deleteAndWait(*manager, *currentHeader));
    waitForWorkers();
    const QStringList left = QDir(universesPath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString &gone : {QFileInfo(odd).fileName(), QFileInfo(current).fileName()}) {
        EXPECT_FALSE(std::any_of(left.cbegin(), left.cend(), [&](const QString &name) {
            return name.startsWith(gone);
        })) << left.join(u' ').toStdString();
    }
    EXPECT_TRUE(QFile::exists(folder().fileFor(victim)));
}

using Listing = UniverseStoreTest;

TEST_F(Listing, SortsByNameIgnoringCaseWithNumbersByValueAndStably)
{
    QDir().mkpath(universesPath());
    for (const char *name : {"world 10", "World 9", "alpha", "Beta"})
        writeUniverse(QUuid::createUuid(), QString::fromLatin1(name));
    auto manager = startManager();
    EXPECT_EQ(names(manager->headers()),
              (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta"), QStringLiteral("World 9"),
                           QStringLiteral("world 10")}));
}

TEST_F(Listing, OnlyReadableJsonUniversesAreListed)
{
    QDir().mkpath(universesPath());
    const QUuid hidden = QUuid::createUuid();
    writeFile(QDir(universesPath()).filePath(QStringLiteral(".hidden.json")),
              QStringLiteral("{\"id\": \"%1\", \"name\": \"Hidden\"}").arg(upper(hidden)).toUtf8());
    writeFile(
        QDir(universesPath()).filePath(QStringLiteral("upper.JSON")),
        QStringLiteral("{\"id\": \"%1\", \"name\": \"Upper\"}").arg(upper(QUuid::createUuid())).toUtf8());
    writeFile(QDir(universesPath()).filePath(QStringLiteral("notes.txt")), "hello");
    writeFile(QDir(universesPath()).filePath(QStringLiteral("nameless.json")),
              QStringLiteral("{\"id\": \"%1\"}").arg(upper(QUuid::createUuid())).toUtf8());
    writeFile(QDir(universesPath()).filePath(QStringLiteral("garbage.json")), "\x01\x02 not json");
    writeFile(QDir(universesPath()).filePath(QStringLiteral("bom.json")),
              "\xEF\xBB\xBF{\"id\": \"0F8FAD5B-D9CB-469F-A165-70867728950E\", \"name\": \"Bom\"}");
    auto manager = startManager();
    EXPECT_EQ(names(manager->headers()), (QStringList{QStringLiteral("Bom"), QStringLiteral("Hidden")}));
}
