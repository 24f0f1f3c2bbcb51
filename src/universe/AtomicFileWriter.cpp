#include "AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString AtomicFileWriter::write(const QString &path, QByteArrayView bytes, const BeforeReplace &beforeReplace)
{
    // An uncommitted QSaveFile removes its temporary file on every early return.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // Written through the descriptor, not the device: a buffered device would hold a
    // short text until commit(), which does not report a failed flush, and the
    // device reports a refused write as "Unknown error" where the system names it.
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(file.handle(), bytes.data() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return systemReason(errno);
        done += std::max<ssize_t>(written, 0);
    }
    // Some file systems report a full disk only when the data reaches it.
    if (::fsync(file.handle()) != 0)
        return systemReason(errno);
    if (beforeReplace) {
        const QString reason = beforeReplace(file.handle());
        if (!reason.isEmpty())
            return reason;
    }
    if (!file.commit())
        return file.errorString();
    return syncFolder(QFileInfo(path).absolutePath());
}

QString AtomicFileWriter::syncFolder(const QString &folderPath)
{
    const int folder = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return systemReason(errno);
    int error = ::fsync(folder) == 0 ? 0 : errno;
    ::close(folder);
    // A file system that cannot sync folders has nothing more to make durable.
    if (error == EINVAL || error == ENOTSUP)
        error = 0;
    return error == 0 ? QString() : systemReason(error);
}
