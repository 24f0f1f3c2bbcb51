#include "UniverseFileReader.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

UniverseFileReader::Stamp stampOf(const struct stat &status)
{
    return {qint64(status.st_size), qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
            qint64(status.st_ino)};
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Closes the descriptor on every way out.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::optional<UniverseFileReader::Contents> fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

std::optional<UniverseFileReader::Stamp> UniverseFileReader::stamp(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return stampOf(status);
}

std::optional<UniverseFileReader::Stamp> UniverseFileReader::stamp(int descriptor)
{
    struct stat status;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return stampOf(status);
}

std::optional<UniverseFileReader::Contents> UniverseFileReader::read(const QString &path, QString *error)
{
    // Opening without blocking, so that a pipe with no writer cannot hold the program;
    // what was opened is checked afterwards, so that it cannot be swapped in between.
    const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0)
        return fail(error, systemError());
    struct stat status;
    if (::fstat(file.fd, &status) != 0)
        return fail(error, systemError());
    if (!S_ISREG(status.st_mode))
        return fail(error, QStringLiteral("not a regular file"));
    if (status.st_size > kMaximumSize) {
        const QLocale c = QLocale::c();
        return fail(error, QStringLiteral("the file is too large to open (%1; at most %2)")
                               .arg(c.formattedDataSize(status.st_size), c.formattedDataSize(kMaximumSize)));
    }
    Contents contents{{}, stampOf(status)};
    try {
        contents.bytes = QByteArray(qsizetype(status.st_size), Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        return fail(error, QStringLiteral("not enough memory to read the file"));
    }
    // A file that shrinks while it is read gives what it still holds; one that grows
    // gives its first st_size bytes (either then fails to decode, if it is broken).
    qsizetype done = 0;
    while (done < contents.bytes.size()) {
        const ssize_t count =
            ::read(file.fd, contents.bytes.data() + done, size_t(contents.bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return fail(error, systemError());
        if (count == 0)
            break;
        done += count;
    }
    contents.bytes.truncate(done);
    return contents;
}
