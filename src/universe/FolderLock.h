#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The lock that keeps a second running instance off a documents folder. It is held
// for the whole run. A lock left behind is taken over when it is plainly stale: its
// process on this computer is gone, or it cannot be read at all (empty, garbage, a
// folder in its place), since no running instance leaves a lock like that. A lock
// written on another computer cannot be checked from here, so it is only taken over
// when the user says so; until then it names that computer.
class FolderLock
{
public:
    enum class State {
        held,          // this instance holds the folder
        unavailable,   // no lock can be made there (a read-only folder): go on without one
        inUse,         // another running instance on this computer holds it
        heldElsewhere, // Vostrel on another computer wrote the lock (see otherHost())
    };

    // What to do with a lock that Vostrel on another computer wrote.
    enum class OtherHostLock {
        respect,  // report it (heldElsewhere)
        takeOver, // remove it: the user chose to take the folder over
    };

    explicit FolderLock(QString lockFilePath);

    // Takes the lock, or says why not. Releases a lock taken before.
    State acquire(OtherHostLock otherHost = OtherHostLock::respect);
    // The computer named by the lock that acquire() found, when it is not this one.
    const QString &otherHost() const { return m_otherHost; }

private:
    // Removes a lock that cannot be read, unless it turns readable meanwhile (an
    // instance starting this very moment writes its lock just after creating it).
    void removeUnreadable();
    // Removes whatever is at the lock's path; a folder that holds something is moved
    // aside rather than deleted.
    void removeLockPath();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_otherHost;
};
