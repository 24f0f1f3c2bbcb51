#pragma once

#include "MapDirtyArea.h"
#include "universe/Nebula.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <memory>
#include <mutex>

class MapPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The nebulae under the map: each a soft translucent cloud of one disc per hex in
// its kind's colour, with its name when zoomed in. A cloud is blurred once per nebula
// value into a picture held in map units, the first time any of it is on screen, and
// each frame only scales that picture to the zoom. Pictures are kept by the nebula's
// id, so a change of one nebula blurs that nebula alone. A copy made after `prepare()`
// draws on any thread; copies share the blurred pictures.
class NebulaLayer
{
public:
    explicit NebulaLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    static QColor colorOf(NebulaType type);
    // Takes the nebulae to draw and places those that changed.
    void prepare();
    void draw(MapPainter &painter, const StarMapPass &pass) const;
    // One nebula changed: its old picture is dropped. Returns what the old and the new
    // cloud cover, names included.
    MapDirtyArea nebulaChanged(const Nebula *before, const Nebula *after);

private:
    // The blurred cloud, premultiplied, made by the first drawing that needs it.
    struct Picture
    {
        std::once_flag painted;
        QImage image;
    };
    struct Cloud
    {
        Nebula nebula;
        std::shared_ptr<Picture> picture;
        QRectF mapRect; // where the picture lies on the map
        QPointF centre; // mean of the hex centres, a map point
        QSizeF nameBox; // of the name at one point
    };

    static MapDirtyArea areaOf(const Cloud &cloud);
    static QString nameOf(const Nebula &nebula);
    // Where the cloud lies, with its picture still to paint.
    static Cloud place(const Nebula &nebula, double hexRadius);
    // Blurs the cloud's picture.
    static QImage paint(const Cloud &cloud, double hexRadius);
    // Discs of one radius, blurred by half a radius: three deviations hold the tail.
    static double blurOf(double hexRadius) { return 0.5 * hexRadius; }

    const StarMapVisibleSets &m_sets;
    QList<Nebula> m_nebulae; // the nebulae drawn, in order
    QHash<QUuid, Cloud> m_clouds;
};
