#pragma once

#include "HexIndex.h"
#include "RutterHexIndex.h"
#include "UniverseContents.h"
#include "UniverseFileReader.h"
#include "json/JsonParser.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <atomic>
#include <optional>

// The file form of a universe, kept apart from the document (StarfarerUniverse):
// checking a file's bytes, decoding them into plain values with the repairs of
// older files done, and encoding values back into the bytes a save writes. Nothing
// here belongs to a thread or a document, so a large file is read and decoded on a
// worker thread.
class UniverseFile
{
public:
    // The id and name of a stored universe, read without the rest of its file.
    struct Header
    {
        QUuid id;
        QString name;
        QString filePath; // the file it was listed from; not part of the JSON form

        static Header fromJson(const JsonReader &reader);
        JsonObject toJson() const;
        bool operator==(const Header &other) const { return id == other.id && name == other.name; }
    };

    // One version of a universe file and what listing it finds there: its header, or
    // none when the file holds no universe's id and name.
    struct Listing
    {
        UniverseFileReader::Stamp stamp;
        std::optional<Header> header;
        bool operator==(const Listing &) const = default;
    };

    // A universe file read and checked but not decoded yet: its bytes with their
    // version, and their outline (the systems left as texts) or why they are not
    // valid JSON. Listing a file takes this much; opening it needs only the decoding
    // besides.
    struct CheckedFile
    {
        UniverseFileReader::Contents contents;
        std::optional<JsonParser::Outline> outline;
        QString invalidReason;    // when there is no outline
        bool outOfMemory = false; // no outline for want of memory: the bytes may be valid
        // The header listing finds in the file: none unless the file holds an object
        // with a valid id and name.
        std::optional<Header> header() const;
    };

    // A universe file decoded into plain values, with the repairs of older files
    // done and the systems indexed: everything a document is made of. Nothing in it
    // belongs to a thread, so a large file is decoded on a worker thread and the
    // document made of it on the thread that keeps the document.
    struct DecodedFile
    {
        UniverseContents contents;
        HexIndex index;
        RutterHexIndex rutterIndex;
        Listing listing; // the version read and the header it holds
    };

    // Checks a file's bytes (a UTF-8 byte-order mark is skipped).
    static CheckedFile check(UniverseFileReader::Contents contents);
    // Decodes a checked file. On any failure returns nothing and puts the reason in
    // `error`: nothing partial is ever produced.
    static std::optional<DecodedFile> decodeChecked(const CheckedFile &file, QString *error);
    // Reads, checks and decodes the file at `path` (UniverseFileReader: only a regular
    // file of a sane size); the file is only read. It may run on any thread. On
    // failure returns nothing with the reason in `error`. Once `abandoned` (when
    // given) is set, it stops at its next step with nothing.
    static std::optional<DecodedFile> decodeFile(const QString &path, QString *error = nullptr,
                                                 const std::atomic<bool> *abandoned = nullptr);
    // The bytes a save writes: pretty-printed, keys sorted. Throws EncodeError for a
    // value that cannot be stored faithfully.
    static QByteArray encode(const UniverseContents &contents);
};
