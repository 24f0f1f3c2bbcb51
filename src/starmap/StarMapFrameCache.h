#pragma once

#include "GridExtent.h"
#include "MapTransform.h"
#include "StarMapTileQueue.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class StarMapRenderer;
struct GalacticCoordinates;
struct MapDirtyArea;
struct StarMapScene;

// The map's picture kept in tiles, so that painting the view only copies pictures
// and never waits for drawing. Tiles of 256 × 256 device pixels are drawn for each
// zoom step (one scale at one sub-pixel placement) on threads that every map shares,
// one per core but one, which stays with the GUI thread, and reused while the map is
// panned and when the view comes back to a step. The tiles of the step on show are
// drawn nearest the middle of the view first; a move to another step drops the tiles
// still waiting for the old one and stops those being drawn. Until the tile of the
// exact step is ready, the nearest step kept is shown stretched in its place; the
// exact tile replaces it as soon as it is done, and a tile finished for a step no
// longer shown is dropped. A change of the map marks the tiles it reaches to be drawn
// again, its area worked out from the map for each step's own transform; the least
// recently used tiles go when the pictures outgrow their memory budget.
class StarMapFrameCache : public QObject
{
    Q_OBJECT

public:
    // Runs a job; by default on the tile threads, one per core but one.
    using Executor = StarMapTileQueue::Executor;
    static constexpr int kTileSize = 256;

    explicit StarMapFrameCache(const StarMapRenderer &renderer, QObject *parent = nullptr);
    // Stops the tiles waiting and being drawn, without waiting for them. The tiles and
    // the map they were drawn from are freed on a worker thread.
    ~StarMapFrameCache() override;

    // Paints the map in a view of `size` points on a screen of `devicePixelRatio`, at
    // `transform` with the grid covering `extent`, and asks for the tiles it lacks.
    void paint(QPainter &painter, const QSize &size, qreal devicePixelRatio, const MapTransform &transform,
               const GridExtent &extent);
    // What `paint` paints, as a picture of the view.
    QImage frame(const QSize &size, qreal devicePixelRatio, const MapTransform &transform,
                 const GridExtent &extent);
    // The view once every tile of its exact step is drawn and up to date; waits for
    // the tile threads, so only with the default executor.
    QImage sharpFrame(const QSize &size, qreal devicePixelRatio, const MapTransform &transform,
                      const GridExtent &extent);

    // Everything changed: every tile is drawn again.
    void invalidate();
    // The systems at these hexes changed: the tiles their drawing reaches, before and
    // after, are drawn again.
    void invalidate(const QList<GalacticCoordinates> &cells);
    // One map object changed: the tiles of this area are drawn again.
    void invalidate(const MapDirtyArea &area);

    // Whether the last view painted came from up-to-date tiles of its exact step only.
    bool isSharp() const { return m_sharp; }
    // Waits until no tile of this cache is being drawn on the tile threads and takes
    // their pictures in.
    void settle();
    // The memory the kept tiles take.
    qsizetype bytes() const { return m_bytes; }
    void setExecutor(Executor executor) { m_queue->setExecutor(std::move(executor)); }

signals:
    // Tiles of the step on show arrived: the view should be painted again.
    void tilesArrived();

private:
    struct TileKey
    {
        qint64 column = 0;
        qint64 row = 0;
        friend bool operator==(const TileKey &, const TileKey &) = default;
        friend size_t qHash(const TileKey &key, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, key.column, key.row);
        }
    };
    struct Tile
    {
        QImage image;          // null until first drawn
        quint64 drawnAt = 0;   // the change count the picture shows
        quint64 changedAt = 0; // the change count when a change last reached the tile
        quint64 usedAt = 0;    // the paint that last showed it
    };
    // The tiles of one zoom step. Tile (i, j) holds the device pixels from (i, j) × 256
    // of the map as drawn at `transform`.
    struct Level
    {
        quint64 id = 0;
        MapTransform transform;
        qreal ratio = 1;
        GridExtent extent;
        QHash<TileKey, Tile> tiles;
    };
    // A block of tiles, both ranges inclusive.
    struct TileRange
    {
        qint64 firstColumn = 0, lastColumn = -1, firstRow = 0, lastRow = -1;
    };

    Level &levelFor(const MapTransform &transform, qreal ratio, const GridExtent &extent);
    Level *levelWithID(quint64 id);
    // Where the level's device pixel (0, 0) lies in the view of `transform`, in whole
    // device pixels.
    static QPointF shiftOf(const Level &level, const MapTransform &transform);
    // The tiles of `level` that meet `area`, a rectangle of points in the view of
    // `transform`, shrunk by `inset` device pixels on every side.
    static TileRange tilesMeeting(const Level &level, const MapTransform &transform, const QRectF &area,
                                  double inset = 0);
    // The rectangle of points in the view of `transform` that a tile of `level` covers.
    static QRectF placeOf(const Level &level, const MapTransform &transform, const TileKey &key);
    bool isFresh(const Tile &tile) const;
    // Marks the tiles of every step that meet the area `areaAt` gives for the step's
    // own transform, in its points.
    void invalidate(const std::function<QRectF(const MapTransform &)> &areaAt);
    // The drawing of a tile of `level`, which hands it over when done.
    StarMapTileQueue::Draw drawingOf(const Level &level, const TileKey &key);
    void accept(quint64 levelID, const TileKey &key, const QImage &image, quint64 drawnAt);
    // Fills `area`, which has no tile of the step on show, from the nearest steps kept.
    void drawStandIn(QPainter &painter, const QRectF &area, const Level &shown,
                     const MapTransform &transform);
    bool covers(const Level &level, const MapTransform &transform, const QRectF &area) const;
    void drawLevel(QPainter &painter, const Level &level, const MapTransform &transform,
                   const QRectF &area) const;
    // Drops the least recently used tiles while over budget, and the steps left empty.
    void evict();

    const StarMapRenderer &m_renderer;
    // The map as the tiles asked for since the last change draw it; made when needed.
    std::shared_ptr<const StarMapScene> m_scene;
    std::vector<std::unique_ptr<Level>> m_levels;
    quint64 m_nextLevel = 1;
    quint64 m_shownLevel = 0;
    quint64 m_changes = 0;
    quint64 m_resetAt = 0;
    quint64 m_paints = 0;
    qsizetype m_bytes = 0;
    bool m_sharp = false;
    std::shared_ptr<StarMapTileQueue> m_queue;
};
