#pragma once

#include "MapDirtyArea.h"
#include "universe/Nebula.h"

#include <QColor>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The nebulae under the map: each a soft translucent cloud of one disc per hex in
// its kind's colour, with its name when zoomed in. A cloud is blurred once per nebula
// value into a picture held in map units, the first time any of it is on screen, and
// each frame only scales that picture to the zoom. Pictures are kept by the nebula's
// id, so a change of one nebula blurs that nebula alone.
class NebulaLayer
{
public:
    explicit NebulaLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    static QColor colorOf(NebulaType type);
    void draw(QPainter &painter, const StarMapPass &pass);
    // One nebula changed: its old picture is dropped. Returns what the old and the new
    // cloud cover, names included at the last scale drawn.
    MapDirtyArea nebulaChanged(const Nebula *before, const Nebula *after);

private:
    struct Cloud
    {
        Nebula nebula;
        QImage image;   // the blurred cloud, premultiplied
        QRectF mapRect; // where the picture lies on the map
        QPointF centre; // mean of the hex centres, a map point
    };

    Cloud &cloudOf(const Nebula &nebula);
    MapDirtyArea areaOf(const Cloud &cloud) const;
    static QString nameOf(const Nebula &nebula);
    // Where the cloud lies, without its picture.
    static Cloud place(const Nebula &nebula, double hexRadius);
    // Blurs the cloud's picture.
    static void paint(Cloud &cloud, double hexRadius);
    // Discs of one radius, blurred by half a radius: three deviations hold the tail.
    static double blurOf(double hexRadius) { return 0.5 * hexRadius; }

    const StarMapVisibleSets &m_sets;
    QHash<QUuid, Cloud> m_clouds;
    std::optional<QFontMetricsF> m_nameMetrics; // of the names at the last scale drawn, if drawn
};
