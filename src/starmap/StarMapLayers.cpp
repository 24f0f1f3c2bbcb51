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
