#pragma once

#include "MapDirtyArea.h"
#include "universe/StarmapLabel.h"

#include <QFontMetricsF>
#include <QHash>
#include <QList>

#include <optional>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The free texts placed on the map, drawn last: each turned about its hex centre by
// its angle, over a soft dark shadow that turns with it. Each text is measured once
// per value and kept by the label's id.
class LabelLayer
{
public:
    explicit LabelLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    // The size a label is drawn at, in points, at scale `scale`.
    static double fontSize(const StarmapLabel &label, double scale);
    void draw(QPainter &painter, const StarMapPass &pass);
    // One label changed. Returns what its old and new text cover at the last scale
    // drawn; nothing before the first drawing.
    MapDirtyArea labelChanged(const StarmapLabel *before, const StarmapLabel *after);

private:
    struct Extent
    {
        StarmapLabel label;
        double width = 0; // of the text at one point
    };

    double widthPerPoint(const StarmapLabel &label);
    // How far from its anchor the label's text reaches, in points, at `scale`.
    double reach(const StarmapLabel &label, double scale);

    const StarMapVisibleSets &m_sets;
    QHash<QUuid, Extent> m_extents;
    std::optional<QFontMetricsF> m_metrics; // of the measuring size, made at the first drawing
    double m_scale = 0;                     // the last scale drawn
};
