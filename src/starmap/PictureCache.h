#pragma once

#include <QHash>
#include <QImage>
#include <QPainterPath>

#include <functional>
#include <list>
#include <mutex>
#include <utility>

// The memory a kept picture or outline takes.
inline qsizetype memoryOf(const QImage &picture)
{
    return picture.sizeInBytes();
}

inline qsizetype memoryOf(const QPainterPath &path)
{
    return path.elementCount() * qsizetype(sizeof(QPainterPath::Element));
}

// What the map stamps or fills instead of making it again (star discs, turned labels
// and their outlines, region outlines), kept by `Key` and dropped by least recent use
// when they outgrow their memory budget. Safe to use from several threads at once; a
// value is made outside the lock, so two threads may make the same one, and the
// first one stored is kept.
template <typename Key, typename Value = QImage> class PictureCache
{
public:
    explicit PictureCache(qsizetype budget) : m_budget(budget) {}

    // The value for `key`, made by `make` when not kept.
    Value get(const Key &key, const std::function<Value()> &make)
    {
        {
            const std::lock_guard lock(m_mutex);
            const auto found = m_entries.constFind(key);
            if (found != m_entries.cend()) {
                m_order.splice(m_order.begin(), m_order, found->place);
                return found->picture;
            }
        }
        const Value made = make();
        const std::lock_guard lock(m_mutex);
        const auto found = m_entries.constFind(key);
        if (found != m_entries.cend())
            return found->picture;
        m_order.push_front(key);
        m_entries.insert(key, {made, m_order.begin()});
        m_bytes += memoryOf(made);
        while (m_bytes > m_budget && m_order.size() > 1) {
            const auto oldest = m_entries.find(m_order.back());
            m_bytes -= memoryOf(oldest->picture);
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
        Value picture;
        typename std::list<Key>::iterator place;
    };

    mutable std::mutex m_mutex;
    QHash<Key, Entry> m_entries;
    std::list<Key> m_order; // most recently used first
    qsizetype m_bytes = 0;
    qsizetype m_budget;
};
