#include "StarMapLayers.h"

#include "StarMapRenderer.h"
#include "StarMapVisibleSets.h"

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
