#pragma once

// Keeps the program's job pool from running anything the test hands it until
// released (at the latest when the holder goes): its one thread waits, so that a test
// sees whether work was handed to the pool or done on the spot.

#include "universe/WorkerPools.h"

#include <QSemaphore>
#include <QThreadPool>

#include <utility>

class HeldJobPool
{
public:
    HeldJobPool() : m_threads(jobPool()->maxThreadCount())
    {
        jobPool()->setMaxThreadCount(1);
        jobPool()->start([this] {
            m_occupied.release();
            m_gate.acquire();
        });
        m_occupied.acquire();
    }
    ~HeldJobPool()
    {
        release();
        waitForWorkers();
        jobPool()->setMaxThreadCount(m_threads);
    }

    HeldJobPool(const HeldJobPool &) = delete;
    HeldJobPool &operator=(const HeldJobPool &) = delete;

    // Lets the pool run what waits.
    void release()
    {
        if (!std::exchange(m_released, true))
            m_gate.release();
    }

private:
    int m_threads;
    bool m_released = false;
    QSemaphore m_occupied, m_gate;
};
