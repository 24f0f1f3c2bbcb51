#include "AtomicFileWriter.h"

#include "FreeFileName.h"
#include "SaveLeftovers.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the system follows in one path.
constexpr int kMaximumLinks = 40;
// Rounds of "no file to swap with" and "a file appeared" before the new file is renamed
// over whatever is there, as where files cannot be swapped.
constexpr int kSwapAttempts = 8;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

struct TestHookState
{
    QMutex mutex;
    AtomicFileWriter::TestHooks hooks;
};

TestHookState &testHookState()
{
    static TestHookState state;
    return state;
}

AtomicFileWriter::TestHooks testHooks()
{
    TestHookState &state = testHookState();
    QMutexLocker lock(&state.mutex);
    return state.hooks;
}

// Whether a test has `step` fail now; errno is set to its error then.
bool failsInTest(AtomicFileWriter::Step step)
{
    const AtomicFileWriter::TestHooks hooks = testHooks();
    const int error = hooks.failure ? hooks.failure(step) : 0;
    if (error != 0)
        errno = error;
    return error != 0;
}

bool move(const QByteArray &from, const QByteArray &to, unsigned flags)
{
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags) == 0;
}

} // namespace

void AtomicFileWriter::setTestHooks(TestHooks hooks)
{
    TestHookState &state = testHookState();
    QMutexLocker lock(&state.mutex);
    state.hooks = std::move(hooks);
}

AtomicFileWriter::AtomicFileWriter(const QString &path) : m_path(path) {}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

QString AtomicFileWriter::write(const QString &path, QByteArrayView bytes, const BeforeReplace &beforeReplace)
{
    AtomicFileWriter file(path);
    QString reason = file.open();
    if (reason.isEmpty())
        reason = file.write(bytes);
    return reason.isEmpty() ? file.commit(beforeReplace) : reason;
}

