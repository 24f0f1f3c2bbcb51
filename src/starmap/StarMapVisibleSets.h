#pragma once

#include "SystemIndex.h"
#include "universe/UniverseChanges.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

// What the star map shows of its universe: the visible systems (filed in a spatial
// index), the rutters, labels, nebulae and regions to draw, the selected factions and
// the label categories. The player's view shows the systems the Starfarers know; the
// referee's view shows the systems that the awareness toggles and the faction filter
// let through. Everything is kept between frames: a change of the whole hex list or
// of a setting rebuilds the sets, and a change of one hex updates that hex alone. A
// change of one map object re-files the systems only when the faction filter depends
// on it; otherwise it is passed on by id to the layer that draws the object.
class StarMapVisibleSets : public QObject
{
    Q_OBJECT

public:
    StarMapVisibleSets(const StarfarerUniverse *universe, double hexRadius, QObject *parent = nullptr);
    // The systems filed are freed on a worker thread: a large universe's take frames.
    ~StarMapVisibleSets() override;

    const StarfarerUniverse *universe() const { return m_universe; }
    double hexRadius() const { return m_hexRadius; }

    // The visible systems. A universe of kBackgroundFillFrom hexes or more is filed on
    // a worker thread when the sets are made, so that opening it never holds up the
    // window: until then (while filling()) no system is filed, and reset() is emitted
    // when they are. A change of the universe meanwhile files them again at once.
    static constexpr qsizetype kBackgroundFillFrom = 20000;
    bool filling() const { return m_filling != nullptr; }
    // Whether the reset() under way ends a filing on a worker thread: no hex and no rule
    // of what is shown changed since the filing began.
    bool endingFilling() const { return m_endingFilling; }
    // Whether the rutters shown depend on the systems filed, as in the player's view:
    // until those are filed, none is shown.
    bool ruttersFollowSystems() const { return m_rules.player; }
    const SystemIndex &systems() const { return m_systems; }
    // The visible hexes in the universe's order.
    QList<HexData> visibleHexes() const;
    // The first visible hex at these coordinates.
    std::optional<HexData> hexAt(const GalacticCoordinates &coordinates) const;

    QList<Faction> selectedFactions() const;
    // The end hexes of the charted rutters of these factions.
    QSet<GalacticCoordinates> factionRouteHexes(const QSet<QUuid> &factionIDs) const;
    const QList<Rutter> &visibleRutters() const { return m_rutters; }
    // The visible rutters with an end at this hex, in the universe's order.
    QList<Rutter> visibleRuttersAt(const GalacticCoordinates &hex) const;
    const QList<StarmapLabel> &visibleLabels() const { return m_labels; }
    QList<Nebula> visibleNebulae() const;
    QList<Region> visibleRegions() const;
    // Every label category, visible or not, ordered by lower-cased text in the user's
    // locale with the empty category last.
    QStringList labelCategories() const;

signals:
    // Anything shown may have changed.
    void reset();
    // Only the systems at these coordinates changed (each hex at most at two places).
    void cellsChanged(const QList<GalacticCoordinates> &cells);
    // Only this map object changed; the systems stayed as they were. A faction's
    // change reaches the rutters drawn in its colour.
    void factionChanged(const ObjectChange<Faction> &change);
    void rutterChanged(const ObjectChange<Rutter> &change);
    // Only these rutters were appended, together (an import's routes).
    void ruttersAppended(const QList<Rutter> &rutters);
    void regionChanged(const ObjectChange<Region> &change);
    void nebulaChanged(const ObjectChange<Nebula> &change);
    void labelChanged(const ObjectChange<StarmapLabel> &change);
    // Only these labels were appended, together (an import's labels).
    void labelsAppended(const QList<StarmapLabel> &labels);

private:
    // The settings that decide whether a system is visible, read once per rebuild.
    struct Rules
    {
        bool player = false;
        bool everyGroup = true;
        bool starfarers = true;
        bool sathar = true;
        bool other = true;
        bool factionFilter = false;
        QSet<QUuid> selectedIDs;
        QSet<GalacticCoordinates> homeworlds;
        QSet<GalacticCoordinates> routeHexes;

