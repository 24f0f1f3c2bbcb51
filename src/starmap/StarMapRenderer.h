#pragma once

#include "StarMapPass.h"

#include <QList>
#include <QRectF>

#include <array>
#include <functional>

class QPainter;
struct GalacticCoordinates;
struct MapSystem;

// Draws the star map onto any painter (a widget, an image, a benchmark): the
// background, the hex grid with its numbers, the subsector and sector borders with
// their names, the systems with their names, and between them the layers that plug
// in (nebulae, regions, rutters, labels), in that order. It draws only what reaches
// the exposed rectangle and leaves out details that the zoom makes too small; the
// picture is the same as if everything were drawn.
class StarMapRenderer
{
public:
    // The layers drawn by others, in drawing order among the render pass's own steps:
    // nebulae first, regions and rutters after the borders, labels last.
    enum class Layer { nebulae, regions, rutters, labels };
    using LayerDrawer = std::function<void(QPainter &, const StarMapPass &)>;

    explicit StarMapRenderer(const StarMapVisibleSets &sets);

    void setLayerDrawer(Layer layer, LayerDrawer drawer);
    // Whether drawing is limited to what meets the exposed rectangle (the default);
    // off draws everything and lets the painter's clip cut it.
    void setCulling(bool on) { m_culling = on; }

    // Draws the part `exposed` (screen points) of the map at `transform`, its grid
    // covering `extent`. Everything is clipped to `exposed`.
    void draw(QPainter &painter, const MapTransform &transform, const GridExtent &extent,
              const QRectF &exposed) const;
    // The part of the screen that the drawing of the systems at `cells` can reach at
    // `transform`, whatever system stands there now or stood there before.
    QRectF reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform) const;

private:
    void drawLayer(Layer layer, QPainter &painter, const StarMapPass &pass) const;
    void drawGrid(QPainter &painter, const StarMapPass &pass) const;
    void drawBorders(QPainter &painter, const StarMapPass &pass, qint64 columns, qint64 rows,
                     bool sectors) const;
    void drawSystems(QPainter &painter, const StarMapPass &pass) const;
    void drawName(QPainter &painter, const MapSystem &system, const QPointF &centre,
                  double screenRadius) const;
    // How far a system's drawing reaches from its centre on screen at this pass.
    QPointF systemReach(QPainter &painter, const StarMapPass &pass) const;

    const StarMapVisibleSets &m_sets;
    std::array<LayerDrawer, 4> m_layers;
    bool m_culling = true;
};
