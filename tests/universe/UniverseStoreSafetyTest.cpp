#include "ScriptedWrites.h"
#include "UniverseStoreSupport.h"

#include "universe/FolderLock.h"
#include "universe/UniverseFileReader.h"
#include "universe/WorkerPools.h"

#include <QLockFile>
#include <QSaveFile>
#include <QSignalSpy>

#include <functional>

#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `work` in a child process that then dies without cleaning up, as a killed
// instance would: whatever it left open (a lock, a temporary file) stays behind.
void inDyingChild(const std::function<void()> &work)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

// Names, sizes and stamps of everything in a folder.
QStringList snapshot(const QString &path)
{
    QStringList entries;
    const QFileInfoList infos = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : infos) {
        entries.append(QStringLiteral("%1 %2 %3 %4")
                           .arg(info.fileName(), info.symLinkTarget())
                           .arg(info.isSymLink() ? 0 : info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    return entries;
}

QString upper(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace

using StoreSafety = UniverseStoreTest;

TEST_F(StoreSafety, PipesDevicesAndHugeFilesAreReportedNeverReadAndLeftAlone)
{
    const QUuid good = QUuid::createUuid(), pipe = QUuid::createUuid(), device = QUuid::createUuid(),
                huge = QUuid::createUuid();
    writeUniverse(good, QStringLiteral("Good"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder().fileFor(pipe)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder().fileFor(device)));
    {
        QFile sparse(folder().fileFor(huge));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sparse.resize(qint64(20) << 30));
    }
    QString reason;
    EXPECT_FALSE(UniverseFileReader::read(folder().fileFor(huge), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("too large"))) << reason.toStdString();

    for (const QUuid &hostile : {pipe, device, huge}) {
        m_settings.setValue(QStringLiteral("lastUniverseID"), upper(hostile));
        const QStringList before = snapshot(universesPath());
        auto manager = startManager();
        EXPECT_EQ(manager->current()->id(), good);
        EXPECT_TRUE(manager->loadError().has_value());
        ASSERT_EQ(manager->headers().size(), 1);
        manager.reset();
        EXPECT_EQ(snapshot(universesPath()), before);
    }
}

TEST_F(StoreSafety, ASecondInstanceIsRefusedWhileTheFirstRunsAndAStaleLockIsTakenOver)
{
    auto first = startManager();
    const QStringList before = universeFiles();
    UniverseManager second(folder(), &m_settings);
    EXPECT_FALSE(second.start(FolderLock::OtherHostLock::takeOver));
    EXPECT_TRUE(second.lockHost().isEmpty()); // this computer's instance runs: not one to take over
    EXPECT_EQ(second.current(), nullptr);
    EXPECT_EQ(universeFiles(), before);

    first.reset();
    inDyingChild([this] {
        QLockFile lock(folder().lockFilePath());
        if (lock.tryLock())
            _exit(0);
        _exit(1);
    });
    EXPECT_TRUE(QFile::exists(folder().lockFilePath()));
    auto third = startManager();
    EXPECT_NE(third->current(), nullptr);
}

// No running instance leaves a lock it cannot read: such a lock is taken over at
// once when it is old, and after a moment when it was just made (an instance starting
// this very moment writes its lock right after creating it). A folder in its place is
// removed, or moved aside when something is in it.
TEST_F(StoreSafety, ALockThatCannotBeReadIsTakenOver)
{
    const QString lock = folder().lockFilePath();
    const QString inside = QStringLiteral("kept.txt");
    struct Case
    {
        std::function<void()> make;
        bool old;
    };
    const QList<Case> unreadable = {
        {[&] { writeFile(lock, QByteArray()); }, false},
        {[&] { writeFile(lock, QByteArray()); }, true},
        {[&] { writeFile(lock, "\x01\xFFnot a lock\n\n"); }, true},
        {[&] { writeFile(lock, "-7\nvostrel\nsomewhere\n"); }, true},
        {[&] { QDir().mkpath(lock); }, true},
        {[&] { writeFile(QDir(lock).filePath(inside), "mine"); }, true},
        {[&] { writeFile(QDir(lock).filePath(inside), "mine"); }, true},
    };
    for (qsizetype i = 0; i < unreadable.size(); ++i) {
        unreadable[i].make();
        if (unreadable[i].old) {
            const time_t lastYear = QDateTime::currentDateTime().addYears(-1).toSecsSinceEpoch();
            const timeval times[2] = {{lastYear, 0}, {lastYear, 0}};
            ASSERT_EQ(::utimes(QFile::encodeName(lock).constData(), times), 0);
        }
        auto manager = startManager();
        ASSERT_NE(manager->current(), nullptr) << i;
        qint64 pid = 0;
        EXPECT_TRUE(QLockFile(lock).getLockInfo(&pid, nullptr, nullptr)) << i;
        EXPECT_EQ(pid, QCoreApplication::applicationPid()) << i;
        manager.reset();
        EXPECT_FALSE(QFileInfo::exists(lock)) << i;
    }
    const QStringList aside =
        QDir(universesPath())
            .entryList({QStringLiteral(".vostrel.lock (moved aside *")}, QDir::Dirs | QDir::Hidden);
    ASSERT_EQ(aside.size(), 2);
    for (const QString &folderName : aside)
        EXPECT_EQ(contents(QDir(universesPath()).filePath(folderName + QLatin1Char('/') + inside)), "mine");
}

// A start refused because another instance holds the folder, on this computer or on
// another, touches nothing: not the program's own leftovers (they may be the other
// instance's writes under way), not the user's files, not the settings, not the cache.
TEST_F(StoreSafety, AStartRefusedLeavesEveryFileAsItWas)
{
    const QUuid id = QUuid::createUuid();
    writeUniverse(id, QStringLiteral("Kept"));
    m_settings.setValue(UniverseManager::kLastUniverseIDKey, upper(id));
    m_settings.setValue(UniverseManager::kDidMigrateKey, false);
    m_settings.sync();
    writeFile(folder().legacyFilePath(), "{\"id\": \"not migrated\"}");
    const QStringList names = {QStringLiteral(".%1.json.vostrel-write-Ab3dE9"),
                               QStringLiteral(".%1.json.vostrel-removal-Q9q9Q9"),
                               QStringLiteral("%1.json.Ab3dE9"),
                               QStringLiteral("%1 (changed elsewhere 2026-01-01 10-00-00).json.bak")};
    for (const QString &name : names)
        writeFile(QDir(universesPath()).filePath(name.arg(upper(id))), "{\"half\": ");
    writeFile(m_documents.filePath(QStringLiteral(".settings.ini.vostrel-write-Ab12Cd")), "x");
    writeFile(folder().headerCachePath(), "{\"format\": 0}");
    const auto everything = [this, id] {
        QStringList all;
        for (const QString &folderPath :
             {m_documents.path(), universesPath(), QFileInfo(folder().headerCachePath()).path()}) {
            for (const QString &entry : snapshot(folderPath))
                all.append(folderPath + QLatin1Char('/') + entry);
        }
        for (const QString &path : {folder().fileFor(id), m_settings.fileName(), folder().headerCachePath()})
            all.append(QString::fromUtf8(contents(path)));
        return all;
    };

    for (const bool elsewhere : {false, true}) {
        SCOPED_TRACE(elsewhere ? "another computer" : "this computer");
        FolderLock other(folder().lockFilePath());
        if (elsewhere) {
            writeFile(folder().lockFilePath(), "4242\nvostrel\nanother-computer\n");
        } else {
            ASSERT_EQ(other.acquire(), FolderLock::State::held);
        }
        const QStringList before = everything();
        {
            UniverseManager refused(folder(), &m_settings);
            EXPECT_FALSE(refused.start());
            EXPECT_EQ(refused.current(), nullptr);
        }
        waitForWorkers();
        EXPECT_EQ(everything(), before);
        if (elsewhere)
            QFile::remove(folder().lockFilePath());
    }
}

TEST_F(StoreSafety, OnlyTheStoresOwnInterruptedSavesAreRemovedAtStart)
{
    const QUuid id = QUuid::createUuid();
    writeUniverse(id, QStringLiteral("Kept"));
    // What an atomic save killed mid-write leaves where it cannot use an unnamed file.
    const QString leftover = writeFile(
        QDir(universesPath()).filePath(QStringLiteral(".%1.json.vostrel-write-Ab3dE9").arg(upper(id))),
        "{\"half\": ");
    // Named as older versions named theirs, it may be the user's copy: it stays.
    const QStringList others = {
        upper(id) + QStringLiteral(".json.Ab3dE9"), upper(id) + QStringLiteral(".json.abc12"),
        upper(id).toLower() + QStringLiteral(".json.ABC123"), QStringLiteral("notes.json.ABC123"),
        upper(id) + QStringLiteral(".txt.ABC123")};
    for (const QString &name : others)
        writeFile(QDir(universesPath()).filePath(name), "mine");
    const QString linked = upper(QUuid::createUuid()) + QStringLiteral(".json.XyZ789");
    ASSERT_TRUE(QFile::link(folder().legacyFilePath(), QDir(universesPath()).filePath(linked)));
    // Beside the settings file nothing is removed: what a write of it killed midway
    // left ("settings.ini.XXXXXX") cannot be told from a user's copy named so.
    const QString settingsFile = m_settings.fileName();
    inDyingChild([&] {
        QSaveFile interrupted(settingsFile);
        interrupted.open(QIODevice::WriteOnly);
        interrupted.write("lastUniverseID=");
        interrupted.flush();
    });
    const QStringList besideSettings = {
        QStringLiteral("settings.ini.backup"),     QStringLiteral("settings.ini.abc12"),
        QStringLiteral("settings.ini.ABC123.tmp"), QStringLiteral("settings.ini.bak.ABC123"),
        QStringLiteral("other.ini.ABC123"),        QStringLiteral("settingsXini.ABC123")};
    for (const QString &name : besideSettings)
        writeFile(m_documents.filePath(name), "mine");
    // Named as a write's leftover: the settings' own lock, which their writes on the
    // store's worker make and remove, is not.
    const auto settingsLeftovers = [&] {
        return QDir(m_documents.path()).entryList({QStringLiteral("settings.ini.??????")}, QDir::Files);
    };
    const QStringList leftBeside = settingsLeftovers();
    const bool interruptedLeftOne = leftBeside.size() > 1;

    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), id);
    EXPECT_FALSE(QFile::exists(leftover));
    QStringList expected = others + QStringList{upper(id) + QStringLiteral(".json"), linked};
    expected.sort();
    EXPECT_EQ(universeFiles(), expected);
    EXPECT_EQ(settingsLeftovers(), leftBeside);
    for (const QString &name : besideSettings)
        EXPECT_EQ(contents(m_documents.filePath(name)), "mine") << name.toStdString();
    // Where the folder takes unnamed files, a killed write leaves none: then a named
    // one stands in for it.
    if (!interruptedLeftOne) {
        manager.reset();
        const QString named = settingsFile + QStringLiteral(".Q1w2E3");
        writeFile(named, "lastUniverseID=");
        manager = startManager();
        EXPECT_EQ(contents(named), "lastUniverseID=");
    }
}

