#include "StarMapFrameCache.h"

#include "StarMapRenderer.h"

#include <QPainter>

#include <cmath>

namespace {

bool isWhole(double value)
{
    return std::abs(value - std::round(value)) < 1e-6;
}

} // namespace

void StarMapFrameCache::invalidate(const QRectF &area)
{
    if (m_valid)
        m_dirty.append(area);
}

const QImage &StarMapFrameCache::frame(const QSize &size, qreal devicePixelRatio,
                                       const MapTransform &transform, const GridExtent &extent)
{
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    const bool sameView = m_valid && m_image.size() == pixels &&
                          m_image.devicePixelRatio() == devicePixelRatio && extent == m_extent &&
                          transform.scale == m_transform.scale;
    if (!sameView ||
        (transform.offset != m_transform.offset && !scroll(transform.offset - m_transform.offset))) {
        if (m_image.size() != pixels)
            m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(devicePixelRatio);
        m_dirty = {QRectF(QPointF(0, 0), QSizeF(size))};
    }
    m_transform = transform;
    m_extent = extent;
    m_valid = true;
    for (const QRectF &area : std::as_const(m_dirty))
        redraw(area);
    m_dirty.clear();
    return m_image;
}

bool StarMapFrameCache::scroll(const QPointF &delta)
{
    const qreal ratio = m_image.devicePixelRatio();
    const QSizeF size = QSizeF(m_image.size()) / ratio;
    if (!isWhole(delta.x() * ratio) || !isWhole(delta.y() * ratio) || std::abs(delta.x()) >= size.width() ||
        std::abs(delta.y()) >= size.height())
        return false;
    if (m_spare.size() != m_image.size())
        m_spare = QImage(m_image.size(), QImage::Format_ARGB32_Premultiplied);
    m_spare.setDevicePixelRatio(ratio);
    {
        QPainter painter(&m_spare);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(delta, m_image);
    }
    std::swap(m_image, m_spare);
    for (QRectF &area : m_dirty)
        area.translate(delta);
    // The strips the moved picture no longer covers.
    const double dx = delta.x(), dy = delta.y();
    if (dx > 0)
        m_dirty.append(QRectF(0, 0, dx, size.height()));
    else if (dx < 0)
        m_dirty.append(QRectF(size.width() + dx, 0, -dx, size.height()));
    if (dy > 0)
        m_dirty.append(QRectF(0, 0, size.width(), dy));
    else if (dy < 0)
        m_dirty.append(QRectF(0, size.height() + dy, size.width(), -dy));
    return true;
}

void StarMapFrameCache::redraw(const QRectF &area)
{
    // Whole device pixels, so that the redrawn part joins the rest without a seam.
    const qreal ratio = m_image.devicePixelRatio();
    const QRect pixels = QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect() & m_image.rect();
    if (pixels.isEmpty())
        return;
    QPainter painter(&m_image);
    m_renderer.draw(painter, m_transform, m_extent,
                    QRectF(QPointF(pixels.topLeft()) / ratio, QSizeF(pixels.size()) / ratio));
}
