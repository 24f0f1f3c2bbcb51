#pragma once

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>

#include <tuple>
#include <type_traits>
#include <utility>

class QThreadPool;

// The program's own thread pools, apart from Qt's global one. Qt's drawing code waits
// on the global pool from the GUI thread (it scales and converts large images in
// parts there), so a long job of ours queued on it would hold up a paint; and a job
// that waited on the pool it runs on would wait for ever where the pool has one
// thread (a one-core machine).

// Background jobs that grow with the universe: reading and decoding a file, filing
// the map's systems, grouping its routes, tracing its borders, measuring its labels,
// converting an import, freeing a universe left, removing a deleted file. A job may
// wait only for parts it hands to partsPool().
QThreadPool *jobPool();

// The parts of one job that run side by side (the elements of a long list). A part
// never waits for anything, so a job waiting for its parts always sees them run.
QThreadPool *partsPool();

// Waits for every job and part; at the end of the program, and in tests.
void waitForWorkers();

// Frees `values` on jobPool(): freeing the plain values that a large universe and its
// views keep (hundreds of thousands of blocks) takes several frames. The values must
// share nothing with the caller but what may be let go on another thread (implicitly
// shared Qt values and standard containers of them). Without a running program (at
// its very end) the caller frees them as usual.
template <typename... Values> void freeOnWorker(Values &&...values)
{
    static_assert((!std::is_lvalue_reference_v<Values> && ...), "the values are handed over");
    if (!QCoreApplication::instance())
        return;
    static_cast<void>(QtConcurrent::run(jobPool(), [... held = std::move(values)]() mutable {
        const std::tuple<Values...> freed(std::move(held)...);
    }));
}