        bool accepts(const HexData &hex) const;
    };

    // Files every hex of `data` that `rules` accept, each in the order of its position;
    // touches nothing of the sets, so any thread may run it.
    static SystemIndex fileAll(const HexList &data, const Rules &rules, double hexRadius);
    // The same, the hexes filed in runs side by side on partsPool(): for a job, which
    // may wait for its parts.
    static SystemIndex fileAllInParts(const HexList &data, const Rules &rules, double hexRadius);
    void rebuild();
    // The settings of the universe read into rules, and the systems filed by them.
    void readRules();
    // Keeps the systems filed from the universe's hexes as they stand, each in the
    // order of its slot in the universe's hex index.
    void take(SystemIndex systems);
    void adopt(SystemIndex systems);
    void fillInBackground();
    void dropFilling();
    // A hex changed while the filing runs: its outcome would lack the change, so the
    // systems are filed again at once (true).
    bool refiledWhileFilling();
    // The universe's hex index renumbered its slots (after many removals): the systems
    // are filed again under the new ones, the change at hand included (true); what is
    // shown stays the same.
    bool refiledAfterRenumbering();
    void rebuildRutters();
    // Whether the rutter is drawn, as the settings and the systems filed stand.
    bool showsRutter(const Rutter &rutter) const;
    // The place in m_rutters that the universe's rutter at `position` has or would have.
    qsizetype rutterPlace(qsizetype position) const;
    // Brings the rutters drawn up to date with one rutter's change alone.
    void followRutter(const ObjectChange<Rutter> &change);
    void rebuildLabels();
    // Files the stored hex at `position` under its slot.
    void fileAt(qsizetype position);
    // Files the hex in `systems` when `rules` accept it.
    static void file(SystemIndex &systems, const Rules &rules, double hexRadius, const HexData &hex,
                     qint64 order);
    void hexInserted(const QUuid &id, const GalacticCoordinates &coordinates);
    void hexReplaced(const QUuid &id, const GalacticCoordinates &oldCoordinates,
                     const GalacticCoordinates &newCoordinates);
    void hexRemoved(const QUuid &id, const GalacticCoordinates &coordinates);
    void hexesInserted(qsizetype first, qsizetype count);
    void factionsChanged(const ObjectChange<Faction> &change);
    void ruttersChanged(const ObjectChange<Rutter> &change);
    void labelsChanged(const ObjectChange<StarmapLabel> &change);
    // After these rutters changed: files the systems again when the filter depends on
    // one of them (true).
    bool refiledFor(const QList<const Rutter *> &changed);
    // Rutters or labels appended together: the lists kept are made again once.
    void appendedRutters(qsizetype first, qsizetype count);
    void appendedLabels(qsizetype first, qsizetype count);
    // Whether the systems shown depend on the faction or rutter of this id.
    bool filterDependsOn(const Faction *faction) const;
    bool filterDependsOn(const Rutter *rutter) const;
    // After one hex changed: the rutters of the player's view follow the systems.
    void announceCells(const QList<GalacticCoordinates> &cells);

    QPointer<const StarfarerUniverse> m_universe;
    double m_hexRadius;
    Rules m_rules;
    // The systems, each in the order of its hex's slot in the universe's hex index
    // (the document's changes by id reach the first hex with the id).
    SystemIndex m_systems;
    // The index's renumberings when the systems were filed.
    qint64 m_renumberings = 0;
    // Ids that more than one stored hex has carried since the systems were filed: a
    // change by such an id files every system again, since it does not say which of
    // them it reached (nor does the index, once one of them took another id).
    QSet<QUuid> m_sharedIDs;
    QList<Rutter> m_rutters;
    QList<qsizetype> m_rutterPositions; // of each of m_rutters in the universe's list
    QList<StarmapLabel> m_labels;
    // The filing under way on a worker thread, if any (a child).
    QFutureWatcher<SystemIndex> *m_filling = nullptr;
    bool m_endingFilling = false;
};
