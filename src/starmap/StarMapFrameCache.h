#pragma once

#include "GridExtent.h"
#include "MapTransform.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>

class StarMapRenderer;

// The last picture of the map, kept so that a repaint draws only what changed: a pan
// by whole pixels moves the picture and draws the strips it uncovers, an edit of one
// system redraws the area that system's drawing reaches, and anything else (a zoom, a
// new size, a changed setting) draws the whole view again.
class StarMapFrameCache
{
public:
    explicit StarMapFrameCache(const StarMapRenderer &renderer) : m_renderer(renderer) {}

    // The map in a view of `size` points on a screen of `devicePixelRatio`.
    const QImage &frame(const QSize &size, qreal devicePixelRatio, const MapTransform &transform,
                        const GridExtent &extent);
    // The next frame draws everything.
    void invalidate() { m_valid = false; }
    // The next frame draws this screen rectangle of the last one again.
    void invalidate(const QRectF &area);
    // The memory the kept pictures take.
    qsizetype bytes() const { return m_image.sizeInBytes() + m_spare.sizeInBytes(); }

private:
    bool scroll(const QPointF &delta);
    void redraw(const QRectF &area);

    const StarMapRenderer &m_renderer;
    QImage m_image;
    QImage m_spare;
    MapTransform m_transform;
    GridExtent m_extent;
    bool m_valid = false;
    QList<QRectF> m_dirty;
};
