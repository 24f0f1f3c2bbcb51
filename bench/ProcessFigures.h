#pragma once

// Figures of the process and the machine that benchmarks report beside their times.

#include <QFile>

#include <time.h>
#include <unistd.h>

#include <cstdio>

// The CPU time this thread has spent, in milliseconds: on a busy machine, the work
// itself, apart from the time the thread waited for a core.
inline double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The resident memory of this process, in MiB.
inline double residentMB()
{
    long pages = 0;
    long resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The machine's load average over the last minute: how busy other programs kept it.
inline double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().split(' ').value(0).toDouble();
}