TEST_F(StoreSafety, FailedSavesAtFirstStartAndRenameAreReported)
{
    // A documents folder below a regular file cannot be written, even by root.
    writeFile(m_documents.filePath(QStringLiteral("blocker")), "file");
    UniverseManager blocked(UniverseFolder(m_documents.filePath(QStringLiteral("blocker/Documents"))),
                            &m_settings);
    QSignalSpy blockedFailures(&blocked, &UniverseManager::operationFailed);
    EXPECT_TRUE(blocked.start());
    EXPECT_EQ(blocked.current()->name(), QStringLiteral("My Universe"));
    EXPECT_EQ(blockedFailures.count(), 1);
    EXPECT_TRUE(blocked.headers().isEmpty());

    auto manager = startManager();
    QDir(universesPath()).removeRecursively();
    writeFile(universesPath(), "not a folder");
    QSignalSpy saveFailures(manager->current(), &StarfarerUniverse::saveFailed);
    manager->renameCurrent(QStringLiteral("Renamed"));
    EXPECT_FALSE(manager->current()->waitForPendingSave());
    EXPECT_EQ(saveFailures.count(), 1);
}

// Leaving a universe right after an edit never waits for its write: open(), create()
// and deleting the current universe return while the write is held on its thread,
// the next universe is read meanwhile, and the switch is made once the write is done,
// with the edit in its file (or, deleted, the file gone and not brought back).
TEST_F(StoreSafety, LeavingAUniverseLetsItsWriteFinishWithoutWaitingForIt)
{
    enum class Leave { open, create, deleteIt };
    for (const Leave leave : {Leave::open, Leave::create, Leave::deleteIt}) {
        SCOPED_TRACE(int(leave));
        QDir(universesPath()).removeRecursively();
        auto manager = startManager();
        const QUuid other = QUuid::createUuid();
        writeUniverse(other, QStringLiteral("Other"));
        StarfarerUniverse *left = manager->current();
        const QString leftPath = left->filePath();
        const UniverseManager::Header leftHeader{left->id(), left->name(), leftPath};
        saving_test::HeldWrite held(*left);
        left->setName(QStringLiteral("Edited before leaving"));
        left->save();
        ASSERT_TRUE(held.started());

        QSignalSpy switched(manager.get(), &UniverseManager::currentChanged);
        if (leave == Leave::open)
            manager->open(UniverseManager::Header{other, QStringLiteral("Other"), folder().fileFor(other)});
        else if (leave == Leave::create)
            manager->create(QStringLiteral("Created"));
        else
            manager->deleteUniverse(leftHeader);
        ASSERT_TRUE(manager->opening().has_value());
        // Whatever the worker reads is handed in; the universe left still writes.
        deliver();
        EXPECT_EQ(switched.count(), 0);
        EXPECT_TRUE(QFile::exists(leftPath));

        held.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !manager->opening(); }, 30000));
        EXPECT_FALSE(held.timedOut());
        ASSERT_EQ(switched.count(), 1);
        EXPECT_EQ(manager->current()->name(),
                  leave == Leave::create ? QStringLiteral("Created") : QStringLiteral("Other"));
        if (leave == Leave::deleteIt) {
            deliver();
            EXPECT_FALSE(QFile::exists(leftPath));
        } else {
            EXPECT_TRUE(contents(leftPath).contains("Edited before leaving"));
        }
        manager.reset();
        waitForWorkers();
    }
}
