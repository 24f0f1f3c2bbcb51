#include "ExternalChangeGuard.h"

#include "AtomicFileWriter.h"
#include "FreeFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

void ExternalChangeGuard::remember(const QString &path, const UniverseFileReader::Stamp &stamp)
{
    m_path = path;
    m_stamp = stamp;
}

namespace {

// When `stamp`'s file was last changed, to the millisecond: a file swapped out is named
// by it, and must be found under that very name when it is kept.
QDateTime modifiedAt(const UniverseFileReader::Stamp &stamp)
{
    return QDateTime::fromMSecsSinceEpoch(stamp.modified / 1'000'000);
}

} // namespace

QString ExternalChangeGuard::beforeReplace(const QString &path, int descriptor, QString *keptPath)
{
    m_written = UniverseFileReader::stamp(descriptor);
    return keepUnknown(path, path, false, keptPath);
}

QString ExternalChangeGuard::swapOutName(const QString &target, int copy)
{
    const std::optional<UniverseFileReader::Stamp> found = UniverseFileReader::stamp(target);
    const QDateTime modified = found ? modifiedAt(*found) : QDateTime::currentDateTime();
    return keptPath(target, modified, copy);
}

QString ExternalChangeGuard::replaced(const QString &path, const QString &oldFile, QString *keptPath)
{
    return keepUnknown(path, oldFile, true, keptPath);
}

QString ExternalChangeGuard::keepUnknown(const QString &path, const QString &file, bool move,
                                         QString *keptPath)
{
    const std::optional<UniverseFileReader::Stamp> found = UniverseFileReader::stamp(file);
    if (!found)
        return QString();
    const QByteArray from = QFile::encodeName(file);
    if (path == m_path && found == m_stamp) {
        if (move)
            ::unlink(from.constData());
        return QString();
    }

    const QDateTime modified = modifiedAt(*found);
    QString tried, failure;
    const std::optional<QString> kept = createUnderFreeName(
        [&](int copy) { return tried = ExternalChangeGuard::keptPath(path, modified, copy); },
        [&](const QByteArray &to) {
            if (to == from)
                return true; // swapped out under the very name it is kept by
            // Another name for the same file keeps it exactly, without copying a byte.
            if ((move ? ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE)
                      : ::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW)) ==
                0)
                return true;
            if (errno == EEXIST)
                return false;
            // A file system without hard links, or another one than the link's, gets a
            // copy, written as atomically as the universe itself, under a name still free.
            if (QFileInfo(tried).exists() || QFileInfo(tried).isSymLink()) {
                errno = EEXIST;
                return false;
            }
            const std::optional<UniverseFileReader::Contents> other =
                UniverseFileReader::read(file, &failure);
            if (other)
                failure = AtomicFileWriter::write(tried, other->bytes);
            if (failure.isEmpty() && move)
                ::unlink(from.constData());
            errno = 0;
            return failure.isEmpty();
        });
    if (!kept) {
        return QStringLiteral(
                   "another program changed the file, and its version couldn\u2019t be kept as %1: %2")
            .arg(tried, failure);
    }
    *keptPath = *kept;
    // That version is safe now: if this write fails, the next one replaces it without
    // keeping it twice.
    m_path = path;
    m_stamp = found;
    return QString();
}

std::optional<UniverseFileReader::Stamp> ExternalChangeGuard::afterWrite(const QString &path)
{
    // Even a write that reports a failure (its folder could not be synced) may have
    // put the new file in place.
    const std::optional<UniverseFileReader::Stamp> written = std::exchange(m_written, std::nullopt);
    if (!written || UniverseFileReader::stamp(path) != written)
        return std::nullopt;
    remember(path, *written);
    return written;
}

QString ExternalChangeGuard::keptPath(const QString &path, const QDateTime &modified, int copy)
{
    const QFileInfo file(path);
    // No colons: they are not allowed in file names everywhere a sync tool may copy to.
    const QString when = modified.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString tail = copy > 1 ? QStringLiteral(", %1)").arg(copy) : QStringLiteral(")");
    tail += file.suffix().isEmpty() ? QStringLiteral(".bak") : QStringLiteral(".%1.bak").arg(file.suffix());
    // A long name loses the end of its own part, never what says what the file is.
    return fittedPath(file.path(),
                      QStringLiteral("%1 (changed elsewhere %2").arg(file.completeBaseName(), when), tail);
}
