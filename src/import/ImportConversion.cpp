#include "ImportConversion.h"

#include "ImportApplier.h"
#include "MetadataLabels.h"
#include "model/OrbitPopulation.h"

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

StoredMapObjects StoredMapObjects::of(const StarfarerUniverse &universe)
{
    return {universe.regions(), universe.rutters(), universe.starmapLabels()};
}

ConvertedImport convert(const ImportRequest &request, const ImportAnswers &answers,
                        const StoredMapObjects &stored)
{
    ConvertedImport converted;
    converted.allegiances = TravellerMapClient::readAllegiances(answers.allegiances);
    const QList<SectorRow> rows =
        answers.sectorData ? TravellerMapClient::readSector(*answers.sectorData) : QList<SectorRow>();
    const SectorMetadata metadata =
        answers.metadata ? TravellerMapClient::readMetadata(*answers.metadata) : SectorMetadata();
    for (const SectorRow &row : rows) {
        if (auto world = makeWorld(row, answers.sector, converted.allegiances)) {
            // The other bodies are drawn here rather than where the worlds are stored;
            // the main world stays the first world of the first star.
            if (request.generateAdditionalWorlds)
                world->hexData.starSystem = withGeneratedWorlds(world->hexData.starSystem);
            converted.worlds.append(std::move(*world));
        }
    }
    if (request.importRoutes) {
        converted.routes = importedRoutes(metadata.routes, answers.sector);
        converted.plannedRoutes = {stored.rutters,
                                   ImportApplier::newRoutes(stored.rutters, converted.routes)};
    }
    if (request.importLabels) {
        converted.labels = importedLabels(metadata.labels, answers.sector);
        converted.labels += subsectorNameLabels(metadata.subsectors, answers.sector);
        const QString name = firstNonEmpty(metadata.names);
        converted.labels.append(StarmapLabel{
            QUuid::createUuid(), name.isEmpty() ? answers.sectorName : name, 36, FactionColor::grey, 0,
            GalacticCoordinates{answers.sector.x, answers.sector.y, 16, 1}, u"Sector Name"_s});
        converted.plannedLabels = {stored.labels, ImportApplier::newLabels(stored.labels, converted.labels)};
    }
    if (request.importBorders) {
        converted.regions = importedRegions(metadata.borders, answers.sector, converted.allegiances);
        converted.plannedBorders = PlannedBorders(stored.regions, converted.regions);
    }
    return converted;
}

QString apply(StarfarerUniverse &universe, const ImportRequest &request, const ConvertedImport &converted)
{
    ImportApplier applier(universe, converted.allegiances, {request.overwriteExisting});
    QStringList pieces;
    if (request.importWorlds)
        pieces.append(applier.importWorlds(converted.worlds));
    if (request.importRoutes)
        pieces.append(applier.importRoutes(converted.routes, converted.plannedRoutes));
    if (request.importBorders)
        pieces.append(applier.importBorders(converted.regions, converted.plannedBorders));
    if (request.importLabels)
        pieces.append(applier.importLabels(converted.labels, converted.plannedLabels));
    return ImportApplier::resultLine(pieces, applier.resolver().createdCount());
}

} // namespace TravellerMapImporter
