// Feeds arbitrary bytes to the readers of the Traveller Map answers: as sector data
// (tab-delimited rows, each made into a world) and as sector metadata (routes,
// labels, subsector names), and the first line as a Stars column. The readers never
// fail; a crash, a sanitizer report, a hang or a result outside the rules below is a
// finding.
#include "import/ImportedRoute.h"
#include "import/ImportedWorld.h"
#include "import/MetadataLabels.h"
#include "import/SectorMetadata.h"
#include "import/SectorTable.h"
#include "import/StarsColumn.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace TravellerMapImporter;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool insideASector(const GalacticCoordinates &hex)
{
    return hex.column >= 1 && hex.column <= 32 && hex.row >= 1 && hex.row <= 40;
}

void checkSectorData(const QString &text)
{
    const AllegianceTable allegiances{{QStringLiteral("Im"), QStringLiteral("Imperium")}};
    for (const SectorRow &row : parseTabDelimited(text)) {
        const auto world = makeWorld(row, SectorPosition{-3, 2}, allegiances);
        if (!world)
            continue;
        check(insideASector(world->coordinates) && world->hexData.coordinates == world->coordinates);
        const QList<Star> &stars = world->hexData.starSystem.stars;
        check(!stars.isEmpty() && stars.size() <= 7 && stars[0].worlds.size() == 1);
        check(stars[0].worlds[0].uwp.techLevel >= TechnologyLevel::ttl0);
    }
}

void checkStars(QStringView column)
{
    const QList<Star> stars = parseStars(column);
    check(stars.size() <= 7);
    QSet<Orbits> orbits;
    for (const Star &star : stars)
        orbits.insert(star.orbit);
    check(orbits.size() == stars.size());
}

void checkMetadata(QByteArrayView bytes)
{
    const auto metadata = SectorMetadata::decode(bytes);
    if (!metadata)
        return;
    const SectorPosition sector{1, -1};
    for (const ImportedRoute &route : importedRoutes(metadata->routes, sector))
        check(insideASector(route.start) && insideASector(route.end));
    check(importedLabels(metadata->labels, sector).size() <= metadata->labels.size());
    for (const StarmapLabel &label : subsectorNameLabels(metadata->subsectors, sector))
        check(insideASector(label.position) && !label.text.isEmpty());
    firstNonEmpty(metadata->names);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    checkSectorData(text);
    checkStars(QStringView(text).left(text.indexOf(u'\n')));
    checkMetadata(bytes);
    return 0;
}
