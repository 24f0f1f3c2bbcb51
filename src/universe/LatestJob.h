#pragma once

#include <QMutex>
#include <QThreadPool>

#include <functional>

// Runs jobs that each write the latest state of something (a settings file, a cache
// file) on a thread of its own, one at a time, so that the caller never waits for a
// disk: a job handed over while one runs waits, and replaces any job already waiting,
// whose work it would redo. However many are handed over meanwhile, one job follows
// the one under way. The end waits for the job under way and the one waiting.
class LatestJob
{
public:
    LatestJob();
    ~LatestJob();
    LatestJob(const LatestJob &) = delete;
    LatestJob &operator=(const LatestJob &) = delete;

    void run(std::function<void()> job);

private:
    // Runs the job waiting until none is; on the job's thread.
    void runWaiting();

    QMutex m_mutex;
    std::function<void()> m_waiting; // guarded by m_mutex
    bool m_running = false;          // guarded by m_mutex
    QThreadPool m_thread;            // one thread: jobs never overlap
};
