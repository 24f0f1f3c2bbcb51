// Saving off the calling thread, under faults: a write the system refuses keeps the
// old file byte for byte, bursts of saves are coalesced without ever writing an older
// snapshot after a newer one, and outcomes arrive on the document's thread.
#include "UniverseStoreSupport.h"

#include <QMutex>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

using DocumentSaving = UniverseStoreTest;

// A file-size limit refuses writes as a full disk does. A short text would sit in a
// device's buffer until flushed; a long one fails while being written. The failure
// arrives later, on the document's thread.
TEST_F(DocumentSaving, ARefusedWriteKeepsTheOldFileAndNamesTheReason)
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
        setrlimit(RLIMIT_FSIZE, &unlimited);

        EXPECT_EQ(reportedOn, QThread::currentThread());
        EXPECT_FALSE(universe.waitForPendingSave());
        ASSERT_EQ(failures.count(), 1); // reported once
        const QString message = failures.first().first().toString();
        EXPECT_TRUE(message.endsWith(QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(EFBIG))))
            << message.toStdString();
        EXPECT_EQ(contents(universe.filePath()), before) << labels;
        EXPECT_EQ(universeFiles(), QStringList{QFileInfo(universe.filePath()).fileName()});
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
    firstWriteStarted.acquire();
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
