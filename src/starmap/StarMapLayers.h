#pragma once

#include "LabelLayer.h"
#include "NebulaLayer.h"
#include "RegionLayer.h"
#include "RutterLayer.h"

#include <QObject>

class StarMapRenderer;
struct MapTransform;

// The map's nebula, region, rutter and label layers with their caches, plugged into a
// renderer. It follows the visible sets: a reset drops the rutter groups, a system
// that comes or goes updates the rutters ending at its hex, and a change of one map
// object updates what its layer keeps of that object alone and tells what to redraw.
// While the visible sets are filed on a worker thread (a large universe), the region
// outlines are traced and the rutters grouped on workers too (in the player's view, the
// rutters once the systems are filed), from plain values: the window is not held while
// they are made, and each layer draws what it has until the rest comes.
class StarMapLayers : public QObject
{
    Q_OBJECT

public:
    explicit StarMapLayers(const StarMapVisibleSets &sets, QObject *parent = nullptr);
    // What the layers keep is freed on a worker thread.
    ~StarMapLayers() override;

    // Makes `renderer` draw these layers, and count the rutters ending at a system in
    // the area that system's change reaches.
    void install(StarMapRenderer &renderer);
    // Whether a layer is still being made on a worker thread: a picture drawn now
    // would lack it.
    bool awaiting() const { return m_regions.awaiting() || m_rutters.awaiting(); }
    // The memory the layers' kept pictures take.
    qsizetype pictureBytes() const { return m_labels.pictureBytes(); }

signals:
    // One map object changed: what it covered and covers now is to be drawn again.
    void objectChanged(const MapDirtyArea &area);
    // A layer made on a worker thread was taken in, after its objectChanged().
    void layerArrived();

private:
    // Runs `work` on a worker thread and hands its result to `done` on this one.
    template <typename Work, typename Done> void inBackground(Work work, Done done);
    void traceRegionsInBackground();
    void measureLabelsInBackground();
    void groupRuttersInBackground();
    void forward(const MapDirtyArea &area);

    // The screen area the layers draw for the systems at these hexes, beyond the
    // systems' own drawing: the rutters ending there.
    QRectF reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform);

    const StarMapVisibleSets &m_sets;
    NebulaLayer m_nebulae;
    RegionLayer m_regions;
    RutterLayer m_rutters;
    LabelLayer m_labels;
    // Until the first reset of the sets that were filing on a worker thread when the
    // layers were made: whether the rutters are to be grouped then, or were grouped
    // while the systems were filed.
    enum class RoutesAtFiling { none, toGroup, grouped };
    RoutesAtFiling m_routesAtFiling = RoutesAtFiling::none;
};
