// Saving off the calling thread, under faults: a write refused by the system keeps
// the old file byte for byte, bursts of saves are coalesced without ever writing an
// older snapshot after a newer one, and outcomes arrive on the document's thread.
#include "UniverseStoreSupport.h"

#include <QMutex>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

// Limits the size of any file this process writes, as a full disk would: writes past
// the limit fail with "File too large". Restored when it goes out of scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

StarmapLabel label(int i)
{
    StarmapLabel label;
    label.id = QUuid::createUuid();
    label.text = QStringLiteral("Label %1").arg(i);
    return label;
}

} // namespace

using DocumentSaving = UniverseStoreTest;

TEST_F(DocumentSaving, AWriteTheSystemRefusesKeepsTheOldFileAndNamesTheReason)
{
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    // A short text would fit in a device's buffer and fail only when flushed; a long
    // one fails while being written.
    for (const int labels : {1, 400}) {
        StarfarerUniverse universe(folder());
        ASSERT_TRUE(universe.saveNow());
        const QByteArray before = contents(universe.filePath());
        QList<StarmapLabel> added;
        for (int i = 0; i < labels; ++i)
            added.append(label(i));
        universe.setStarmapLabels(added);
        const qsizetype size = universe.encode().size();
        ASSERT_TRUE(labels == 1 ? size > 512 && size < 16384 : size > 20000) << size;

        QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
        {
            const FileSizeLimit limit(512);
            EXPECT_FALSE(universe.saveNow()) << labels;
        }
        ASSERT_EQ(failures.count(), 1) << labels;
        const QString message = failures.first().first().toString();
        EXPECT_TRUE(message.endsWith(QStringLiteral(": ") + tooLarge)) << message.toStdString();
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
        {
            QMutexLocker lock(&mutex);
            written.append(snapshot.name);
        }
        if (holdFirstWrite.exchange(false)) {
            firstWriteStarted.release();
            firstWriteMayGo.acquire();
        }
    });
    QSignalSpy successes(&universe, &StarfarerUniverse::saved);

    // The first write is held while more saves arrive: only the newest of them waits.
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

    // Free-running: every write is newer than the one before, and the last is the last edit.
    written.clear();
    for (int i = 1000; i <= 1300; ++i) {
        universe.setName(QString::number(i));
        universe.setStarmapLabels({label(i)});
        universe.save();
    }
    EXPECT_TRUE(universe.waitForPendingSave());
    ASSERT_FALSE(written.isEmpty());
    for (qsizetype i = 1; i < written.size(); ++i)
        EXPECT_LT(written[i - 1].toInt(), written[i].toInt());
    EXPECT_EQ(written.last(), QStringLiteral("1300"));
    const auto reread = StarfarerUniverse::readFile(universe.filePath(), folder());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->encode(), universe.encode());
}

TEST_F(DocumentSaving, TheOutcomeArrivesOnTheDocumentsThreadAndIsReportedOnce)
{
    StarfarerUniverse universe(folder());
    QDir().mkpath(universe.filePath()); // a folder where the file belongs
    QThread *reportedOn = nullptr;
    QString message;
    QObject::connect(&universe, &StarfarerUniverse::saveFailed, &universe, [&](const QString &text) {
        reportedOn = QThread::currentThread();
        message = text;
    });
    QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
    universe.save();
    EXPECT_TRUE(failures.isEmpty()); // save() returns before the write is done
    ASSERT_TRUE(failures.wait(10000));
    EXPECT_EQ(reportedOn, QThread::currentThread());
    EXPECT_TRUE(
        message.startsWith(QStringLiteral("Failed to save StarfarerUniverse to ") + universe.filePath()));
    // Waiting afterwards gives the outcome without reporting it again.
    EXPECT_FALSE(universe.waitForPendingSave());
    EXPECT_EQ(failures.count(), 1);
}

TEST_F(DocumentSaving, ClosingTheDocumentWritesTheLastRequestedSave)
{
    QString path;
    {
        StarfarerUniverse universe(folder());
        path = universe.filePath();
        universe.setStarmapLabels({label(1), label(2)});
        universe.save();
        universe.setName(QStringLiteral("Last Edit"));
        universe.save();
    }
    const auto reread = StarfarerUniverse::readFile(path, folder());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->name(), QStringLiteral("Last Edit"));
    EXPECT_EQ(reread->starmapLabels().size(), 2);
}
