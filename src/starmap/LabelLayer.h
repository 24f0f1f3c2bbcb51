#pragma once

#include "PictureCache.h"
#include "universe/StarmapLabel.h"

#include <QFontMetricsF>
#include <QList>
#include <QPainterPath>
#include <QPointF>

#include <memory>
#include <optional>
#include <utility>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The free texts placed on the map, drawn last: each turned about its hex centre by
// its angle, over a soft dark shadow that turns with it. A turned text is drawn once
// per size, angle and placement into a picture that the parts of the map it reaches
// stamp. A copy made after `prepare()` draws on any thread; copies share the pictures.
class LabelLayer
{
public:
    explicit LabelLayer(const StarMapVisibleSets &sets);

    // The size a label is drawn at, in points, at scale `scale`.
    static double fontSize(const StarmapLabel &label, double scale);
    // Takes the labels to draw and measures those that changed.
    void prepare();
    void draw(QPainter &painter, const StarMapPass &pass) const;
    // The memory the kept pictures and outlines of labels take.
    qsizetype pictureBytes() const;

private:
    struct Extent
    {
        StarmapLabel label;
        double width = 0; // of the text at one point
    };

    // A label's picture: its text, size, angle and colour, and where within a pixel
    // its anchor lies.
    struct PictureKey
    {
        QString text;
        double size = 0;
        double angle = 0;
        QRgb color = 0;
        int stepX = 0;
        int stepY = 0;

        friend bool operator==(const PictureKey &, const PictureKey &) = default;
        friend size_t qHash(const PictureKey &key, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, key.text, key.size, key.angle, key.color, key.stepX, key.stepY);
        }
    };
    using OutlineKey = std::pair<QString, double>; // text and size

    // The outline of a label's text at a size, centred on (0, 0). Turned texts are
    // filled as outlines, so that they land where they are placed to a fraction of a
    // pixel; glyph images would each be moved to whole pixels.
    QPainterPath textOutline(const QString &text, double size, const QPainter &painter) const;
    // Draws the label, turned, with its shadow, about `anchor`.
    void drawTurned(QPainter &painter, const StarmapLabel &label, double size, const QPointF &anchor) const;

    const StarMapVisibleSets &m_sets;
    QList<Extent> m_extents;                // the labels drawn, in order
    std::optional<QFontMetricsF> m_metrics; // of the measuring size, made at the first measure
    std::shared_ptr<PictureCache<PictureKey>> m_pictures;
    std::shared_ptr<PictureCache<OutlineKey, QPainterPath>> m_outlines;
};
