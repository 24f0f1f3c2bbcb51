#pragma once

#include "BorderMerge.h"
#include "ImportFactionResolver.h"
#include "ImportedRegion.h"
#include "ImportedRoute.h"
#include "ImportedWorld.h"
#include "PlannedAdditions.h"
#include "universe/StarfarerUniverse.h"

#include <QList>
#include <QString>

// Writes one import's converted results into the open universe: worlds, routes,
// borders and labels, each step returning its piece of the result line. The views are
// told as little as can be, and only of what changed: the new worlds arrive as one
// batch, a replaced world by itself, the new routes and labels each as one batch, a
// border's merged regions one by one and its outlines as one batch, and each created
// faction by itself. Nothing is saved here.
class ImportApplier
{
public:
    struct Options
    {
        bool overwriteExisting = false;
    };

    ImportApplier(StarfarerUniverse &universe, TravellerMapImporter::AllegianceTable allegiances,
                  Options options);

    // Appends worlds at free hexes; an occupied hex is replaced when overwriting, else
    // skipped. Every world's allegiance is resolved, skipped or not, and names the
    // faction of the first world of the first star (the main world).
    QString importWorlds(const QList<TravellerMapImporter::ImportedWorld> &worlds);
    // Appends the routes whose pair of ends (in either direction) is not yet present:
    // those `planned` ahead while they still hold, else those found here.
    QString importRoutes(const QList<TravellerMapImporter::ImportedRoute> &routes,
                         const PlannedAdditions<Rutter> &planned = {});
    // Replaces the same-name regions by the outlines of their merge with each border:
    // the merges `planned` ahead where they still hold, else merged here.
    QString importBorders(const QList<TravellerMapImporter::ImportedRegion> &regions,
                          const TravellerMapImporter::PlannedBorders &planned = {});
    // Appends the labels whose text is not yet present at their position: those
    // `planned` ahead while they still hold, else those found here.
    QString importLabels(const QList<StarmapLabel> &labels,
                         const PlannedAdditions<StarmapLabel> &planned = {});

    // The positions in `routes` of those whose pair of ends `stored` lacks, and that
    // no earlier one of `routes` has (in either direction).
    static QList<qsizetype> newRoutes(const QList<Rutter> &stored,
                                      const QList<TravellerMapImporter::ImportedRoute> &routes);
    // The positions in `labels` of those whose text at their position neither `stored`
    // nor an earlier one of `labels` has.
    static QList<qsizetype> newLabels(const QList<StarmapLabel> &stored, const QList<StarmapLabel> &labels);

    const ImportFactionResolver &resolver() const { return m_resolver; }

    // "<count> <noun>", with "s" unless the count is 1.
    static QString countPiece(qsizetype count, QLatin1StringView noun);
    // The pieces joined by ", ", the created factions, and a final ".".
    static QString resultLine(const QStringList &pieces, int createdFactions);

private:
    StarfarerUniverse &m_universe;
    ImportFactionResolver m_resolver;
    Options m_options;
};
