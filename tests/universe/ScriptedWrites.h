#pragma once

// Writes of a document scripted one by one on its saving thread, and the outcomes
// it broadcasts, for tests that check what the views show of saving.

#include "RunningWaits.h"
#include "universe/StarfarerUniverse.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QTest>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>

namespace saving_test {

enum class Fate { written, refused };

// One planned write: whether it may replace the file, and whether it waits on the
// saving thread until the test lets it go.
struct Write
{
    Fate fate;
    bool held = false;
};

// Decides, on the saving thread just before each write, whether the write may
// replace the file: a folder where the file belongs makes it fail.
class ScriptedWrites
{
public:
    explicit ScriptedWrites(StarfarerUniverse &universe) : m_universe(universe), m_file(universe.filePath())
    {
        universe.setWriteObserver([this](const UniverseContents &) { beforeWrite(); });
    }
    // Lets every held write go and waits for the writes under way, which still ask
    // this script.
    ~ScriptedWrites()
    {
        m_universe.setWriteObserver({});
        m_mayGo.release(1000);
        m_universe.waitForPendingSave();
        QDir(m_file).removeRecursively();
    }

    void plan(std::initializer_list<Write> writes)
    {
        QMutexLocker lock(&m_mutex);
        m_planned.append(writes);
    }
    // Waits, with the event loop running, until a held write has begun.
    [[nodiscard]] bool awaitHeld() { return acquireRunning(m_held); }
    void release() { m_mayGo.release(); }
    qsizetype unused() const
    {
        QMutexLocker lock(&m_mutex);
        return m_planned.size();
    }
    int unplanned() const
    {
        QMutexLocker lock(&m_mutex);
        return m_unplanned;
    }

private:
    void beforeWrite()
    {
        Write write{Fate::written};
        {
            QMutexLocker lock(&m_mutex);
            if (m_planned.isEmpty())
                ++m_unplanned;
            else
                write = m_planned.takeFirst();
        }
        if (write.held) {
            m_held.release();
            m_mayGo.acquire();
        }
        if (write.fate == Fate::refused) {
            QFile::remove(m_file);
            QDir().mkpath(m_file);
        } else {
            QDir(m_file).removeRecursively();
        }
    }

    StarfarerUniverse &m_universe;
    const QString m_file;
    mutable QMutex m_mutex;
    QList<Write> m_planned;
    int m_unplanned = 0;
    QSemaphore m_held, m_mayGo;
};

// Holds the next write of a document (or, given a store, of the store's documents,
// the next one whose snapshot `picks` takes) on its saving thread until the test lets
// it go. The document may go first (a store that switched away deletes it). A write
// held for a minute goes on its own and says so: a caller that waited for it on the
// test's thread then fails the test instead of hanging it.
class HeldWrite
{
public:
    template <typename Observed>
    explicit HeldWrite(Observed &observed, std::function<bool(const UniverseContents &)> picks = {})
        : m_state(std::make_shared<State>())
    {
        observed.setWriteObserver(
            [state = m_state, picks = std::move(picks)](const UniverseContents &snapshot) {
                if ((picks && !picks(snapshot)) || !state->holding.exchange(false))
                    return;
                state->started.release();
                if (!state->mayGo.tryAcquire(1, 60000))
                    state->timedOut = true;
            });
    }
    ~HeldWrite() { release(); }

    // Waits, with the event loop running, until the held write has begun.
    [[nodiscard]] bool started() { return acquireRunning(m_state->started); }
    void release() { m_state->mayGo.release(); }
    bool timedOut() const { return m_state->timedOut; }

private:
    struct State
    {
        std::atomic_bool holding = true, timedOut = false;
        QSemaphore started, mayGo;
    };
    std::shared_ptr<State> m_state;
};

// The outcomes the document broadcast, oldest first: empty for a write that
// succeeded, its message for one that failed.
class OutcomeLog
{
public:
    explicit OutcomeLog(StarfarerUniverse &universe)
        : m_saved(QObject::connect(&universe, &StarfarerUniverse::saved, &universe,
                                   [this] { m_told.append(QString()); })),
          m_failed(QObject::connect(&universe, &StarfarerUniverse::saveFailed, &universe,
                                    [this](const QString &message) { m_told.append(message); }))
    {}
    ~OutcomeLog()
    {
        QObject::disconnect(m_saved);
        QObject::disconnect(m_failed);
    }
    const QStringList &told() const { return m_told; }
    QList<Fate> fates() const
    {
        QList<Fate> fates;
        for (const QString &message : m_told)
            fates.append(message.isEmpty() ? Fate::written : Fate::refused);
        return fates;
    }
    bool waitFor(qsizetype count) const
    {
        return QTest::qWaitFor([&] { return m_told.size() >= count; }, 10000);
    }

private:
    QStringList m_told;
    QMetaObject::Connection m_saved, m_failed;
};

} // namespace saving_test
