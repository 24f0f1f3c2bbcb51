#pragma once

#include "BorderMerge.h"
#include "ImportedRegion.h"
#include "ImportedRoute.h"
#include "ImportedWorld.h"
#include "PlannedAdditions.h"
#include "SectorMetadata.h"
#include "SectorPosition.h"
#include "TravellerMapClient.h"
#include "universe/StarfarerUniverse.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One sector import from request to result line: what the form asked for, what the
// service answered, and what the answers became. Converting is a plain function of
// values, run on a worker; applying runs where the universe lives.
namespace TravellerMapImporter {

// The form's choices, read once when an import starts: they decide both what is
// fetched and what is applied.
struct ImportRequest
{
    QString sectorName;
    QString subsector; // empty for the whole sector
    QString milieu;
    bool importWorlds = true;
    bool importRoutes = true;
    bool importLabels = true;
    bool importBorders = true;
    bool overwriteExisting = false;
    bool generateAdditionalWorlds = false;
};

// The service's answers to one import's requests, as they came; what was not asked
// for (or, for the allegiance list, could not be had) stays empty.
struct ImportAnswers
{
    QString sectorName; // as sent: the typed name, trimmed
    SectorPosition sector;
    QByteArray allegiances;
    std::optional<ServiceAnswer> sectorData;
    std::optional<QByteArray> metadata;
};

// The universe's map objects that an import's borders, routes and labels are checked
// against, as they stand when its answers come: copies that share the universe's
// storage until it changes them, so taking them costs nothing. Taken where the
// universe lives.
struct StoredMapObjects
{
    QList<Region> regions;
    QList<Rutter> rutters;
    QList<StarmapLabel> labels;

    static StoredMapObjects of(const StarfarerUniverse &universe);
};

// The answers made into what the apply steps write.
struct ConvertedImport
{
    AllegianceTable allegiances;
    QList<ImportedWorld> worlds;
    QList<ImportedRoute> routes;
    QList<StarmapLabel> labels;
    QList<ImportedRegion> regions;
    // The borders merged with the stored regions of their names, and the routes and
    // labels the universe lacks, as the stored objects stood when the answers were
    // converted.
    PlannedBorders plannedBorders;
    PlannedAdditions<Rutter> plannedRoutes;
    PlannedAdditions<StarmapLabel> plannedLabels;
};

// Reads the answers and converts them, merges the borders with the stored regions and
// finds the routes and labels that the stored ones lack (against `stored`, the
// universe's objects when the answers came; what no longer holds when the result is
// applied is worked out again then): plain values in and out, for a worker thread.
// Throws ImportError for sector data or metadata that cannot be read.
ConvertedImport convert(const ImportRequest &request, const ImportAnswers &answers,
                        const StoredMapObjects &stored = {});
// Runs the chosen apply steps in order and returns the result line. Does not save.
QString apply(StarfarerUniverse &universe, const ImportRequest &request, const ConvertedImport &converted);

} // namespace TravellerMapImporter
