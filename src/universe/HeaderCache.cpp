#include "HeaderCache.h"

#include "AtomicFileWriter.h"

#include "json/JsonParser.h"
#include "json/JsonWriter.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qint64 kFormat = 1;

} // namespace

HeaderCache::HeaderCache(QString cachePath) : m_cachePath(std::move(cachePath)) {}

QList<StarfarerUniverse::Header> HeaderCache::list(const QString &folderPath, const ReadVisitor &visitRead)
{
    load();
    ++m_listings;
    const QDir folder(folderPath);
    const QStringList names =
        folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    QHash<QString, Entry> seen;
    QList<StarfarerUniverse::Header> headers;
    for (const QString &name : names) {
        if (QFileInfo(name).suffix() != QLatin1StringView("json"))
            continue;
        const QString path = folder.filePath(name);
        const std::optional<UniverseFileReader::Stamp> stamp = UniverseFileReader::stamp(path);
        if (!stamp)
            continue; // never read a pipe, a device or a folder
        auto cached = m_entries.constFind(path);
        if (cached == m_entries.cend() || cached->stamp != *stamp) {
            ++m_filesRead;
            std::optional<UniverseFileReader::Contents> contents = UniverseFileReader::read(path);
            if (!contents)
                continue; // not remembered: it may be readable next time
            StarfarerUniverse::CheckedFile file = UniverseFile::check(std::move(*contents));
            Entry entry{file.contents.stamp, file.header()};
            if (entry.header)
                entry.header->filePath = path;
            cached = seen.insert(path, entry);
            if (visitRead)
                visitRead(path, std::move(file));
        } else {
            cached = seen.insert(path, *cached);
        }
        if (cached->header)
            headers.append(*cached->header);
    }
    if (seen != m_entries || m_unsaved) {
        m_entries = std::move(seen);
        save();
        m_unsaved = false;
    }
    return headers;
}

void HeaderCache::remember(const QString &path, StarfarerUniverse::Listing listing)
{
    load();
    if (listing.header)
        listing.header->filePath = path;
    const auto known = m_entries.constFind(path);
    if (known != m_entries.cend() && *known == listing)
        return;
    m_entries.insert(path, listing);
    m_unsaved = true;
}

void HeaderCache::load()
{
    if (m_loaded || m_cachePath.isEmpty())
        return;
    m_loaded = true;
    const auto contents = UniverseFileReader::read(m_cachePath);
    const std::optional<JsonValue> cache = contents ? JsonParser::parse(contents->bytes) : std::nullopt;
    if (!cache || !cache->isObject())
        return;
    try {
        const JsonPath root;
        const JsonReader reader(*cache->object(), root);
        if (reader.required<qint64>(QLatin1StringView("format")) != kFormat)
            return;
        const JsonValue &files = reader.object().value(QLatin1StringView("files"));
        if (!files.isArray())
            return;
        for (const JsonValue &file : *files.array()) {
            if (!file.isObject())
                return;
            const JsonReader item(*file.object(), root);
            const QString path = item.required<QString>(QLatin1StringView("path"));
            Entry entry{{item.required<qint64>(QLatin1StringView("size")),
                         item.required<qint64>(QLatin1StringView("modified")),
                         item.required<qint64>(QLatin1StringView("inode"))},
                        std::nullopt};
            if (item.contains(QLatin1StringView("id"))) {
                entry.header = StarfarerUniverse::Header::fromJson(item);
                entry.header->filePath = path;
            }
            m_entries.insert(path, entry);
        }
    } catch (const DecodeError &) {
        m_entries.clear(); // a damaged cache is rebuilt from the files
    }
}

void HeaderCache::save()
{
    if (m_cachePath.isEmpty())
        return;
    JsonArray files;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        JsonObject file = it->header ? it->header->toJson() : JsonObject();
        file.insert(QLatin1StringView("path"), it.key());
        file.insert(QLatin1StringView("size"), it->stamp.size);
        file.insert(QLatin1StringView("modified"), it->stamp.modified);
        file.insert(QLatin1StringView("inode"), it->stamp.inode);
        files.push_back(std::move(file));
    }
    const JsonObject cache{{QLatin1StringView("format"), kFormat},
                           {QLatin1StringView("files"), std::move(files)}};
    // A cache that cannot be written is only a slower next start.
    m_writes.run([path = m_cachePath, bytes = JsonWriter::write(cache)] {
        QDir().mkpath(QFileInfo(path).path());
        AtomicFileWriter::write(path, bytes);
    });
}
