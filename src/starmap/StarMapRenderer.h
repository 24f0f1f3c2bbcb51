#pragma once

#include "StarMapScene.h"

#include <QFont>
#include <QList>
#include <QRectF>

#include <array>
#include <functional>
#include <memory>

class MapPainter;
class QPainter;
class QPaintDevice;
class StarMapVisibleSets;
struct GalacticCoordinates;
struct MapSystem;

// Draws the star map onto any painter (a widget, an image, a benchmark): the
// background, the hex grid with its numbers, the subsector and sector borders with
// their names, the systems with their names, and between them the layers that plug
// in (nebulae, regions, rutters, labels), in that order. It draws only what reaches
// the exposed rectangle and leaves out details that the zoom makes too small; the
// picture is the same as if everything were drawn. The map is drawn from a scene, a
// snapshot of the visible sets and layers that any thread may draw from. Every step
// and layer draws through one MapPainter made here, so that no part of the map waits
// on Qt's global thread pool, on a tile's thread or any other.
class StarMapRenderer
{
public:
    // The layers drawn by others, in drawing order among the render pass's own steps:
    // nebulae first, regions and rutters after the borders, labels last.
    enum class Layer { nebulae, regions, rutters, labels };
    using LayerDrawer = StarMapLayerDrawer;
    // Makes the drawer of a layer as the layer is now; called on the map's thread.
    using LayerSource = std::function<LayerDrawer()>;
    // The screen area a layer draws for the systems at these hexes at a transform.
    using LayerReach = std::function<QRectF(const QList<GalacticCoordinates> &, const MapTransform &)>;

    explicit StarMapRenderer(const StarMapVisibleSets &sets);

    void setLayerSource(Layer layer, LayerSource source);
    void setLayerReach(LayerReach reach) { m_layerReach = std::move(reach); }
    // Whether drawing is limited to what meets the exposed rectangle (the default);
    // off draws everything and lets the painter's clip cut it.
    void setCulling(bool on) { m_culling = on; }
    // Whether star discs and turned texts are stamped from kept pictures (the
    // default); off draws each afresh.
    void setStamping(bool on) { m_stamping = on; }

    // The map as it is now.
    std::shared_ptr<const StarMapScene> scene() const;
    // Draws the part `exposed` (screen points) of the map as it is now at `transform`,
    // its grid covering `extent`. Everything is clipped to `exposed`.
    void draw(QPainter &painter, const MapTransform &transform, const GridExtent &extent,
              const QRectF &exposed) const;
    // The same for a scene; safe on any thread. Every so often the drawing asks `stop`
    // (when given) whether to stop, and stops for good once it says so; returns whether
    // it drew everything.
    static bool draw(QPainter &painter, const StarMapScene &scene, const MapTransform &transform,
                     const GridExtent &extent, const QRectF &exposed, const std::function<bool()> &stop = {});
    // The part of the screen that the drawing of the systems at `cells`, and of the
    // layers' parts that end there, can reach at `transform`, whatever system stands
    // there now or stood there before.
    QRectF reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform) const;

private:
    static void drawLayer(Layer layer, MapPainter &painter, const StarMapPass &pass);
    static void drawGrid(MapPainter &painter, const StarMapPass &pass);
    static void drawBorders(MapPainter &painter, const StarMapPass &pass, qint64 columns, qint64 rows,
                            bool sectors);
    // Stops early once `stopped()`.
    static void drawSystems(MapPainter &painter, const StarMapPass &pass,
                            const std::function<bool()> &stopped);
    static void drawName(MapPainter &painter, const MapSystem &system, const QPointF &centre,
                         double screenRadius);
    // How far a system's drawing reaches from its centre on screen at this pass, for
    // names of up to `longestName` characters.
    static QPointF systemReach(const QPaintDevice *device, const StarMapPass &pass, qsizetype longestName);
    static QFont nameFont(const StarMapPass &pass, const QPaintDevice *device);

    const StarMapVisibleSets &m_sets;
    std::array<LayerSource, 4> m_layers;
    LayerReach m_layerReach;
    bool m_culling = true;
    bool m_stamping = true;
};
