#pragma once

#include "RunningWaits.h"

#include <QSemaphore>
#include <QThreadPool>

// Qt's global thread pool cut down to `threads` threads and every one of them held busy
// by a job that waits until released, as the program's own paints and conversions may
// hold it: any work handed to the pool meanwhile waits. Released when it goes, the pool
// then back to its former size.
class HeldGlobalPool
{
public:
    explicit HeldGlobalPool(int threads)
        : m_threads(threads), m_formerCount(QThreadPool::globalInstance()->maxThreadCount())
    {
        QThreadPool *pool = QThreadPool::globalInstance();
        pool->waitForDone();
        pool->setMaxThreadCount(threads);
        for (int i = 0; i < threads; ++i) {
            pool->start([this] {
                m_started.release();
                m_release.acquire();
            });
        }
        m_held = acquireRunning(m_started, threads);
    }
    ~HeldGlobalPool()
    {
        release();
        QThreadPool::globalInstance()->setMaxThreadCount(m_formerCount);
    }
    HeldGlobalPool(const HeldGlobalPool &) = delete;
    HeldGlobalPool &operator=(const HeldGlobalPool &) = delete;

    // Whether every thread of the pool is held and nothing else can start on it.
    bool isHeld() const
    {
        return m_held && !m_released && !QThreadPool::globalInstance()->tryStart([] {});
    }
    // Lets the held jobs end, and what waited behind them run.
    void release()
    {
        if (m_released)
            return;
        m_released = true;
        m_release.release(m_threads);
        QThreadPool::globalInstance()->waitForDone();
    }

private:
    int m_threads;
    int m_formerCount;
    QSemaphore m_started;
    QSemaphore m_release;
    bool m_held = false;
    bool m_released = false;
};
