#include "SettingsDisk.h"

#include <QDataStream>
#include <QIODevice>
#include <QMutex>

#include <atomic>
#include <thread>

namespace SettingsDisk {

namespace {

std::atomic<std::chrono::milliseconds::rep> writeLatency{0};
QMutex writtenMutex;
QSettings::SettingsMap written; // guarded by writtenMutex

bool read(QIODevice &device, QSettings::SettingsMap &values)
{
    QDataStream stream(&device);
    stream >> values;
    return stream.status() == QDataStream::Ok;
}

bool write(QIODevice &device, const QSettings::SettingsMap &values)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(writeLatency.load()));
    QDataStream stream(&device);
    stream << values;
    QMutexLocker lock(&writtenMutex);
    written = values;
    return stream.status() == QDataStream::Ok;
}

} // namespace

QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("benchsettings"), read, write);
    return registered;
}

void setWriteLatency(std::chrono::milliseconds latency)
{
    writeLatency = latency.count();
}

QVariant lastWritten(const QString &key)
{
    QMutexLocker lock(&writtenMutex);
    return written.value(key);
}

} // namespace SettingsDisk
