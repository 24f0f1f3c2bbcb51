#pragma once

#include "LatestJob.h"
#include "StarfarerUniverse.h"
#include "UniverseFileReader.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Lists the universes of a folder without reading every file each time: the header
// read from each file is kept with the file's stamp (size, modification time, inode),
// in memory and in a cache file, and a file is read again only when its stamp
// changed; reading one then builds nothing of its systems. The cache only saves
// work: a missing, stale or corrupt cache file is rebuilt without a word and never
// changes what is listed, and failing to write it does no harm. The cache file is
// written off the calling thread (the window's), the latest entries once the write
// under way ends; the cache's end waits for the last write.
class HeaderCache
{
public:
    // `cachePath` empty: nothing is kept between runs.
    explicit HeaderCache(QString cachePath);

    // Called with each file a listing reads, checked, so that the caller can keep
    // what it is going to open instead of reading it again.
    using ReadVisitor = std::function<void(const QString &path, StarfarerUniverse::CheckedFile &&file)>;

    // The headers of the ".json" regular files in `folderPath` that hold a universe's
    // id and name, in the folder's order, each with the file it came from.
    QList<StarfarerUniverse::Header> list(const QString &folderPath, const ReadVisitor &visitRead = {});
    // Takes what a full read of the file at `path` learnt: listing it again needs no
    // reading while it keeps that version.
    void remember(const QString &path, StarfarerUniverse::Listing listing);
    // How often the folder was listed, and how many files those listings read (the
    // others were known unchanged).
    int listings() const { return m_listings; }
    int filesRead() const { return m_filesRead; }

private:
    using Entry = StarfarerUniverse::Listing;

    void load();
    // Hands the entries to the cache file's writer.
    void save();

    QString m_cachePath;
    bool m_loaded = false;
    QHash<QString, Entry> m_entries; // by file path
    bool m_unsaved = false;          // entries remembered since the cache file was written
    int m_listings = 0;
    int m_filesRead = 0;
    LatestJob m_writes;
};
