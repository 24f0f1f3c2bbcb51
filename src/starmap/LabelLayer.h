#pragma once

#include "universe/StarmapLabel.h"

#include <QFontMetricsF>
#include <QList>

#include <optional>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The free texts placed on the map, drawn last: each turned about its hex centre by
// its angle, over a soft dark shadow that turns with it. A copy made after `prepare()`
// draws on any thread.
class LabelLayer
{
public:
    explicit LabelLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    // The size a label is drawn at, in points, at scale `scale`.
    static double fontSize(const StarmapLabel &label, double scale);
    // Takes the labels to draw and measures those that changed.
    void prepare();
    void draw(QPainter &painter, const StarMapPass &pass) const;

private:
    struct Extent
    {
        StarmapLabel label;
        double width = 0; // of the text at one point
    };

    const StarMapVisibleSets &m_sets;
    QList<Extent> m_extents;                // the labels drawn, in order
    std::optional<QFontMetricsF> m_metrics; // of the measuring size, made at the first measure
};
