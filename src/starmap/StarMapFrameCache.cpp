#include "StarMapFrameCache.h"

#include "MapColors.h"
#include "MapDirtyArea.h"
#include "StarMapRenderer.h"
#include "universe/WorkerPools.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QtConcurrent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kTile = StarMapFrameCache::kTileSize;
// Tiles, by the memory they take: a view of 1920 × 1080 takes about 14 MB. With the
// layers' pictures (at most 32 MB) and the stamped discs, the map keeps under 256 MB.
constexpr qsizetype kBudget = 144 * 1024 * 1024;
// Steps whose scale lies more than this above the one on show are not shrunk into it:
// each tile of the view would take many of theirs. Steps below it cost one or two each.
constexpr double kLargestStandInRatio = 2;
// Tile indices stay well inside 64 bits whatever the transform.
constexpr qint64 kFarthestTile = qint64(1) << 52;

bool sameScale(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

bool isWhole(double value)
{
    return std::abs(value - std::round(value)) < 1e-3;
}

QThreadPool &tilePool();

// The threads that draw tiles, shared by every map of the program: one per core but
// one, however many maps are alive, so that a core stays with the GUI thread and
// painting and input never wait behind the tiles. A tile of a map already gone may
// still be finishing when the program ends: the application waits for it before it
// takes the fonts and screens away.
class TilePool : public QThreadPool
{
public:
    TilePool()
    {
        setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        qAddPostRoutine([] { tilePool().waitForDone(); });
    }
};

QThreadPool &tilePool()
{
    static TilePool pool;
    return pool;
}

} // namespace

StarMapFrameCache::StarMapFrameCache(const StarMapRenderer &renderer, QObject *parent)
    : QObject(parent), m_renderer(renderer),
      // A job hands its tile over by a queued call, so its future is not kept.
      m_queue(std::make_shared<StarMapTileQueue>([](std::function<void()> job) {
          static_cast<void>(QtConcurrent::run(&tilePool(), std::move(job)));
      }))
{}

StarMapFrameCache::~StarMapFrameCache()
{
    // Tiles being drawn stop at their next look at whether they are still wanted; what
    // they hand over then finds the cache gone. Nothing here waits for them.
    m_queue->stop();
    freeOnWorker(std::move(m_scene), std::move(m_levels));
}

StarMapFrameCache::Level &StarMapFrameCache::levelFor(const MapTransform &transform, qreal ratio,
                                                      const GridExtent &extent)
{
    for (const auto &level : m_levels) {
        const QPointF shift = (transform.offset - level->transform.offset) * ratio;
        if (level->ratio == ratio && level->extent == extent &&
            sameScale(level->transform.scale, transform.scale) && isWhole(shift.x()) && isWhole(shift.y()))
            return *level;
    }
    auto level = std::make_unique<Level>();
    level->id = m_nextLevel++;
    level->transform = transform;
    level->ratio = ratio;
    level->extent = extent;
    m_levels.push_back(std::move(level));
    return *m_levels.back();
}

StarMapFrameCache::Level *StarMapFrameCache::levelWithID(quint64 id)
{
    const auto found =
        std::find_if(m_levels.begin(), m_levels.end(), [id](const auto &level) { return level->id == id; });
    return found == m_levels.end() ? nullptr : found->get();
}

QPointF StarMapFrameCache::shiftOf(const Level &level, const MapTransform &transform)
{
    const QPointF shift = (transform.offset - level.transform.offset) * level.ratio;
    return {std::round(shift.x()), std::round(shift.y())};
}

