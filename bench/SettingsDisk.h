#pragma once

#include <QSettings>

#include <chrono>

// The settings file of the program the benchmarks run, kept in a format of its own
// whose writes can be made as slow as a flush to a busy disk. Settings of one file
// share their values and one lock in the process, and a write holds that lock for as
// long as it lasts, as the real file's does.
namespace SettingsDisk {

// The format: the values as a data stream, each write begun after the latency set.
QSettings::Format format();
// How long each write of a settings file in the format waits before it writes; none
// until set.
void setWriteLatency(std::chrono::milliseconds latency);
// The value of `key` that the last write of a settings file in the format put on disk.
QVariant lastWritten(const QString &key);

} // namespace SettingsDisk
