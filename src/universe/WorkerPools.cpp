#include "WorkerPools.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace {

Q_GLOBAL_STATIC(QThreadPool, jobs)
Q_GLOBAL_STATIC(QThreadPool, parts)

// The pools are drained while the application still exists, as Qt drains its global
// pool: a job may still be freeing a universe or reading a file abandoned at quitting.
QThreadPool *drainedAtExit(QThreadPool *pool)
{
    static const bool registered = [] {
        qAddPostRoutine(waitForWorkers);
        return true;
    }();
    Q_UNUSED(registered);
    return pool;
}

} // namespace

QThreadPool *jobPool()
{
    return drainedAtExit(jobs());
}

QThreadPool *partsPool()
{
    return drainedAtExit(parts());
}

void waitForWorkers()
{
    // Jobs first: they are what hands work to the parts.
    if (jobs.exists())
        jobs->waitForDone();
    if (parts.exists())
        parts->waitForDone();
}
