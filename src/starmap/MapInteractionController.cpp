#include "MapInteractionController.h"

#include <cmath>

void MapInteractionController::setFitTransform(const MapTransform &fit)
{
    if (fit == m_fit)
        return;
    m_fit = fit;
    if (isFitted() && onTransformChanged)
        onTransformChanged();
}

void MapInteractionController::setTransform(const MapTransform &transform)
{
    store(transform);
}

void MapInteractionController::resetTransform()
{
    if (isFitted())
        return;
    m_transform.reset();
    if (onTransformChanged)
        onTransformChanged();
}

void MapInteractionController::store(const MapTransform &transform)
{
    m_transform = transform;
    if (onTransformChanged)
        onTransformChanged();
}

void MapInteractionController::pan(const QPointF &delta)
{
    MapTransform moved = transform();
    moved.offset += delta;
    store(moved);
}

void MapInteractionController::zoom(double factor, const QPointF &at)
{
    const MapTransform current = transform();
    const MapTransform zoomed = current.zoomed(factor, at, scaleBounds());
    if (zoomed.scale != current.scale)
        store(zoomed);
}

void MapInteractionController::scroll(double points, const QPointF &at)
{
    zoom(std::exp(points * 0.0125), at);
}

void MapInteractionController::magnify(double magnification, const QPointF &at)
{
    zoom(magnification + 1, at);
}

double MapInteractionController::wheelPoints(const QPointF &pixelDelta, const QPointF &angleDelta)
{
    if (!pixelDelta.isNull())
        return pixelDelta.y();
    return angleDelta.y() / 12.0;
}

void MapInteractionController::press(const QPointF &at, int clickCount)
{
    m_pressClickCount = clickCount;
    if (clickCount == 2) {
        m_lastDragPoint.reset();
        if (onDoubleClick)
            onDoubleClick();
    } else {
        m_lastDragPoint = at;
    }
    m_didDrag = false;
}

void MapInteractionController::drag(const QPointF &at)
{
    if (m_lastDragPoint) {
        const QPointF delta = at - *m_lastDragPoint;
        if (!delta.isNull())
            m_didDrag = true;
        pan(delta);
    }
    m_lastDragPoint = at;
}

void MapInteractionController::release(const QPointF &at)
{
    if (!m_didDrag && m_pressClickCount == 1 && onClick)
        onClick(at);
    m_lastDragPoint.reset();
    m_didDrag = false;
    m_pressClickCount = 0;
}
