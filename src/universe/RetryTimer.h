#pragma once

#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

// Tries an action again, on its own, while it keeps failing: the first retry comes
// after a short delay, and each further failure doubles the delay up to a longest
// one, so that a lasting fault (a full disk) costs little while a passing one is
// soon over. A success stops the retries and starts the next failure's delays from
// the first again. Lives on the thread that reports the outcomes.
class RetryTimer
{
public:
    explicit RetryTimer(std::function<void()> action);

    void setDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest);
    // Schedules the next attempt after a failure.
    void failed();
    void succeeded();
    // The delay of the attempt waiting to run, if one is.
    std::optional<std::chrono::milliseconds> scheduled() const;

private:
    QTimer m_timer;
    std::chrono::milliseconds m_first{5000};
    std::chrono::milliseconds m_longest{60000};
    std::chrono::milliseconds m_next = m_first;
};
