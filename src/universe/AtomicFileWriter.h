#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

#include <functional>

// Replaces a file with new bytes so that the file is always either the old one or
// the complete new one, even after a full disk or a power loss. The bytes, written
// in as many pieces as the caller likes, go to a temporary file beside it, which is
// synced before it is renamed over the old file; the folder is synced after the
// rename so that the rename itself survives a power loss. Any failure leaves the old
// file exactly as it was and gives the system's own reason ("No space left on
// device"); a writer dropped before commit() removes its temporary file.
class AtomicFileWriter
{
public:
    // Called with the new file's descriptor once its bytes are on disk, just before it
    // replaces the old file; a non-empty text stops the write with that reason.
    using BeforeReplace = std::function<QString(int descriptor)>;

    explicit AtomicFileWriter(const QString &path);

    // Each returns an empty text on success, else the reason of the failure; after a
    // failure nothing more may be written.
    QString open();
    QString write(QByteArrayView bytes);
    // Makes the written bytes the file's contents.
    QString commit(const BeforeReplace &beforeReplace = {});

    // All the bytes at once: open(), write() and commit().
    static QString write(const QString &path, QByteArrayView bytes, const BeforeReplace &beforeReplace = {});

private:
    static QString syncFolder(const QString &folderPath);

    QString m_path;
    QSaveFile m_file;
};
