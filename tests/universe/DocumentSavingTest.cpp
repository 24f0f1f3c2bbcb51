// Saving off the calling thread, under faults: a write the system refuses keeps the
// old file byte for byte, bursts of saves are coalesced without ever writing an older
// snapshot after a newer one, and outcomes arrive on the document's thread.
#include "RandomRecords.h"
#include "RunningWaits.h"
#include "SeededSource.h"
#include "UniverseStoreSupport.h"

#include <QDir>
#include <QMutex>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using DocumentSaving = UniverseStoreTest;

namespace {

// One random edit through the document's own operations: a system added, changed or
// removed, a faction added, the labels replaced.
void editAtRandom(StarfarerUniverse &universe)
{
    using namespace random_records;
    const HexList &data = universe.data();
    const QUuid someID = data.isEmpty() ? QUuid() : data.at(randomBelow(data.size())).id;
    switch (randomBelow(5)) {
    case 0: universe.insertHex(hexData()); break;
    case 1: {
        HexData changed = hexData();
        changed.id = someID;
        universe.replaceHex(changed);
        break;
    }
    case 2: universe.removeHex(someID); break;
    case 3: universe.insertObject(faction()); break;
    default: universe.setStarmapLabels(some<StarmapLabel>(2, starmapLabel)); break;
    }
}

} // namespace

// A file-size limit refuses writes as a full disk does. A short text would sit in a
// device's buffer until flushed; a long one fails while being written. The failure
// arrives later, on the document's thread. Once space returns, waiting for the save
// writes the last edit without another one.
TEST_F(DocumentSaving, ARefusedWriteKeepsTheOldFileAndIsWrittenOnceSpaceReturns)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const int labels : {1, 400}) {
        StarfarerUniverse universe(folder());
        ASSERT_TRUE(universe.saveNow());
        const QByteArray before = contents(universe.filePath());
        universe.setStarmapLabels(QList<StarmapLabel>(labels, StarmapLabel{}));
        QThread *reportedOn = nullptr;
        QObject::connect(&universe, &StarfarerUniverse::saveFailed, &universe,
                         [&] { reportedOn = QThread::currentThread(); });
        QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
        rlimit limit = unlimited;
        limit.rlim_cur = 512;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        universe.save();
        EXPECT_TRUE(failures.wait(10000));
        EXPECT_EQ(reportedOn, QThread::currentThread());
        ASSERT_EQ(failures.count(), 1); // reported once
        // Still full: waiting tries once more, in vain.
        EXPECT_FALSE(universe.waitForPendingSave());
        setrlimit(RLIMIT_FSIZE, &unlimited);

        ASSERT_EQ(failures.count(), 2);
        const QString message = failures.first().first().toString();
        EXPECT_TRUE(message.endsWith(QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(EFBIG))))
            << message.toStdString();
        EXPECT_EQ(contents(universe.filePath()), before) << labels;
        EXPECT_EQ(universeFiles(), QStringList{QFileInfo(universe.filePath()).fileName()});

        QSignalSpy successes(&universe, &StarfarerUniverse::saved);
        EXPECT_TRUE(universe.waitForPendingSave());
        EXPECT_EQ(successes.count(), 1);
        EXPECT_EQ(StarfarerUniverse::readFile(universe.filePath(), folder())->starmapLabels().size(), labels);
        ASSERT_TRUE(QFile::remove(universe.filePath()));
    }
}

