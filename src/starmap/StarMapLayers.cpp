#include "StarMapLayers.h"

#include "StarMapRenderer.h"
#include "StarMapVisibleSets.h"

#include <memory>

namespace {

// The drawer of a copy of `layer` as it is now: it goes on drawing that copy while
// the layer itself changes.
template <typename Layer> StarMapRenderer::LayerDrawer frozen(Layer &layer)
{
    layer.prepare();
    return [copy = std::make_shared<const Layer>(layer)](QPainter &painter, const StarMapPass &pass) {
        copy->draw(painter, pass);
    };
}

} // namespace

StarMapLayers::StarMapLayers(const StarMapVisibleSets &sets, QObject *parent)
    : QObject(parent), m_sets(sets), m_nebulae(sets), m_regions(sets), m_rutters(sets), m_labels(sets)
{
    connect(&sets, &StarMapVisibleSets::reset, this, [this] { m_rutters.invalidate(); });
    connect(&sets, &StarMapVisibleSets::cellsChanged, this,
            [this](const QList<GalacticCoordinates> &cells) { m_rutters.cellsChanged(cells); });
    const auto forward = [this](const MapDirtyArea &area) {
        if (!area.isEmpty)
            emit objectChanged(area);
    };
    connect(&sets, &StarMapVisibleSets::rutterChanged, this, [this, forward](const ObjectChange<Rutter> &c) {
        forward(m_rutters.rutterChanged(c.before, c.after));
    });
    connect(&sets, &StarMapVisibleSets::ruttersAppended, this,
            [this, forward](const QList<Rutter> &rutters) { forward(m_rutters.ruttersAppended(rutters)); });
    connect(&sets, &StarMapVisibleSets::factionChanged, this,
            [this, forward](const ObjectChange<Faction> &c) {
                forward(m_rutters.factionChanged(c.before, c.after));
            });
    connect(&sets, &StarMapVisibleSets::regionChanged, this, [this, forward](const ObjectChange<Region> &c) {
        forward(m_regions.regionChanged(c.before, c.after));
    });
    connect(&sets, &StarMapVisibleSets::nebulaChanged, this, [this, forward](const ObjectChange<Nebula> &c) {
        forward(m_nebulae.nebulaChanged(c.before, c.after));
    });
    connect(&sets, &StarMapVisibleSets::labelChanged, this,
            [this, forward](const ObjectChange<StarmapLabel> &c) {
                forward(m_labels.labelChanged(c.before, c.after));
            });
    connect(&sets, &StarMapVisibleSets::labelsAppended, this,
            [this, forward](const QList<StarmapLabel> &labels) { forward(m_labels.labelsAppended(labels)); });
}

void StarMapLayers::install(StarMapRenderer &renderer)
{
    using Layer = StarMapRenderer::Layer;
    renderer.setLayerSource(Layer::nebulae, [this] { return frozen(m_nebulae); });
    renderer.setLayerSource(Layer::regions, [this] { return frozen(m_regions); });
    renderer.setLayerSource(Layer::rutters, [this] { return frozen(m_rutters); });
    renderer.setLayerSource(Layer::labels, [this] { return frozen(m_labels); });
    renderer.setLayerReach([this](const QList<GalacticCoordinates> &cells, const MapTransform &transform) {
        return reachOf(cells, transform);
    });
}

QRectF StarMapLayers::reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform)
{
    const StarMapPass pass{nullptr, transform, {}, {}, m_sets.hexRadius()};
    return m_rutters.reachOf(cells, pass);
}
