#pragma once

#include "ExternalChangeGuard.h"
#include "UniverseContents.h"
#include "UniverseFolder.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QThreadPool>
#include <QUuid>

#include <functional>
#include <optional>

// Writes the snapshots of one document to its file on a thread of its own, one at a
// time. A snapshot is taken only when the thread is free: saves asked for while a
// write runs are coalesced into one snapshot taken when it ends, so an older snapshot
// is never written after a newer one, and the document's lists are shared with at
// most one snapshot (an edit copies a list, or a chunk of the systems, at most once
// per write). A file that another program changed since the document last read or
// wrote it is kept beside it before it is replaced. Each write prints the failure
// line when it fails and leaves an outcome for the document to report on its own
// thread.
class UniverseSaver
{
public:
    struct Request
    {
        UniverseContents snapshot;
        UniverseFolder folder;
        QString path;
        quint64 holds = 0; // the newest save request the snapshot holds
    };
    struct Outcome
    {
        bool succeeded = true;
        QString message;  // "Failed to save StarfarerUniverse to <file>: <reason>"
        QString keptPath; // where another program's version of the file was kept, if it was
        // When the write put its file in place: the file, its version just after the
        // write, and the id and name it holds.
        QString path;
        std::optional<UniverseFileReader::Stamp> stamp;
        QUuid id;
        QString name;
        quint64 holds = 0; // the newest save request the write held
    };

    // `takeSnapshot` is called on the document's thread when a write can start;
    // `writeFinished` on the saving thread after each write.
    UniverseSaver(std::function<Request()> takeSnapshot, std::function<void()> writeFinished);
    // Waits for the write in progress.
    ~UniverseSaver();

    // The calls below are made on the document's thread.
    // Asks for the document as it is when the thread is next free to be written.
    // Returns the request's number: the requests are numbered in order from 1, and
    // each outcome tells the newest request its write held. While discarding, nothing
    // is asked and the number of the last request is returned.
    quint64 save();
    // Starts the write asked for while the last one ran; called when a write finished.
    void resume();
    // Blocks until every save asked for is written; false when the last write failed.
    bool wait();
    // Asks for a save when the last write failed, its failure has been taken with
    // takeOutcomes(), and no save is pending; true when it did.
    bool retryFailed();
    // While discarding, save() asks for nothing: the file is gone, or about to go, for
    // good. A write under way still ends.
    void setDiscarding(bool discarding);
    bool discarding() const { return m_discarded; }
    // Whether a save is asked for or being written.
    bool pending() const;
    // The number of the last save asked for.
    quint64 lastRequest() const { return m_requests; }
    // The outcomes not yet reported, oldest first.
    QList<Outcome> takeOutcomes();
    // Called on the saving thread with each snapshot just before it is written.
    void setWriteObserver(std::function<void(const UniverseContents &)> observer);
    // The document was read from the file at `path` as `stamp`: a file found there
    // later with another stamp was changed by another program.
    void rememberReadFile(const QString &path, const UniverseFileReader::Stamp &stamp);

private:
    void start();
    bool writing() const;
    void run(Request request);
    Outcome write(Request request);

    std::function<Request()> m_takeSnapshot;
    std::function<void()> m_writeFinished;
    bool m_saveAsked = false; // on the document's thread only
    quint64 m_requests = 0;   // on the document's thread only
    bool m_discarded = false; // on the document's thread only
    mutable QMutex m_mutex;
    bool m_writing = false;                                   // guarded by m_mutex
    QList<Outcome> m_outcomes;                                // guarded by m_mutex
    bool m_lastSucceeded = true;                              // guarded by m_mutex
    std::function<void(const UniverseContents &)> m_observer; // guarded by m_mutex
    ExternalChangeGuard m_guard;                              // on the saving thread
    QThreadPool m_thread;                                     // one thread: writes never overlap
};
