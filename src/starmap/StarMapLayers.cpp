#include "StarMapLayers.h"

#include "MapPainter.h"
#include "StarMapRenderer.h"
#include "StarMapVisibleSets.h"
#include "universe/WorkerPools.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

namespace {

// The drawer of a copy of `layer` as it is now: it goes on drawing that copy while
// the layer itself changes.
template <typename Layer> StarMapRenderer::LayerDrawer frozen(Layer &layer)
{
    layer.prepare();
    return [copy = std::make_shared<const Layer>(layer)](MapPainter &painter, const StarMapPass &pass) {
        copy->draw(painter, pass);
    };
}

} // namespace

StarMapLayers::StarMapLayers(const StarMapVisibleSets &sets, QObject *parent)
    : QObject(parent), m_sets(sets), m_nebulae(sets), m_regions(sets), m_rutters(sets), m_labels(sets)
{
    connect(&sets, &StarMapVisibleSets::reset, this, [this] {
        // Groups made while the systems were filed hold when the filing ends untouched.
        const RoutesAtFiling routes = std::exchange(m_routesAtFiling, RoutesAtFiling::none);
        if (routes == RoutesAtFiling::grouped && m_sets.endingFilling())
            return;
        if (routes == RoutesAtFiling::toGroup)
            groupRuttersInBackground();
        else
            m_rutters.invalidate();
    });
    connect(&sets, &StarMapVisibleSets::cellsChanged, this,
            [this](const QList<GalacticCoordinates> &cells) { forward(m_rutters.cellsChanged(cells)); });
    connect(&sets, &StarMapVisibleSets::rutterChanged, this,
            [this](const ObjectChange<Rutter> &c) { forward(m_rutters.rutterChanged(c.before, c.after)); });
    connect(&sets, &StarMapVisibleSets::ruttersAppended, this,
            [this](const QList<Rutter> &rutters) { forward(m_rutters.ruttersAppended(rutters)); });
    connect(&sets, &StarMapVisibleSets::factionChanged, this,
            [this](const ObjectChange<Faction> &c) { forward(m_rutters.factionChanged(c.before, c.after)); });
    connect(&sets, &StarMapVisibleSets::regionChanged, this,
            [this](const ObjectChange<Region> &c) { forward(m_regions.regionChanged(c.before, c.after)); });
    connect(&sets, &StarMapVisibleSets::nebulaChanged, this,
            [this](const ObjectChange<Nebula> &c) { forward(m_nebulae.nebulaChanged(c.before, c.after)); });
    connect(&sets, &StarMapVisibleSets::labelChanged, this, [this](const ObjectChange<StarmapLabel> &c) {
        forward(m_labels.labelChanged(c.before, c.after));
    });
    connect(&sets, &StarMapVisibleSets::labelsAppended, this,
            [this](const QList<StarmapLabel> &labels) { forward(m_labels.labelsAppended(labels)); });
    if (sets.filling()) {
        traceRegionsInBackground();
        measureLabelsInBackground();
        // Rutters shown only between systems filed are grouped once those are; the others
        // while the systems are filed.
        if (sets.ruttersFollowSystems()) {
            m_routesAtFiling = RoutesAtFiling::toGroup;
        } else {
            groupRuttersInBackground();
            m_routesAtFiling = RoutesAtFiling::grouped;
        }
    }
}

StarMapLayers::~StarMapLayers()
{
    freeOnWorker(std::move(m_nebulae), std::move(m_regions), std::move(m_rutters), std::move(m_labels));
}

void StarMapLayers::forward(const MapDirtyArea &area)
{
    if (!area.isEmpty)
        emit objectChanged(area);
}

template <typename Work, typename Done> void StarMapLayers::inBackground(Work work, Done done)
{
    using Result = std::invoke_result_t<Work>;
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        done(watcher->future().takeResult());
    });
    watcher->setFuture(QtConcurrent::run(jobPool(), std::move(work)));
}

void StarMapLayers::traceRegionsInBackground()
{
    m_regions.awaitOutlines();
    // The worker is given its own copy of the regions: they may change while it runs.
    inBackground([regions = m_sets.visibleRegions(),
                  hexRadius = m_sets.hexRadius()] { return RegionLayer::trace(regions, hexRadius); },
                 [this](RegionLayer::Outlines outlines) {
                     forward(m_regions.adopt(std::move(outlines)));
                     emit layerArrived();
                 });
}

void StarMapLayers::measureLabelsInBackground()
{
    // The labels are measured again where they change before the measures come.
    inBackground([labels = m_sets.visibleLabels()] { return LabelLayer::measure(labels); },
                 [this](LabelLayer::Extents extents) { m_labels.adopt(std::move(extents)); });
}

void StarMapLayers::groupRuttersInBackground()
{
    m_rutters.awaitGroups();
    inBackground([sources = m_rutters.sources()] { return RutterLayer::group(sources); },
                 [this](RutterLayer::Groups groups) {
                     // A change since made them afresh here, or a reset asked for new ones.
                     if (m_rutters.awaiting()) {
                         forward(m_rutters.adopt(std::move(groups)));
                         emit layerArrived();
                     }
                 });
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
