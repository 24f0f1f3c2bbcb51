#pragma once

#include "UniverseContents.h"
#include "UniverseFolder.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <optional>

// Writes the snapshots of one document to its file on a thread of its own, one at a
// time and in the order they were asked for. Snapshots that arrive while one is being
// written are coalesced: only the newest waits, so an older snapshot is never written
// after a newer one. Each write prints the failure line when it fails and leaves an
// outcome for the document to report on its own thread.
class UniverseSaver
{
public:
    struct Outcome
    {
        bool succeeded = true;
        QString message; // "Failed to save StarfarerUniverse to <file>: <reason>"
    };

    // `outcomeReady` is called on the saving thread after each write.
    explicit UniverseSaver(std::function<void()> outcomeReady);
    // Waits for the writes still to come: the last edit is never lost.
    ~UniverseSaver();

    // Asks for `snapshot` to be written to `path` in `folder`, replacing any snapshot
    // still waiting.
    void request(UniverseContents snapshot, const UniverseFolder &folder, const QString &path);
    // Blocks until every requested snapshot is written; false when the last write failed.
    bool wait();
    // The outcomes not yet reported, oldest first.
    QList<Outcome> takeOutcomes();
    // Called on the saving thread with each snapshot just before it is written.
    void setWriteObserver(std::function<void(const UniverseContents &)> observer);

private:
    struct Request
    {
        UniverseContents snapshot;
        UniverseFolder folder;
        QString path;
    };

    void writeNext();
    static Outcome write(const Request &request);

    std::function<void()> m_outcomeReady;
    std::function<void(const UniverseContents &)> m_observer;
    QMutex m_mutex;
    std::optional<Request> m_waiting; // guarded by m_mutex
    QList<Outcome> m_outcomes;        // guarded by m_mutex
    bool m_lastSucceeded = true;      // guarded by m_mutex
    QThreadPool m_thread;             // one thread: writes never overlap
};
