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
// name until it is complete where the system allows (a file system with unnamed files,
// and /proc to name them through), else one of the program's own left-over names
// (SaveLeftovers) from the start. Any failure leaves the old file exactly as it was
// and gives the system's own reason ("No space left on device"); a writer dropped
// before commit() removes its temporary file. The temporary file's names fit the
// folder and are never taken (FreeFileName): no write fails for want of a name.
//
// A caller that wants to see the file it replaces (SwapOut) has the new file and the
// old one swap names in one step where the file system can (renameat2 with
// RENAME_EXCHANGE), so the file replaced is exactly the one that was there at that
// instant, whatever another program wrote to it a moment before. Before the swap, the
// complete new file takes a name the caller chooses, one that nothing removes, so the
// old file has that name from the instant of the swap on, whatever ends the program
// then. Elsewhere, for other callers, and where that name cannot be made, the new file
// is renamed over the old one, and what lands between the caller's last look and the
// rename is gone.
class AtomicFileWriter
{
public:
    // Called with the new file's descriptor once its bytes are on disk, just before it
    // replaces the old file; a non-empty text stops the write with that reason.
    using BeforeReplace = std::function<QString(int descriptor)>;
    // What a caller does with the file a swap takes out of its place.
    struct SwapOut
    {
        // The name that file is to have: beside `target` (the file replaced, past any
        // link), and one that nothing removes; `copy` counts from 1 for as long as the
        // names given are taken.
        std::function<QString(const QString &target, int copy)> name;
        // Called once the new file has taken the old one's place, with where the old
        // file is now: it is the caller's to keep or remove. A non-empty text puts the
        // old file back in its place and stops the write with that reason.
        std::function<QString(const QString &oldFile)> replaced;
    };

    // The steps of a write that a test may have fail.
    enum class Step {
        create,      // making the new file
        permissions, // giving it the old file's permissions
        write,       // writing a piece of the bytes
        sync,        // syncing the new file
        name,        // giving the new file a name
        replace,     // moving it into the old file's place
        syncFolder,  // syncing the folder after the move
    };
    // For tests only, taking effect for every commit that follows.
    struct TestHooks
    {
        // Runs with the path of the file a commit replaces, just before each try at
        // moving the new file into its place: another program writing at the worst
        // moment.
        std::function<void(const QString &path)> beforeMove;
        // False: commits replace files as where the file system cannot swap them.
        bool swap = true;
        // The folder through which the system names an open file by its descriptor;
        // where it is missing, a temporary file is named from the start.
        QString descriptors = QStringLiteral("/proc/self/fd");
        // Called at each try of a step: an error number has that try fail with it, as
        // the system would (a full disk, a failing device); 0 lets it run.
        std::function<int(Step step)> failure = {};
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
    QString commit(const BeforeReplace &beforeReplace = {}, const SwapOut &swapOut = {});

    // All the bytes at once: open(), write() and commit().
    static QString write(const QString &path, QByteArrayView bytes, const BeforeReplace &beforeReplace = {});

private:
    // Gives the temporary file the name `choose` makes, the next copy while names are
    // taken: `m_temporary` holds it then, else the reason is returned.
    QString name(const std::function<QString(int copy)> &choose);
    QString replace(const SwapOut &swapOut, bool swapping);
    // The old file is at the temporary name; `ours` is the new file's stamp.
    QString finishSwap(const SwapOut &swapOut, const std::optional<UniverseFileReader::Stamp> &ours);
    static QString syncFolder(const QString &folderPath);

    QString m_path;        // the file replaced: the path given, or where its link leads
    QString m_temporary;   // the temporary file's name once it has one, while this writer owns it
    QString m_descriptors; // the folder naming open files, for an unnamed temporary file
    int m_descriptor = -1;
};
