#pragma once

#include "UniverseFileReader.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Keeps what another program wrote to a universe file (a sync tool, Vostrel on a
// second computer) from being overwritten unseen. It remembers the version of the
// file that the document last read or wrote by its stamp: size, modification time in
// nanoseconds and inode. A stamp rather than a hash of the contents: it costs one
// stat where a hash would read the whole file (over a gigabyte at 50,000 systems)
// before every save, and every way of changing a file moves it: a replacing rename
// gives another inode, a write into the file another modification time.
//
// Just before a write replaces the file, one with another stamp, or any file at a
// path whose version the document does not know (a new universe, a changed id), is
// kept beside it under a name that says so and that the listing of universes passes
// over ("<ID> (changed elsewhere 2026-12-07 10-31-05).json.bak"); then the write goes
// on. Where the writer swaps the new file in (AtomicFileWriter::SwapOut), the file the
// write replaced is looked at once more: the new file took a name of that form before
// the swap, so the old file has it from then on, and it is removed only when it is the
// version the document knows. A change that landed after the first look is kept so,
// and no end of the program leaves it under a name the program removes. A file
// deleted by another program leaves nothing to keep. When that version cannot be
// kept, the write does not happen. Used by one saving thread at a time.
class ExternalChangeGuard
{
public:
    // The file at `path` was read as `stamp`.
    void remember(const QString &path, const UniverseFileReader::Stamp &stamp);
    // Called with the new file's descriptor once its bytes are on disk, just before it
    // replaces `path`. Keeps another program's version first and puts where in
    // `keptPath`. A non-empty text is why that version could not be kept: the write
    // must stop.
    QString beforeReplace(const QString &path, int descriptor, QString *keptPath);
    // The name a write gives its new file just before it swaps places with the file at
    // `target` (the file at the path written, past any link): a name of the form of a
    // kept version beside `target`, for the version there now. `copy` counts from 1.
    static QString swapOutName(const QString &target, int copy);
    // Called once the write has replaced `path`, with where the file it replaced is
    // now: removes that file when it is the version the document knows, else keeps it
    // as beforeReplace() does, under the name for its own modification time beside
    // `path`, and puts where in `keptPath`. A non-empty text is why it could not be
    // kept: the write must be undone.
    QString replaced(const QString &path, const QString &oldFile, QString *keptPath);
    // Called after every write, whatever it reported: remembers the new file when it
    // is the one at `path` now, and returns its stamp then.
    std::optional<UniverseFileReader::Stamp> afterWrite(const QString &path);

    // Where the version of `path` last modified at `modified` is kept; `copy` counts
    // from 1 and tells apart versions modified within the same second.
    static QString keptPath(const QString &path, const QDateTime &modified, int copy);

private:
    // Keeps the version of `path` that is at `file` beside `path`, unless it is the
    // version the document knows. `move`: `file` is a name of its own (a file swapped
    // out), moved to where it is kept, or removed when it is the version known.
    QString keepUnknown(const QString &path, const QString &file, bool move, QString *keptPath);

    QString m_path;
    std::optional<UniverseFileReader::Stamp> m_stamp;   // of the file at m_path
    std::optional<UniverseFileReader::Stamp> m_written; // of the new file until it is in place
};