QRectF StarMapFrameCache::placeOf(const Level &level, const MapTransform &transform, const TileKey &key)
{
    const QPointF corner =
        QPointF(static_cast<double>(key.column), static_cast<double>(key.row)) * (kTile / level.ratio);
    const double stretch = transform.scale / level.transform.scale;
    if (sameScale(stretch, 1)) {
        // The same scale: whole device pixels, so that the tile is copied, not resampled.
        return {corner + shiftOf(level, transform) / level.ratio, QSizeF(kTile, kTile) / level.ratio};
    }
    // A point p of the level's picture shows the map point (p − offset) / scale, which
    // the view shows at that point × its own scale + its own offset.
    return {(corner - level.transform.offset) * stretch + transform.offset,
            QSizeF(kTile, kTile) * (stretch / level.ratio)};
}

StarMapFrameCache::TileRange StarMapFrameCache::tilesMeeting(const Level &level,
                                                             const MapTransform &transform,
                                                             const QRectF &area, double inset)
{
    // The area in the level's device pixels.
    const double stretch = level.transform.scale / transform.scale;
    const QPointF topLeft =
        ((area.topLeft() - transform.offset) * stretch + level.transform.offset) * level.ratio;
    const QPointF bottomRight =
        ((area.bottomRight() - transform.offset) * stretch + level.transform.offset) * level.ratio;
    const auto index = [](double pixel) {
        return GridExtent::boundedFloor(pixel / kTile, -kFarthestTile, kFarthestTile);
    };
    return {index(topLeft.x() + inset), index(bottomRight.x() - inset), index(topLeft.y() + inset),
            index(bottomRight.y() - inset)};
}

bool StarMapFrameCache::isFresh(const Tile &tile) const
{
    return !tile.image.isNull() && tile.drawnAt >= std::max(tile.changedAt, m_resetAt);
}

void StarMapFrameCache::paint(QPainter &painter, const QSize &size, qreal devicePixelRatio,
                              const MapTransform &transform, const GridExtent &extent)
{
    ++m_paints;
    Level &level = levelFor(transform, devicePixelRatio, extent);
    m_shownLevel = level.id;
    const QRectF view(QPointF(0, 0), QSizeF(size));
    // The view's edges lie on whole device pixels of its step: a tile that only
    // touches an edge is not on show.
    const TileRange range = tilesMeeting(level, transform, view, 0.5);

    // Tiles to draw, nearest the middle of the view first.
    QList<std::pair<double, TileKey>> lacking;
    QList<QRectF> missing;
    for (qint64 j = range.firstRow; j <= range.lastRow; ++j) {
        for (qint64 i = range.firstColumn; i <= range.lastColumn; ++i) {
            const TileKey key{i, j};
            Tile &tile = level.tiles[key];
            tile.usedAt = m_paints;
            const QRectF place = placeOf(level, transform, key);
            if (tile.image.isNull())
                missing.append(place);
            else
                painter.drawImage(place.topLeft(), tile.image);
            if (!isFresh(tile)) {
                const QPointF away = place.center() - view.center();
                lacking.append({away.x() * away.x() + away.y() * away.y(), key});
            }
        }
    }
    for (const QRectF &area : std::as_const(missing))
        drawStandIn(painter, area, level, transform);
    m_sharp = lacking.isEmpty();

    std::stable_sort(lacking.begin(), lacking.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<StarMapTileQueue::Wanted> wanted;
    wanted.reserve(lacking.size());
    for (const auto &[distance, key] : std::as_const(lacking))
        wanted.append({{level.id, key.column, key.row}, drawingOf(level, key)});
    m_queue->want(level.id, std::move(wanted));
    evict();
}

QImage StarMapFrameCache::frame(const QSize &size, qreal devicePixelRatio, const MapTransform &transform,
                                const GridExtent &extent)
{
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    paint(painter, size, devicePixelRatio, transform, extent);
    return image;
}

QImage StarMapFrameCache::sharpFrame(const QSize &size, qreal devicePixelRatio, const MapTransform &transform,
                                     const GridExtent &extent)
{
    for (;;) {
        QImage image = frame(size, devicePixelRatio, transform, extent);
        if (m_sharp)
            return image;
        settle();
    }
}

StarMapTileQueue::Draw StarMapFrameCache::drawingOf(const Level &level, const TileKey &key)
{
    // Every change of the map comes through invalidate(), which drops the scene.
    if (!m_scene)
        m_scene = m_renderer.scene();
    const qreal ratio = level.ratio;
    const MapTransform transform{level.transform.scale,
                                 level.transform.offset -
                                     QPointF(static_cast<double>(key.column), static_cast<double>(key.row)) *
                                         (kTile / ratio)};
    return [cache = QPointer(this), scene = m_scene, transform, extent = level.extent, ratio,
            levelID = level.id, key, changes = m_changes](const std::function<bool()> &abandoned) {
        QImage image;
        if (!abandoned()) {
            // The tile's pixels are painted through a picture of their own, which takes
            // the painter's working buffers with it when it goes; the tile handed over
            // then holds the pixels alone, which is what the budget counts.
            constexpr qsizetype bytesPerLine = qsizetype(kTileSize) * 4;
            auto *pixels = static_cast<uchar *>(std::malloc(std::size_t(bytesPerLine) * kTileSize));
            Q_CHECK_PTR(pixels);
            bool whole = false;
            {
                QImage drawn(pixels, kTileSize, kTileSize, bytesPerLine, QImage::Format_ARGB32_Premultiplied);
                drawn.setDevicePixelRatio(ratio);
                QPainter painter(&drawn);
                whole = StarMapRenderer::draw(painter, *scene, transform, extent,
                                              QRectF(0, 0, kTile / ratio, kTile / ratio), abandoned);
            }
            // A tile left unfinished is not handed over: it would lack what it stopped before.
            if (whole) {
                image = QImage(
                    pixels, kTileSize, kTileSize, bytesPerLine, QImage::Format_ARGB32_Premultiplied,
                    [](void *bytes) { std::free(bytes); }, pixels);
                image.setDevicePixelRatio(ratio);
            } else {
                std::free(pixels);
            }
        }
        // The cache may be gone by now: the application object, which outlives every map,
        // takes the tile to the GUI thread, and there it is handed over if the cache is
        // still there.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [cache, levelID, key, image, changes] {
                if (cache)
                    cache->accept(levelID, key, image, changes);
            },
            Qt::QueuedConnection);
    };
}

