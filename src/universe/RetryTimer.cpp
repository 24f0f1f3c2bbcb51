#include "RetryTimer.h"

#include <algorithm>

RetryTimer::RetryTimer(std::function<void()> action)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(action));
}

void RetryTimer::setDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest)
{
    m_first = first;
    m_longest = std::max(first, longest);
    m_next = m_first;
}

void RetryTimer::failed()
{
    m_timer.start(m_next);
    m_next = std::min(m_next * 2, m_longest);
}

void RetryTimer::succeeded()
{
    m_timer.stop();
    m_next = m_first;
}

std::optional<std::chrono::milliseconds> RetryTimer::scheduled() const
{
    if (!m_timer.isActive())
        return std::nullopt;
    return m_timer.intervalAsDuration();
}
