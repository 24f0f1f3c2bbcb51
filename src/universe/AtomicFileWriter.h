#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

// Replaces a file with new bytes so that the file is always either the old one or
// the complete new one, even after a full disk or a power loss. The bytes go to a
// temporary file beside it, which is flushed and synced before it is renamed over
// the old file; the folder is synced after the rename so that the rename itself
// survives a power loss. Any failure leaves the old file exactly as it was and
// gives the system's own reason ("No space left on device").
class AtomicFileWriter
{
public:
    // Called with the new file's descriptor once its bytes are on disk, just before it
    // replaces the old file; a non-empty text stops the write with that reason.
    using BeforeReplace = std::function<QString(int descriptor)>;

    // An empty text on success, else the reason of the failure.
    static QString write(const QString &path, QByteArrayView bytes, const BeforeReplace &beforeReplace = {});

private:
    static QString syncFolder(const QString &folderPath);
};
