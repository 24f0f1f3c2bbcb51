// Another program writing a universe file while the document saves it again and
// again: of the other program's versions that a save replaced, how many were kept
// beside the file and how many were lost. A count of versions, not a speed figure; run
// it alone with --benchmark_filter=ExternalWriterRace.
//
// "forced" makes the other program write one version in the replace step of every
// save (through the writers' test hook), "random" at random moments from a thread of
// its own. swap:0 replaces files as where the file system cannot swap them; inPlace:0
// makes the other program replace the file by a rename, inPlace:1 rewrite it in place.
//
// A version counts when it was the universe file once written: one written in place
// into a file that a save had already swapped out is counted apart ("late"). It is
// lost when the other program did not replace it itself and it is neither the final
// file nor a kept copy (each copy is read and removed after the save that made it, so
// that the run does not fill the disk). The other program learns which of its versions it replaced
// itself by swapping its new file in (renameat2 with RENAME_EXCHANGE) or by reading
// what it is about to overwrite in place.
#include "SyntheticSystems.h"
#include "universe/AtomicFileWriter.h"
#include "universe/StarfarerUniverse.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// The document's name in its n-th save and the other program's in its n-th version:
// of one length, so that both programs' files have one size.
QByteArray versionName(const char *who, int version)
{
    return QByteArray(who) + QByteArray::number(version).rightJustified(7, '0');
}

std::optional<int> theirVersion(const QByteArray &bytes)
{
    const qsizetype at = bytes.indexOf("\"Them ");
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const int version = bytes.mid(at + 6, 7).toInt(&ok);
    return ok ? std::optional<int>(version) : std::nullopt;
}

QByteArray readAll(int descriptor)
{
    QByteArray bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::pread(descriptor, buffer, sizeof buffer, bytes.size())) > 0;)
        bytes.append(buffer, got);
    return bytes;
}

class OtherProgram
{
public:
    // `ours` is a file the document wrote while named versionName("Ours ", 0).
    OtherProgram(const QString &path, const QByteArray &ours, bool inPlace)
        : m_path(QFile::encodeName(path)), m_ours(ours), m_inPlace(inPlace)
    {}

    void write()
    {
        QByteArray bytes = m_ours;
        bytes.replace(versionName("Ours ", 0), versionName("Them ", ++m_versions));
        if (m_inPlace ? writeInPlace(bytes) : replace(bytes))
            m_counted.insert(m_versions);
        else
            ++m_late;
    }

    // The counted versions that a save replaced; `last` is the version in the file now.
    QSet<int> replacedBySaves(const QSet<int> &last) const { return m_counted - m_replacedItself - last; }
    int late() const { return m_late; }

private:
    bool replace(const QByteArray &bytes)
    {
        const QByteArray incoming = m_path + ".incoming";
        const int file = ::open(incoming.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool written = file >= 0 && ::write(file, bytes.constData(), bytes.size()) == bytes.size();
        ::close(file);
        if (!written)
            return false;
        if (::renameat2(AT_FDCWD, incoming.constData(), AT_FDCWD, m_path.constData(), RENAME_EXCHANGE) != 0)
            return ::rename(incoming.constData(), m_path.constData()) == 0;
        const int old = ::open(incoming.constData(), O_RDONLY | O_CLOEXEC);
        replacedItself(readAll(old));
        ::close(old);
        ::unlink(incoming.constData());
        return true;
    }

    bool writeInPlace(const QByteArray &bytes)
    {
        const int file = ::open(m_path.constData(), O_RDWR | O_CLOEXEC);
        if (file < 0)
            return false;
        replacedItself(readAll(file));
        bool counted =
            ::ftruncate(file, 0) == 0 && ::pwrite(file, bytes.constData(), bytes.size(), 0) == bytes.size();
        struct stat mine, there;
        counted = counted && ::fstat(file, &mine) == 0 && ::stat(m_path.constData(), &there) == 0 &&
                  mine.st_ino == there.st_ino;
        ::close(file);
        return counted;
    }

    void replacedItself(const QByteArray &old)
    {
        if (const std::optional<int> version = theirVersion(old))
            m_replacedItself.insert(*version);
    }

    QByteArray m_path;
    QByteArray m_ours;
    bool m_inPlace;
    int m_versions = 0;
    int m_late = 0;
    QSet<int> m_counted;
    QSet<int> m_replacedItself;
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Adds the other program's versions kept in `universes` to `kept` and removes the
// copies, so that thousands of saves do not fill the disk.
void takeKeptCopies(const QDir &universes, QSet<int> &kept)
{
    for (const QString &name : universes.entryList({QStringLiteral("*.bak")}, QDir::Files)) {
        if (const std::optional<int> version = theirVersion(contents(universes.filePath(name))))
            kept.insert(*version);
        QFile::remove(universes.filePath(name));
    }
}

void BM_ExternalWriterRace(benchmark::State &state, bool forced)
{
    const bool swap = state.range(0) != 0, inPlace = state.range(1) != 0;
    QTemporaryDir documents;
    const UniverseFolder folder(documents.path());
    StarfarerUniverse universe(folder);
    universe.setData(syntheticSystems(5));
    universe.setName(QString::fromLatin1(versionName("Ours ", 0)));
    universe.saveNow();
    OtherProgram other(universe.filePath(), contents(universe.filePath()), inPlace);

    std::atomic<bool> saving = true;
    std::thread randomly;
    if (forced) {
        AtomicFileWriter::setTestHooks({[&](const QString &) { other.write(); }, swap});
    } else {
        AtomicFileWriter::setTestHooks({nullptr, swap});
        randomly = std::thread([&] {
            QRandomGenerator random(46);
            while (saving) {
                std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(2000)));
                other.write();
            }
        });
    }
    const QDir universes(folder.universesPath());
    QSet<int> kept;
    int saves = 0, failed = 0;
    for (auto _ : state) {
        universe.setName(QString::fromLatin1(versionName("Ours ", ++saves)));
        failed += universe.saveNow() ? 0 : 1;
        takeKeptCopies(universes, kept);
    }
    saving = false;
    if (randomly.joinable())
        randomly.join();
    AtomicFileWriter::setTestHooks({});

    takeKeptCopies(universes, kept);
    QSet<int> last;
    if (const std::optional<int> version = theirVersion(contents(universe.filePath())))
        last.insert(*version);
    const QSet<int> replaced = other.replacedBySaves(last);
    state.counters["replaced"] = replaced.size();
    state.counters["kept"] = (replaced & kept).size();
    state.counters["lost"] = (replaced - kept).size();
    state.counters["late"] = other.late();
    state.counters["failed"] = failed;
}

} // namespace

BENCHMARK_CAPTURE(BM_ExternalWriterRace, forced, true)
    ->ArgNames({"swap", "inPlace"})
    ->ArgsProduct({{1, 0}, {0, 1}})
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ExternalWriterRace, random, false)
    ->ArgNames({"swap", "inPlace"})
    ->ArgsProduct({{1, 0}, {0, 1}})
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);
