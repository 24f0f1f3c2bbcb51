#pragma once

#include <QHash>
#include <QList>
#include <QSet>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// The tiles of the map waiting to be drawn, shared by the map's thread, which says after
// each paint which tiles its view lacks, and the threads that draw, which each take the
// most wanted one when they start. Only tiles of the zoom step on show wait, in the order
// the view wants them (nearest its middle first): what an earlier paint asked for and the
// latest no longer wants is dropped before it starts, so that work for a step the view has
// left never delays the step it went to, and a drawing under way for such a step learns
// that it may stop.
class StarMapTileQueue : public std::enable_shared_from_this<StarMapTileQueue>
{
public:
    struct Tile
    {
        quint64 level = 0; // the zoom step
        qint64 column = 0;
        qint64 row = 0;

        friend bool operator==(const Tile &, const Tile &) = default;
        friend size_t qHash(const Tile &tile, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, tile.level, tile.column, tile.row);
        }
    };
    // Draws a tile and hands it over; `abandoned()` turns true, and stays so, once the
    // view has left the tile's step.
    using Draw = std::function<void(const std::function<bool()> &abandoned)>;
    struct Wanted
    {
        Tile tile;
        Draw draw;
    };
    // Runs a job, at once or later, on any thread.
    using Executor = std::function<void(std::function<void()>)>;

    explicit StarMapTileQueue(Executor executor) : m_executor(std::move(executor)) {}

    void setExecutor(Executor executor);
    // The view on show is of step `level` and lacks `tiles`, the most wanted first. They
    // replace the tiles waiting, less those being drawn, and the executor gets a job for
    // each tile waiting beyond the jobs it has not begun yet.
    void want(quint64 level, QList<Wanted> tiles);
    // The tile's drawing was taken in or thrown away: it may be asked for again.
    void landed(const Tile &tile);
    // Nothing is wanted any more: the tiles waiting are dropped and drawings under way stop.
    void stop() { want(0, {}); }
    // Whether no tile waits and every drawing begun has landed.
    bool isIdle() const;

private:
    // A job: draws the most wanted tile, if any still waits.
    void drawNext();

    mutable std::mutex m_mutex;
    Executor m_executor;
    QList<Wanted> m_waiting; // the most wanted first
    QSet<Tile> m_drawing;    // taken by a job and not yet landed
    qsizetype m_jobs = 0;    // jobs handed to the executor and not yet begun
    std::atomic<quint64> m_level{0};
};
