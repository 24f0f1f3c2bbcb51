#pragma once

#include "MapTransform.h"

#include <QPointF>

#include <functional>
#include <optional>

// The star map's view state and what the pointer does to it, kept apart from any
// widget so that it can be driven and checked directly. The user's transform is
// absent while the map is fitted: the map then follows the fit transform of its
// current size and contents. Wheel and pinch zoom about the pointer within the
// bounds that the fit scale gives; a drag pans; a press and release without
// movement is a click; the second press of a double click is a double click, and its
// release is no click.
class MapInteractionController
{
public:
    // Called with the screen point of a click.
    std::function<void(const QPointF &)> onClick;
    std::function<void()> onDoubleClick;
    // Called after every change of the effective transform or of its being fitted.
    std::function<void()> onTransformChanged;

    // The transform that fits the map's contents into its view; the map sets it
    // whenever the view's size or the visible hexes change.
    void setFitTransform(const MapTransform &fit);
    const MapTransform &fitTransform() const { return m_fit; }
    ScaleBounds scaleBounds() const { return ScaleBounds::forFitScale(m_fit.scale); }

    // The user's transform, or the fit transform while there is none.
    MapTransform transform() const { return m_transform.value_or(m_fit); }
    bool isFitted() const { return !m_transform.has_value(); }
    void setTransform(const MapTransform &transform);
    // Back to the fitted view.
    void resetTransform();

    void pan(const QPointF &delta);
    // Zooms by `factor` about the screen point `at`; against a bound nothing changes.
    void zoom(double factor, const QPointF &at);
    // A scroll of `points` (positive: away from the user) zooms in.
    void scroll(double points, const QPointF &at);
    // A pinch: a magnification of −0.5 halves the scale.
    void magnify(double magnification, const QPointF &at);

    // The points a wheel event scrolled: its pixel delta when it has one (a trackpad),
    // else 10 points per notch of its angle delta (120 eighths of a degree).
    static double wheelPoints(const QPointF &pixelDelta, const QPointF &angleDelta);

    // Mouse button events in screen points; `clickCount` is 2 for the second press of
    // a double click.
    void press(const QPointF &at, int clickCount);
    void drag(const QPointF &at);
    void release(const QPointF &at);

private:
    void store(const MapTransform &transform);

    MapTransform m_fit;
    std::optional<MapTransform> m_transform;
    std::optional<QPointF> m_lastDragPoint;
    bool m_didDrag = false;
    int m_pressClickCount = 0;
};
