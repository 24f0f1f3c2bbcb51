#pragma once

#include "ImportedRegion.h"
#include "ImportedRoute.h"
#include "ImportedWorld.h"
#include "SectorMetadata.h"
#include "SectorPosition.h"
#include "TravellerMapClient.h"
#include "universe/StarfarerUniverse.h"

#include <QList>
#include <QString>

// One sector import from request to result line: what the form asked for, what the
// service answered, and what the answers became. Fetching and converting are plain
// functions of values, run on a worker; applying runs where the universe lives.
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

// The service's answers for one request; what was not asked for stays empty.
struct ImportDownload
{
    QString sectorName; // as sent: the typed name, trimmed
    SectorPosition sector;
    AllegianceTable allegiances;
    QList<SectorRow> rows;
    SectorMetadata metadata;
};

// The answers made into what the apply steps write.
struct ConvertedImport
{
    AllegianceTable allegiances;
    QList<ImportedWorld> worlds;
    QList<ImportedRoute> routes;
    QList<StarmapLabel> labels;
    QList<ImportedRegion> regions;
};

// Makes the requests the choices need, in order. Throws ImportError (an empty name
// after trimming, or a failed request); the allegiance list never fails.
ImportDownload download(const ImportRequest &request, TravellerMapClient &client);
ConvertedImport convert(const ImportRequest &request, const ImportDownload &answers);
// Runs the chosen apply steps in order and returns the result line. Does not save.
QString apply(StarfarerUniverse &universe, const ImportRequest &request, const ConvertedImport &converted);

} // namespace TravellerMapImporter
