#pragma once

// Runs a test as a one-core machine runs the program: every pool the program's work
// may use has a single thread, and the single thread of Qt's global pool is kept busy
// until the test ends, so that work queued there, or a job that waits for work queued
// on its own pool, never finishes and the test's wait for it fails.

#include "universe/WorkerPools.h"

#include <QSemaphore>
#include <QThreadPool>

#include <array>

class OneThreadPools
{
public:
    OneThreadPools()
    {
        for (std::size_t i = 0; i < m_pools.size(); ++i) {
            m_threads[i] = m_pools[i]->maxThreadCount();
            m_pools[i]->setMaxThreadCount(1);
        }
        QThreadPool::globalInstance()->start([this] {
            m_occupied.release();
            m_gate.acquire();
        });
        m_occupied.acquire();
    }
    ~OneThreadPools()
    {
        m_gate.release();
        QThreadPool::globalInstance()->waitForDone();
        waitForWorkers();
        for (std::size_t i = 0; i < m_pools.size(); ++i)
            m_pools[i]->setMaxThreadCount(m_threads[i]);
    }

    OneThreadPools(const OneThreadPools &) = delete;
    OneThreadPools &operator=(const OneThreadPools &) = delete;

private:
    const std::array<QThreadPool *, 3> m_pools{QThreadPool::globalInstance(), jobPool(), partsPool()};
    std::array<int, 3> m_threads{};
    QSemaphore m_occupied, m_gate;
};
