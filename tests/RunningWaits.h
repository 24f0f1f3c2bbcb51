#pragma once

// Waits on the GUI thread with its event loop running: what the test waits for may be
// started by a timer or a queued call on this very thread (a retry, a write asked
// for while another ran), which a blocking wait would never let run.

#include "universe/WorkerPools.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QTest>

// Takes `count` from `semaphore` once a worker released them; false after a minute.
inline bool acquireRunning(QSemaphore &semaphore, int count = 1)
{
    return QTest::qWaitFor([&] { return semaphore.tryAcquire(count); }, 60000);
}

// Waits for every job and part of the program's pools and takes in on this thread
// what they handed over, once: work that starts is handed over by the next call.
inline void deliver()
{
    waitForWorkers();
    QCoreApplication::sendPostedEvents();
}

// Lets every job and part end, and takes in what they handed over and what that
// started in turn.
inline void drainWorkers()
{
    deliver();
    deliver();
}
