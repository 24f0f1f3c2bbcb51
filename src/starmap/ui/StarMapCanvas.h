#pragma once

#include "starmap/MapInteractionController.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"

#include <QWidget>

class QVariantAnimation;
class StarMapVisibleSets;

// The drawing surface of the star map: it paints the renderer's picture of the
// visible sets through the frame cache and hands the pointer's events to the
// interaction controller. It holds no map logic of its own.
class StarMapCanvas : public QWidget
{
    Q_OBJECT

public:
    StarMapCanvas(StarMapVisibleSets &sets, int gridPadding, QWidget *parent = nullptr);

    MapInteractionController &controller() { return m_controller; }
    StarMapRenderer &renderer() { return m_renderer; }
    // The visible systems' block of hexes grown by the grid padding.
    GridExtent gridExtent() const;
    StarMapFrameCache &frameCache() { return m_cache; }
    // Shows the way from `from` to the controller's transform, which has already been
    // set, as a short ease-in-out glide. Any later change of the transform ends it.
    void glideFrom(const MapTransform &from);

signals:
    void transformChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void refit();
    void redrawAll();
    void redrawCells(const QList<GalacticCoordinates> &cells);
    // The transform drawn: the controller's, or a step of the glide towards it.
    MapTransform shownTransform() const;

    StarMapVisibleSets &m_sets;
    int m_gridPadding;
    StarMapRenderer m_renderer;
    StarMapLayers m_layers;
    StarMapFrameCache m_cache;
    MapInteractionController m_controller;
    QVariantAnimation *m_glide;
    MapTransform m_glideFrom;
};
