#pragma once

#include <QHash>
#include <QImage>

#include <functional>
#include <list>
#include <mutex>
#include <utility>

// Small pictures the map stamps instead of drawing the same thing again (star discs,
// turned labels), kept by `Key` and dropped by least recent use when they outgrow
// their memory budget. Safe to use from several threads at once; a picture is made
// outside the lock, so two threads may make the same one, and the first one stored
// is kept.
template <typename Key> class PictureCache
{
public:
    explicit PictureCache(qsizetype budget) : m_budget(budget) {}

    // The picture for `key`, made by `make` when not kept.
    QImage get(const Key &key, const std::function<QImage()> &make)
    {
        {
            const std::lock_guard lock(m_mutex);
            const auto found = m_entries.constFind(key);
            if (found != m_entries.cend()) {
                m_order.splice(m_order.begin(), m_order, found->place);
                return found->picture;
            }
        }
        // A picture painted on keeps its painter's working buffers (the spans and strokes
        // of all it drew) for as long as it lives, many times its pixels for a long dashed
        // outline; a copy holds the pixels alone, which is what the budget counts.
        const QImage made = make().copy();
        const std::lock_guard lock(m_mutex);
        const auto found = m_entries.constFind(key);
        if (found != m_entries.cend())
            return found->picture;
        m_order.push_front(key);
        m_entries.insert(key, {made, m_order.begin()});
        m_bytes += made.sizeInBytes();
        while (m_bytes > m_budget && m_order.size() > 1) {
            const auto oldest = m_entries.find(m_order.back());
            m_bytes -= oldest->picture.sizeInBytes();
            m_entries.erase(oldest);
            m_order.pop_back();
        }
        return made;
    }

    qsizetype bytes() const
    {
        const std::lock_guard lock(m_mutex);
        return m_bytes;
    }

private:
    struct Entry
    {
        QImage picture;
        typename std::list<Key>::iterator place;
    };

    mutable std::mutex m_mutex;
    QHash<Key, Entry> m_entries;
    std::list<Key> m_order; // most recently used first
    qsizetype m_bytes = 0;
    qsizetype m_budget;
};
