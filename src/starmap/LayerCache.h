#pragma once

#include <QHash>
#include <QList>
#include <QUuid>

#include <optional>

// What a layer keeps per drawn object, by the object's id.
namespace LayerCache {

// Drops the entries of objects no longer drawn, once they outnumber the objects, so
// that a frame pays for the sweep only after objects went.
template <typename Entry, typename Object>
void keepOnly(QHash<QUuid, Entry> &cache, const QList<Object> &objects)
{
    if (cache.size() <= objects.size())
        return;
    QHash<QUuid, Entry> kept;
    for (const Object &object : objects) {
        if (const auto found = cache.constFind(object.id); found != cache.cend())
            kept.insert(object.id, *found);
    }
    cache = std::move(kept);
}

// Takes the entry of this id out of the cache; none when there was none.
template <typename Entry> std::optional<Entry> take(QHash<QUuid, Entry> &cache, const QUuid &id)
{
    const auto found = cache.find(id);
    if (found == cache.end())
        return std::nullopt;
    std::optional<Entry> taken(std::move(*found));
    cache.erase(found);
    return taken;
}

} // namespace LayerCache