QString AtomicFileWriter::open()
{
    QFileInfo link(m_path);
    for (int depth = 0; depth < kMaximumLinks && link.isSymLink(); ++depth)
        link.setFile(link.symLinkTarget());
    if (!link.isSymLink())
        m_path = link.filePath();

    const QByteArray path = QFile::encodeName(m_path);
    struct stat old;
    const bool exists = ::stat(path.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return systemReason(EISDIR);
    // A file made read-only is not replaced, although its folder would allow it.
    if (exists && ::access(path.constData(), W_OK) != 0)
        return systemReason(errno);
    // Only its owner may read the new file until it has the old one's permissions.
    const mode_t mode = exists ? 0600 : 0666;
    // A file without a name until it is complete: a write cut short leaves nothing, and
    // no other program (a sync tool) sees a file half written. It is named through the
    // folder of descriptors, which a sandbox may lack.
    m_descriptors = testHooks().descriptors;
    if (::access(QFile::encodeName(m_descriptors).constData(), X_OK) == 0 && !failsInTest(Step::create)) {
        m_descriptor = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                              O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    }
    if (m_descriptor < 0) {
        // Else the file has one of the program's own names from the start.
        const std::optional<QString> name = createUnderFreeName(
            [&](int) { return saveLeftoverName(m_path, SaveLeftover::write); },
            [&](const QByteArray &name) {
                if (!failsInTest(Step::create))
                    m_descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
                return m_descriptor >= 0;
            });
        if (!name)
            return systemReason(errno);
        m_temporary = *name;
    }
    if (exists && (failsInTest(Step::permissions) || ::fchmod(m_descriptor, old.st_mode & 0777) != 0))
        return systemReason(errno);
    return QString();
}

QString AtomicFileWriter::write(QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = failsInTest(Step::write) ? -1
                                                         : ::write(m_descriptor, bytes.data() + done,
                                                                   std::size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return systemReason(errno);
        done += std::max<ssize_t>(written, 0);
    }
    return QString();
}

QString AtomicFileWriter::commit(const BeforeReplace &beforeReplace, const SwapOut &swapOut)
{
    // Some file systems report a full disk only when the data reaches it.
    if (failsInTest(Step::sync) || ::fsync(m_descriptor) != 0)
        return systemReason(errno);
    if (beforeReplace) {
        const QString reason = beforeReplace(m_descriptor);
        if (!reason.isEmpty())
            return reason;
    }
    // The complete new file takes the name the old one is to have once swapped out.
    // Where it cannot (a named file on a file system that cannot rename without
    // replacing, which cannot swap either; a name refused for any reason), the write
    // still goes on: the new file is renamed over the old one, as where files cannot be
    // swapped, and the version found before the replacement has been kept.
    bool swapping = swapOut.replaced && testHooks().swap &&
                    name([&](int copy) { return swapOut.name(m_path, copy); }).isEmpty();
    if (!swapping && m_temporary.isEmpty()) {
        const QString reason = name([&](int) { return saveLeftoverName(m_path, SaveLeftover::write); });
        if (!reason.isEmpty())
            return reason;
    }
    const QString reason = replace(swapOut, swapping);
    return reason.isEmpty() ? syncFolder(QFileInfo(m_path).absolutePath()) : reason;
}

QString AtomicFileWriter::name(const std::function<QString(int copy)> &choose)
{
    const QByteArray unnamed = QFile::encodeName(m_descriptors) + '/' + QByteArray::number(m_descriptor);
    const QByteArray named = QFile::encodeName(m_temporary);
    const std::optional<QString> name = createUnderFreeName(choose, [&](const QByteArray &name) {
        if (failsInTest(Step::name))
            return false;
        if (m_temporary.isEmpty())
            return ::linkat(AT_FDCWD, unnamed.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
                   0;
        return move(named, name, RENAME_NOREPLACE);
    });
    if (!name)
        return systemReason(errno);
    m_temporary = *name;
    return QString();
}

QString AtomicFileWriter::replace(const SwapOut &swapOut, bool swapping)
{
    const QByteArray from = QFile::encodeName(m_temporary), to = QFile::encodeName(m_path);
    const std::optional<UniverseFileReader::Stamp> ours = UniverseFileReader::stamp(m_descriptor);
    const TestHooks hooks = testHooks();
    const auto moveIn = [&](unsigned flags) {
        if (hooks.beforeMove)
            hooks.beforeMove(m_path);
        return !failsInTest(Step::replace) && move(from, to, flags);
    };
    for (int attempt = 0; swapping && attempt < kSwapAttempts; ++attempt) {
        if (moveIn(RENAME_EXCHANGE))
            return finishSwap(swapOut, ours);
        if (errno != ENOENT)
            break; // no swapping on this file system
        // Nothing to swap with: moved in, unless a file appeared there meanwhile.
        if (moveIn(RENAME_NOREPLACE)) {
            m_temporary.clear();
            return QString();
        }
        if (errno != EEXIST)
            break;
    }
    if (!moveIn(0))
        return systemReason(errno);
    m_temporary.clear();
    return QString();
}

QString AtomicFileWriter::finishSwap(const SwapOut &swapOut,
                                     const std::optional<UniverseFileReader::Stamp> &ours)
{
    const QByteArray from = QFile::encodeName(m_temporary), to = QFile::encodeName(m_path);
    const QString reason = swapOut.replaced(m_temporary);
    if (reason.isEmpty()) {
        m_temporary.clear();
        return QString();
    }
    // Swapped back, the temporary name holds the new file again, unless another program
    // replaced or changed it meanwhile: then that file stays where it is, under a name
    // nothing removes.
    if (!move(from, to, RENAME_EXCHANGE) || UniverseFileReader::stamp(m_temporary) != ours)
        m_temporary.clear();
    return reason;
}

QString AtomicFileWriter::syncFolder(const QString &folderPath)
{
    const int folder = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return systemReason(errno);
    int error = !failsInTest(Step::syncFolder) && ::fsync(folder) == 0 ? 0 : errno;
    ::close(folder);
    // A file system that cannot sync folders has nothing more to make durable.
    if (error == EINVAL || error == ENOTSUP)
        error = 0;
    return error == 0 ? QString() : systemReason(error);
}
