#pragma once

#include "universe/Nebula.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The nebulae under the map: each a soft translucent cloud of one disc per hex in
// its kind's colour, with its name when zoomed in. A cloud is blurred once per nebula
// value into a picture held in map units, and each frame only scales that picture to
// the zoom; nothing is blurred while drawing.
class NebulaLayer
{
public:
    explicit NebulaLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    static QColor colorOf(NebulaType type);
    void draw(QPainter &painter, const StarMapPass &pass);

private:
    struct Cloud
    {
        Nebula nebula;
        QImage image;   // the blurred cloud, premultiplied
        QRectF mapRect; // where the picture lies on the map
        QPointF centre; // mean of the hex centres, a map point
    };

    const Cloud &cloudOf(qsizetype index, const Nebula &nebula);
    static Cloud render(const Nebula &nebula, double hexRadius);

    const StarMapVisibleSets &m_sets;
    QList<Cloud> m_clouds; // by the nebula's place in the list drawn
};
