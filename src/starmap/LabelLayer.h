#pragma once

#include "universe/StarmapLabel.h"

#include <QFontMetricsF>
#include <QList>
#include <QPointF>

#include <optional>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The free texts placed on the map, drawn last: each turned about its hex centre by
// its angle, over a soft dark shadow that turns with it. A turned text is drawn once
// per size, angle and placement into a picture that the parts of the map it reaches
// stamp. A copy made after `prepare()` draws on any thread.
class LabelLayer
{
public:
    explicit LabelLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    // The size a label is drawn at, in points, at scale `scale`.
    static double fontSize(const StarmapLabel &label, double scale);
    // Takes the labels to draw and measures those that changed.
    void prepare();
    void draw(QPainter &painter, const StarMapPass &pass) const;
    // The memory the kept pictures of labels take.
    static qsizetype pictureBytes();

private:
    struct Extent
    {
        StarmapLabel label;
        double width = 0; // of the text at one point
    };

    // Draws the label, turned, with its shadow, about `anchor`.
    static void drawTurned(QPainter &painter, const StarmapLabel &label, double size, const QPointF &anchor);

    const StarMapVisibleSets &m_sets;
    QList<Extent> m_extents;                // the labels drawn, in order
    std::optional<QFontMetricsF> m_metrics; // of the measuring size, made at the first measure
};