void StarMapFrameCache::accept(quint64 levelID, const TileKey &key, const QImage &image, quint64 drawnAt)
{
    m_queue->landed({levelID, key.column, key.row});
    Level *level = levelWithID(levelID);
    if (!level)
        return;
    const auto tile = level->tiles.find(key);
    // A tile of a step no longer on show is dropped: the view went elsewhere.
    if (tile == level->tiles.end() || image.isNull() || levelID != m_shownLevel)
        return;
    m_bytes += image.sizeInBytes() - tile->image.sizeInBytes();
    tile->image = image;
    tile->drawnAt = drawnAt;
    evict();
    emit tilesArrived();
}

void StarMapFrameCache::settle()
{
    while (!m_queue->isIdle()) {
        tilePool().waitForDone();
        QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    }
}

void StarMapFrameCache::invalidate()
{
    m_resetAt = ++m_changes;
    m_scene.reset();
}

void StarMapFrameCache::invalidate(const QList<GalacticCoordinates> &cells)
{
    invalidate([&](const MapTransform &transform) { return m_renderer.reachOf(cells, transform); });
}

void StarMapFrameCache::invalidate(const MapDirtyArea &area)
{
    if (!area.isEmpty)
        invalidate([&](const MapTransform &transform) { return area.onScreen(transform); });
}

void StarMapFrameCache::invalidate(const std::function<QRectF(const MapTransform &)> &areaAt)
{
    ++m_changes;
    m_scene.reset();
    for (const auto &level : m_levels) {
        const TileRange range = tilesMeeting(*level, level->transform, areaAt(level->transform));
        for (auto tile = level->tiles.begin(); tile != level->tiles.end(); ++tile) {
            const TileKey &key = tile.key();
            if (key.column >= range.firstColumn && key.column <= range.lastColumn &&
                key.row >= range.firstRow && key.row <= range.lastRow)
                tile->changedAt = m_changes;
        }
    }
}

