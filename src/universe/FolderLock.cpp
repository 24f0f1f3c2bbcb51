#include "FolderLock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

namespace {

// QLockFile writes its lock right after creating the file, so a lock that is still
// empty or unreadable this long after it was last modified was left that way.
constexpr qint64 kSettleMilliseconds = 1000;

} // namespace

FolderLock::FolderLock(QString lockFilePath) : m_path(std::move(lockFilePath)) {}

FolderLock::State FolderLock::acquire(OtherHostLock otherHost)
{
    m_otherHost.clear();
    m_lock = std::make_unique<QLockFile>(m_path);
    // Held for the whole run, however long: age alone never makes it stale.
    m_lock->setStaleLockTime(0);
    // Each round removes one stale lock; a few rounds let a racing instance win cleanly.
    for (int round = 0; round < 3; ++round) {
        if (m_lock->tryLock())
            return State::held;
        if (m_lock->error() != QLockFile::LockFailedError)
            return State::unavailable;
        QString host;
        if (!m_lock->getLockInfo(nullptr, &host, nullptr)) {
            removeUnreadable();
            continue;
        }
        // QLockFile has already taken over a lock of this computer whose process is gone.
        if (host.isEmpty() || host == QSysInfo::machineHostName())
            return State::inUse;
        if (otherHost == OtherHostLock::respect) {
            m_otherHost = host;
            return State::heldElsewhere;
        }
        m_lock->removeStaleLockFile();
    }
    // A stale lock that cannot be removed: the folder cannot be written either, so it
    // is opened as a read-only folder is, and its saves fail and are reported.
    return State::unavailable;
}

void FolderLock::removeUnreadable()
{
    // Two instances that find the same unreadable lock: one removes it, and the other
    // then finds that one's new lock, which it can read. QLockFile guards its own
    // removal of stale locks with the same file.
    QLockFile guard(m_path + QStringLiteral(".rmlock"));
    if (!guard.tryLock())
        return;
    const QDeadlineTimer giveUp(2 * kSettleMilliseconds);
    for (;;) {
        if (m_lock->getLockInfo(nullptr, nullptr, nullptr))
            return; // written meanwhile: judged again like any other lock
        const QFileInfo lock(m_path);
        if (!lock.exists() && !lock.isSymLink())
            return;
        // A modification time in the future (a skewed clock) does not make a lock young.
        const qint64 age = lock.lastModified().msecsTo(QDateTime::currentDateTime());
        if (age < 0 || age >= kSettleMilliseconds || giveUp.hasExpired())
            break;
        QThread::msleep(std::clamp<qint64>(kSettleMilliseconds - age, 1, 100));
    }
    removeLockPath();
}

void FolderLock::removeLockPath()
{
    const QFileInfo lock(m_path);
    if (!lock.isDir() || lock.isSymLink()) {
        QFile::remove(m_path);
        return;
    }
    if (QDir().rmdir(m_path))
        return;
    // Whatever the folder holds is not the program's to delete.
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString aside;
    for (int copy = 1; aside.isEmpty() || QFileInfo::exists(aside); ++copy)
        aside = m_path + QStringLiteral(" (moved aside %1%2)")
                             .arg(when, copy > 1 ? QStringLiteral(", %1").arg(copy) : QString());
    QFile::rename(m_path, aside);
}
