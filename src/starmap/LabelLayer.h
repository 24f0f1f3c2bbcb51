#pragma once

#include "universe/StarmapLabel.h"

#include <QFontMetricsF>
#include <QList>

#include <optional>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The free texts placed on the map, drawn last: each turned about its hex centre by
// its angle, over a soft dark shadow that turns with it.
class LabelLayer
{
public:
    explicit LabelLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    // The size a label is drawn at, in points, at scale `scale`.
    static double fontSize(const StarmapLabel &label, double scale);
    void draw(QPainter &painter, const StarMapPass &pass);

private:
    struct Extent
    {
        StarmapLabel label;
        double width = 0; // of the text at one point
    };

    double widthPerPoint(qsizetype index, const StarmapLabel &label, const QPainter &painter);

    const StarMapVisibleSets &m_sets;
    QList<Extent> m_extents;                // by the label's place in the list drawn
    std::optional<QFontMetricsF> m_metrics; // of the measuring size, made at the first measure
};
