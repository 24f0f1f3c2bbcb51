#pragma once

// Keeps every thread of the pool of background jobs busy until released, so that work
// handed to it meanwhile (an import's conversion) waits in its queue: a test can change
// the document while that work is pending, and decide when it runs.

#include "universe/WorkerPools.h"

#include <QSemaphore>
#include <QThreadPool>

class HeldPool
{
public:
    HeldPool() : m_threads(jobPool()->maxThreadCount())
    {
        for (int i = 0; i < m_threads; ++i) {
            jobPool()->start([this] {
                m_started.release();
                m_gate.acquire();
            });
        }
        m_started.acquire(m_threads);
    }
    ~HeldPool() { releaseAndWait(); }

    HeldPool(const HeldPool &) = delete;
    HeldPool &operator=(const HeldPool &) = delete;

    // Lets the pool run what waits in its queue, and waits until it has all run.
    void releaseAndWait()
    {
        if (!m_released) {
            m_released = true;
            m_gate.release(m_threads);
        }
        waitForWorkers();
    }

private:
    const int m_threads;
    QSemaphore m_started;
    QSemaphore m_gate;
    bool m_released = false;
};