TEST_F(DocumentSaving, ABurstOfSavesIsCoalescedAndNeverWritesAnOlderSnapshotAfterANewerOne)
{
    StarfarerUniverse universe(folder());
    QMutex mutex;
    QStringList written;
    std::atomic_bool holdFirstWrite = true;
    QSemaphore firstWriteStarted, firstWriteMayGo;
    universe.setWriteObserver([&](const UniverseContents &snapshot) {
        const QMutexLocker lock(&mutex);
        written.append(snapshot.name);
        if (holdFirstWrite.exchange(false)) {
            firstWriteStarted.release();
            firstWriteMayGo.acquire();
        }
    });
    QSignalSpy successes(&universe, &StarfarerUniverse::saved);

    // Saves asked for while the first write is held become one write of the newest state.
    universe.setName(QStringLiteral("0"));
    universe.save();
    ASSERT_TRUE(acquireRunning(firstWriteStarted));
    for (int i = 1; i <= 50; ++i) {
        universe.setName(QString::number(i));
        universe.save();
    }
    firstWriteMayGo.release();
    EXPECT_TRUE(universe.waitForPendingSave());
    EXPECT_EQ(written, (QStringList{QStringLiteral("0"), QStringLiteral("50")}));
    EXPECT_EQ(successes.count(), 2);

    // Free-running: each write is newer than the one before, the last one is the last edit.
    written.clear();
    for (int i = 1000; i <= 1300; ++i) {
        universe.setName(QString::number(i));
        universe.save();
    }
    EXPECT_TRUE(universe.waitForPendingSave());
    for (qsizetype i = 1; i < written.size(); ++i)
        EXPECT_LT(written[i - 1].toInt(), written[i].toInt());
    EXPECT_EQ(written.last(), QStringLiteral("1300"));
}

TEST_F(DocumentSaving, ClosingTheDocumentWritesTheLastSaveAskedFor)
{
    QString path;
    {
        StarfarerUniverse universe(folder());
        path = universe.filePath();
        universe.save();
        universe.setName(QStringLiteral("Last Edit"));
        universe.save();
    }
    EXPECT_EQ(StarfarerUniverse::readFile(path, folder())->name(), QStringLiteral("Last Edit"));
}

// While saves keep failing, the document tries again on its own, less often each
// time up to the longest delay; the first retry after space returns writes the
// last edit, and the next failure starts from the first delay again.
TEST_F(DocumentSaving, AFailedSaveIsRetriedOnItsOwnUntilItIsWritten)
{
    using std::chrono::milliseconds;
    StarfarerUniverse universe(folder());
    universe.setSaveRetryDelays(milliseconds(1), milliseconds(4));
    ASSERT_TRUE(universe.saveNow());
    EXPECT_EQ(universe.scheduledSaveRetry(), std::nullopt);

    // A folder where the file belongs: the rename that replaces it is refused.
    const QString file = universe.filePath();
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
    universe.setName(QStringLiteral("Edited Once"));
    QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
    QSignalSpy successes(&universe, &StarfarerUniverse::saved);
    universe.save();
    QList<milliseconds> delays;
    while (delays.size() < 4 && failures.wait(10000))
        delays.append(universe.scheduledSaveRetry().value_or(milliseconds(-1)));
    EXPECT_EQ(delays,
              (QList<milliseconds>{milliseconds(1), milliseconds(2), milliseconds(4), milliseconds(4)}));

    ASSERT_TRUE(QDir(file).removeRecursively());
    ASSERT_TRUE(successes.wait(10000));
    EXPECT_EQ(StarfarerUniverse::readFile(file, folder())->name(), QStringLiteral("Edited Once"));
    EXPECT_EQ(universe.scheduledSaveRetry(), std::nullopt);

    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
    universe.save();
    ASSERT_TRUE(failures.wait(10000));
    EXPECT_EQ(universe.scheduledSaveRetry(), milliseconds(1));
    ASSERT_TRUE(QDir(file).removeRecursively());
    EXPECT_TRUE(successes.wait(10000));
}

