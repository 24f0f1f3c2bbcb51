#include "StarMapTileQueue.h"

#include <algorithm>

void StarMapTileQueue::setExecutor(Executor executor)
{
    const std::lock_guard lock(m_mutex);
    m_executor = std::move(executor);
}

void StarMapTileQueue::want(quint64 level, QList<Wanted> tiles)
{
    Executor executor;
    qsizetype jobs = 0;
    {
        const std::lock_guard lock(m_mutex);
        m_level.store(level);
        tiles.removeIf([this](const Wanted &wanted) { return m_drawing.contains(wanted.tile); });
        m_waiting = std::move(tiles);
        jobs = std::max<qsizetype>(0, m_waiting.size() - m_jobs);
        m_jobs += jobs;
        executor = m_executor;
    }
    // Outside the lock: an executor may run the job at once.
    for (qsizetype i = 0; i < jobs; ++i)
        executor([queue = shared_from_this()] { queue->drawNext(); });
}

void StarMapTileQueue::landed(const Tile &tile)
{
    const std::lock_guard lock(m_mutex);
    m_drawing.remove(tile);
}

bool StarMapTileQueue::isIdle() const
{
    const std::lock_guard lock(m_mutex);
    return m_waiting.isEmpty() && m_drawing.isEmpty();
}

void StarMapTileQueue::drawNext()
{
    Wanted next;
    {
        const std::lock_guard lock(m_mutex);
        --m_jobs;
        if (m_waiting.isEmpty())
            return;
        next = m_waiting.takeFirst();
        m_drawing.insert(next.tile);
    }
    // Once left, the step counts as left for the rest of this drawing, even if the view
    // comes back to it: what was left out by then would be missing.
    bool left = false;
    next.draw([this, &left, level = next.tile.level] { return left = left || m_level.load() != level; });
}
