#include "LatestJob.h"

#include <QMutexLocker>

#include <utility>

LatestJob::LatestJob()
{
    m_thread.setMaxThreadCount(1);
}

LatestJob::~LatestJob()
{
    m_thread.waitForDone();
}

void LatestJob::run(std::function<void()> job)
{
    QMutexLocker lock(&m_mutex);
    m_waiting = std::move(job);
    if (std::exchange(m_running, true))
        return;
    m_thread.start([this] { runWaiting(); });
}

void LatestJob::runWaiting()
{
    for (;;) {
        std::function<void()> job;
        {
            QMutexLocker lock(&m_mutex);
            if (!m_waiting) {
                m_running = false;
                return;
            }
            job = std::exchange(m_waiting, {});
        }
        job();
    }
}
