#pragma once

#include <QCoreApplication>

#include <cstddef>
#include <deque>
#include <functional>

namespace StarMapTest {

// Jobs kept until the test runs them, so that it decides when tiles are drawn.
struct HeldJobs
{
    std::deque<std::function<void()>> jobs;

    std::function<void(std::function<void()>)> executor()
    {
        return [this](std::function<void()> job) { jobs.push_back(std::move(job)); };
    }
    // Runs the job at `index`, taking it out first: a job may hand out more jobs.
    void run(std::size_t index)
    {
        const std::function<void()> job = std::move(jobs[index]);
        jobs.erase(jobs.begin() + static_cast<std::ptrdiff_t>(index));
        job();
    }
    // Runs every job held, and those they hand out, and hands the tiles drawn over.
    void runAll()
    {
        while (!jobs.empty())
            run(0);
        QCoreApplication::sendPostedEvents();
    }
};

} // namespace StarMapTest
