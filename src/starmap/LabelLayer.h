#pragma once

#include "MapDirtyArea.h"
#include "PictureCache.h"
#include "universe/StarmapLabel.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QSizeF>

#include <memory>

class MapPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The free texts placed on the map, drawn last: each turned about its hex centre by
// its angle, over a soft dark shadow that turns with it. Each text is measured once
// per value and kept by the label's id, with its place on the map, so that a part of
// the map passes over the labels that cannot reach it at a glance. A turned text is
// drawn once per size and angle into a picture that every view and part of a view it
// reaches stamps; a text that is not turned is drawn as any map text is, laid out once
// per size. A copy made after `prepare()` draws on any thread; copies share the
// pictures.
class LabelLayer
{
public:
    explicit LabelLayer(const StarMapVisibleSets &sets);

    // The size a label is drawn at, in points, at scale `scale`.
    static double fontSize(const StarmapLabel &label, double scale);
    // Takes the labels to draw and measures those that changed.
    void prepare();
    // A label as last measured, with its text's box.
    struct Extent
    {
        StarmapLabel label;
        QSizeF box; // of the text at one point
    };
    using Extents = QHash<QUuid, Extent>;
    // Measures the labels' texts; touches no layer, so any thread may run it.
    static Extents measure(const QList<StarmapLabel> &labels);
    // Keeps the measures of labels measured nowhere else since they were taken.
    void adopt(Extents extents);
    void draw(MapPainter &painter, const StarMapPass &pass) const;
    // One label changed. Returns what its old and new text cover.
    MapDirtyArea labelChanged(const StarmapLabel *before, const StarmapLabel *after);
    // Labels appended together. Returns what their texts cover, as one area.
    MapDirtyArea labelsAppended(const QList<StarmapLabel> &labels);
    // The memory the kept pictures of labels take.
    qsizetype pictureBytes() const;

private:
    // A label to draw, with its anchor, the centre of its hex, in map units.
    struct Placed
    {
        Extent extent;
        QPointF anchor;
    };
    // A label's picture: its text, size, angle and colour.
    struct PictureKey
    {
        QString text;
        double size = 0;
        double angle = 0;
        QRgb color = 0;

        friend bool operator==(const PictureKey &, const PictureKey &) = default;
        friend size_t qHash(const PictureKey &key, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, key.text, key.size, key.angle, key.color);
        }
    };

    static Extent measured(const StarmapLabel &label);
    // How far from its anchor the label's drawing reaches, in points, at `scale`.
    static double reach(const Extent &extent, double scale);
    // Draws the label, turned, with its shadow, about `anchor`.
    static void drawTurned(MapPainter &painter, const StarmapLabel &label, double size,
                           const QPointF &anchor);

    const StarMapVisibleSets &m_sets;
    QList<Placed> m_placed; // the labels drawn, in order, those with text
    // The largest size and the largest box per point of the labels drawn.
    double m_largestSize = 0;
    double m_largestBox = 0;
    QHash<QUuid, Extent> m_extents;
    std::shared_ptr<PictureCache<PictureKey>> m_pictures;
};
