#pragma once

// A settings file that takes long to write (a busy disk's flush): while a Hold lives,
// its writes are held while they hold the file's lock, until the test lets them go or
// twenty seconds have passed, which counts as a failure. Every write is counted.

#include <QByteArray>
#include <QIODevice>
#include <QSemaphore>
#include <QSettings>

#include <atomic>

namespace held_settings {

inline std::atomic_bool holding = false, timedOut = false;
inline std::atomic_int writes = 0;
inline QSemaphore started, mayGo;

inline bool read(QIODevice &device, QSettings::SettingsMap &map)
{
    for (const QByteArray &line : device.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            map.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
    }
    return true;
}

inline bool write(QIODevice &device, const QSettings::SettingsMap &map)
{
    ++writes;
    if (holding) {
        started.release();
        if (!mayGo.tryAcquire(1, 20000))
            timedOut = true;
    }
    for (auto entry = map.cbegin(); entry != map.cend(); ++entry)
        device.write(entry.key().toUtf8() + '=' + entry.value().toString().toUtf8() + '\n');
    return true;
}

inline QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("held"), read, write, Qt::CaseSensitive);
    return registered;
}

// Holds the writes from now on, counting them afresh, and lets every one go however
// the test ends.
class Hold
{
public:
    Hold()
    {
        started.tryAcquire(started.available());
        mayGo.tryAcquire(mayGo.available());
        writes = 0;
        timedOut = false;
        holding = true;
    }
    ~Hold() { letGo(); }
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

    // Lets the write held go, and those to come.
    void letGo()
    {
        holding = false;
        mayGo.release(100);
    }
};

} // namespace held_settings