// Rounds of: a write held on the saving thread, the document edited several times
// with a save asked after each, the write let go. Each round writes exactly twice:
// the held snapshot, then the newest state (never one in between, never an older one
// after a newer one); the file ends as the document's text; and each write is told
// once, in order: "written" with what the file holds, then saved() or saveFailed().
// In some rounds the held snapshot cannot be stored and a later edit mends that: its
// failure is told, and the next write's success leaves no retry waiting. The outcomes
// arrive through the event loop in some rounds and together, from waiting for the
// save, in the others.
TEST_F(DocumentSaving, EditsWhileAWriteIsHeldEndInTheFinalDocumentAndEachWriteIsToldOnce)
{
    SeededSource source(31337);
    ScopedRandomSource scope(source);
    StarfarerUniverse universe(folder());
    QMutex mutex;
    QList<int> generations; // of the snapshots written, in order
    std::atomic_bool holdNext = false;
    QSemaphore heldStarted, heldMayGo;
    universe.setWriteObserver([&](const UniverseContents &snapshot) {
        {
            const QMutexLocker lock(&mutex);
            generations.append(snapshot.name.toInt());
        }
        if (holdNext.exchange(false)) {
            heldStarted.release();
            heldMayGo.acquire();
        }
    });
    QStringList told;
    std::optional<UniverseFileReader::Stamp> lastStamp; // of the last write told
    QObject::connect(&universe, &StarfarerUniverse::written, &universe,
                     [&](const QString &path, const StarfarerUniverse::Listing &listing) {
                         EXPECT_EQ(path, universe.filePath());
                         lastStamp = listing.stamp;
                         told.append(QStringLiteral("written ") + listing.header.value().name);
                     });
    QObject::connect(&universe, &StarfarerUniverse::saved, &universe,
                     [&] { told.append(QStringLiteral("saved")); });
    QObject::connect(&universe, &StarfarerUniverse::saveFailed, &universe,
                     [&] { told.append(QStringLiteral("failed")); });
    QSignalSpy saved(&universe, &StarfarerUniverse::saved);

    int generation = 0;
    for (int round = 0; round < 9 && !HasFailure(); ++round) {
        SCOPED_TRACE(round);
        const bool failsFirst = round % 3 == 2;
        const bool waits = round % 2 == 1;
        generations.clear();
        told.clear();
        saved.clear();
        if (failsFirst) {
            StarmapLabel unstorable = random_records::starmapLabel();
            unstorable.angle = std::numeric_limits<double>::quiet_NaN();
            universe.setStarmapLabels({unstorable});
        }
        const int held = ++generation;
        universe.setName(QString::number(held));
        holdNext = true;
        universe.save();
        ASSERT_TRUE(acquireRunning(heldStarted));
        if (failsFirst)
            universe.setStarmapLabels({random_records::starmapLabel()});
        for (int edit = 0; edit < 6; ++edit) {
            editAtRandom(universe);
            universe.setName(QString::number(++generation));
            universe.save();
            QCoreApplication::processEvents(); // nothing to tell while the write is held
        }
        heldMayGo.release();
        const QString heldWritten = QStringLiteral("written ") + QString::number(held);
        const QString lastWritten = QStringLiteral("written ") + QString::number(generation);
        if (waits) {
            EXPECT_TRUE(universe.waitForPendingSave());
        }
        const auto lastWriteTold = [&] { return told.contains(lastWritten) && told.last() == u"saved"_s; };
        while (!lastWriteTold() && saved.wait(10000)) {
        }

        EXPECT_EQ(generations, (QList<int>{held, generation}));
        const QStringList expected = failsFirst
                                         ? QStringList{u"failed"_s, lastWritten, u"saved"_s}
                                         : QStringList{heldWritten, u"saved"_s, lastWritten, u"saved"_s};
        EXPECT_EQ(told, expected);
        EXPECT_EQ(universe.scheduledSaveRetry(), std::nullopt);
        EXPECT_EQ(contents(universe.filePath()), universe.encode());
        EXPECT_EQ(lastStamp, UniverseFileReader::stamp(universe.filePath())); // what listing trusts
    }
    const auto reread = StarfarerUniverse::readFile(universe.filePath(), folder());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->data(), universe.data());
    EXPECT_EQ(reread->factions(), universe.factions());
}
