#include "StarMapLayers.h"

#include "StarMapRenderer.h"
#include "StarMapVisibleSets.h"

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
    renderer.setLayerDrawer(Layer::nebulae,
                            [this](QPainter &p, const StarMapPass &pass) { m_nebulae.draw(p, pass); });
    renderer.setLayerDrawer(Layer::regions,
                            [this](QPainter &p, const StarMapPass &pass) { m_regions.draw(p, pass); });
    renderer.setLayerDrawer(Layer::rutters,
                            [this](QPainter &p, const StarMapPass &pass) { m_rutters.draw(p, pass); });
    renderer.setLayerDrawer(Layer::labels,
                            [this](QPainter &p, const StarMapPass &pass) { m_labels.draw(p, pass); });
}

QRectF StarMapLayers::reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform)
{
    const StarMapPass pass{&m_sets, transform, {}, {}, m_sets.hexRadius()};
    return m_rutters.reachOf(cells, pass);
}
