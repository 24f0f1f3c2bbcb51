#pragma once

#include "UniverseFileReader.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// Replaces a file with new bytes so that the file is always either the old one or
// the complete new one, even after a full disk or a power loss. The bytes, written
// in as many pieces as the caller likes, go to a temporary file beside it (beside the
// file a symbolic link leads to: the link stays), which takes the old file's
// permissions and is synced before it replaces the old file; the folder is synced
// after the replacement so that it survives a power loss. The temporary file has no
// name until it is complete where the file system allows, else "<file>.XXXXXX" from
// the start. Any failure leaves the old file exactly as it was and gives the system's
// own reason ("No space left on device"); a writer dropped before commit() removes
// its temporary file.
//
// Where the file system can, the new file and the old one swap names in one step
// (renameat2 with RENAME_EXCHANGE), so the file replaced is exactly the one that was
// there at that instant, whatever another program wrote to it a moment before, and
// the caller sees it before it is removed. Elsewhere the new file is renamed over the
// old one, and what lands between the caller's last look and the rename is gone.
class AtomicFileWriter
{
public:
    // Called with the new file's descriptor once its bytes are on disk, just before it
    // replaces the old file; a non-empty text stops the write with that reason.
    using BeforeReplace = std::function<QString(int descriptor)>;
    // Called when the new file has taken the old one's place by a swap, with the path
    // where the old file now is; it is removed afterwards. A non-empty text puts the
    // old file back in its place and stops the write with that reason.
    using Replaced = std::function<QString(const QString &oldFile)>;

    // For tests only, taking effect for every commit that follows.
    struct TestHooks
    {
        // Runs with the path of the file a commit replaces, just before each try at
        // moving the new file into its place: another program writing at the worst
        // moment.
        std::function<void(const QString &path)> beforeMove;
        // False: commits replace files as where the file system cannot swap them.
        bool swap = true;
    };
    static void setTestHooks(TestHooks hooks);

    explicit AtomicFileWriter(const QString &path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // Each returns an empty text on success, else the reason of the failure; after a
    // failure nothing more may be written.
    QString open();
    QString write(QByteArrayView bytes);
    // Makes the written bytes the file's contents.
    QString commit(const BeforeReplace &beforeReplace = {}, const Replaced &replaced = {});

    // All the bytes at once: open(), write() and commit().
    static QString write(const QString &path, QByteArrayView bytes, const BeforeReplace &beforeReplace = {});

private:
    QString replace(const Replaced &replaced);
    // The old file is at the temporary name; `ours` is the new file's stamp.
    QString finishSwap(const Replaced &replaced, const std::optional<UniverseFileReader::Stamp> &ours);
    static QString syncFolder(const QString &folderPath);

    QString m_path;      // the file replaced: the path given, or where its link leads
    QString m_temporary; // the temporary file's name once it has one, while this writer owns it
    int m_descriptor = -1;
};
