#include "ImportRun.h"

#include "ImportApplier.h"
#include "ImportError.h"
#include "MetadataLabels.h"

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

ImportDownload download(const ImportRequest &request, TravellerMapClient &client)
{
    ImportDownload answers;
    answers.sectorName = request.sectorName.trimmed();
    if (answers.sectorName.isEmpty())
        throw ImportError::emptySectorName();
    answers.sector = client.fetchCoordinates(answers.sectorName);
    if (request.importWorlds || request.importRoutes || request.importBorders)
        answers.allegiances = client.fetchAllegiances();
    if (request.importWorlds)
        answers.rows = client.fetchSector(answers.sectorName, request.subsector, request.milieu);
    if (request.importRoutes || request.importLabels || request.importBorders)
        answers.metadata = client.fetchMetadata(answers.sectorName, request.milieu);
    return answers;
}

ConvertedImport convert(const ImportRequest &request, const ImportDownload &answers)
{
    ConvertedImport converted;
    converted.allegiances = answers.allegiances;
    for (const SectorRow &row : answers.rows) {
        if (auto world = makeWorld(row, answers.sector, answers.allegiances))
            converted.worlds.append(std::move(*world));
    }
    const SectorMetadata &metadata = answers.metadata;
    if (request.importRoutes)
        converted.routes = importedRoutes(metadata.routes, answers.sector);
    if (request.importLabels) {
        converted.labels = importedLabels(metadata.labels, answers.sector);
        converted.labels += subsectorNameLabels(metadata.subsectors, answers.sector);
        const QString name = firstNonEmpty(metadata.names);
        converted.labels.append(StarmapLabel{
            QUuid::createUuid(), name.isEmpty() ? answers.sectorName : name, 36, FactionColor::grey, 0,
            GalacticCoordinates{answers.sector.x, answers.sector.y, 16, 1}, u"Sector Name"_s});
    }
    if (request.importBorders)
        converted.regions = importedRegions(metadata.borders, answers.sector, answers.allegiances);
    return converted;
}

QString apply(StarfarerUniverse &universe, const ImportRequest &request, const ConvertedImport &converted)
{
    ImportApplier applier(universe, converted.allegiances,
                          {request.overwriteExisting, request.generateAdditionalWorlds});
    QStringList pieces;
    if (request.importWorlds)
        pieces.append(applier.importWorlds(converted.worlds));
    if (request.importRoutes)
        pieces.append(applier.importRoutes(converted.routes));
    if (request.importBorders)
        pieces.append(applier.importBorders(converted.regions));
    if (request.importLabels)
        pieces.append(applier.importLabels(converted.labels));
    return ImportApplier::resultLine(pieces, applier.resolver().createdCount());
}

} // namespace TravellerMapImporter