void StarMapFrameCache::drawStandIn(QPainter &painter, const QRectF &area, const Level &shown,
                                    const MapTransform &transform)
{
    painter.fillRect(area, MapColors::background());
    QList<std::pair<double, const Level *>> steps;
    for (const auto &level : m_levels) {
        const double stretch = level->transform.scale / transform.scale;
        if (level.get() != &shown && level->ratio == shown.ratio && stretch <= kLargestStandInRatio &&
            !level->tiles.isEmpty())
            steps.append({std::abs(std::log(stretch)), level.get()});
    }
    std::sort(steps.begin(), steps.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    painter.save();
    painter.setClipRect(area);
    // A smooth stretch is split by Qt over its own threads, which the GUI thread then
    // waits for while the tile threads hold the cores. A stand-in shows only until the
    // exact tiles land, so it is stretched the plain way, on the GUI thread alone.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const auto whole = std::find_if(steps.cbegin(), steps.cend(),
                                    [&](const auto &step) { return covers(*step.second, transform, area); });
    if (whole != steps.cend()) {
        drawLevel(painter, *whole->second, transform, area);
    } else {
        // Pieces of the three nearest steps, the nearest on top.
        for (qsizetype i = std::min<qsizetype>(steps.size(), 3) - 1; i >= 0; --i)
            drawLevel(painter, *steps[i].second, transform, area);
    }
    painter.restore();
}

bool StarMapFrameCache::covers(const Level &level, const MapTransform &transform, const QRectF &area) const
{
    const TileRange range = tilesMeeting(level, transform, area);
    for (qint64 j = range.firstRow; j <= range.lastRow; ++j) {
        for (qint64 i = range.firstColumn; i <= range.lastColumn; ++i) {
            const auto tile = level.tiles.constFind({i, j});
            if (tile == level.tiles.cend() || tile->image.isNull())
                return false;
        }
    }
    return true;
}

void StarMapFrameCache::drawLevel(QPainter &painter, const Level &level, const MapTransform &transform,
                                  const QRectF &area) const
{
    const TileRange range = tilesMeeting(level, transform, area);
    for (qint64 j = range.firstRow; j <= range.lastRow; ++j) {
        for (qint64 i = range.firstColumn; i <= range.lastColumn; ++i) {
            const auto tile = level.tiles.constFind({i, j});
            if (tile != level.tiles.cend() && !tile->image.isNull())
                painter.drawImage(placeOf(level, transform, {i, j}), tile->image);
        }
    }
}

void StarMapFrameCache::evict()
{
    if (m_bytes > kBudget) {
        // Oldest first; the tiles of the view on show stay.
        QList<std::tuple<quint64, Level *, TileKey>> kept;
        for (const auto &level : m_levels) {
            for (auto tile = level->tiles.cbegin(); tile != level->tiles.cend(); ++tile) {
                if (!tile->image.isNull() && !(level->id == m_shownLevel && tile->usedAt == m_paints))
                    kept.append({tile->usedAt, level.get(), tile.key()});
            }
        }
        std::sort(kept.begin(), kept.end(),
                  [](const auto &a, const auto &b) { return std::get<0>(a) < std::get<0>(b); });
        for (const auto &[usedAt, level, key] : std::as_const(kept)) {
            if (m_bytes <= kBudget)
                break;
            const auto tile = level->tiles.find(key);
            m_bytes -= tile->image.sizeInBytes();
            level->tiles.erase(tile);
        }
    }
    // Steps left without pictures go, unless on show.
    std::erase_if(m_levels, [this](const auto &level) {
        return level->id != m_shownLevel && std::all_of(level->tiles.cbegin(), level->tiles.cend(),
                                                        [](const Tile &tile) { return tile.image.isNull(); });
    });
}
