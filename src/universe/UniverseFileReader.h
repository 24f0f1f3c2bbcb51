#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads universe files whole, safely against whatever a documents folder may hold.
// Only a regular file is read (a symbolic link counts when it leads to one): a pipe
// would block the program and a device may never end. A file larger than
// kMaximumSize is refused before anything is allocated, and the bytes are read into
// one buffer of the size known in advance. Running out of memory makes the file
// unreadable rather than ending the program. Files are only ever read.
class UniverseFileReader
{
public:
    // Far above the largest universe expected (50,000 systems take about 1.2 GB at
    // two-space indentation), yet below what a machine can hold alongside the
    // document decoded from it: a larger file is a mistake or an attack.
    static constexpr qint64 kMaximumSize = qint64(4) << 30;

    // One version of a file: rewriting or replacing a file gives it another stamp.
    struct Stamp
    {
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds since the epoch
        qint64 inode = 0;
        bool operator==(const Stamp &) const = default;
    };

    struct Contents
    {
        QByteArray bytes;
        Stamp stamp; // of the file the bytes were read from
    };

    // The stamp of the regular file at `path`; nothing for anything else.
    static std::optional<Stamp> stamp(const QString &path);
    // The stamp of an open regular file.
    static std::optional<Stamp> stamp(int descriptor);
    // The file's bytes, or nothing with the reason in `error`.
    static std::optional<Contents> read(const QString &path, QString *error = nullptr);
};
