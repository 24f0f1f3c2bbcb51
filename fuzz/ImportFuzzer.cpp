// Feeds arbitrary bytes to the readers of the Traveller Map answers: as sector data
// (tab-delimited rows, each made into a world), through the check of a whole answer
// with and without the transfer's framing, as sector metadata (routes, labels,
// subsector names, borders), as the allegiance list, and the first line as a Stars
// column. The readers of rows and records never fail; the answer checks fail only
// with ImportError. A crash, a sanitizer report, a hang or a result outside the rules
// below is a finding.
#include "import/ImportError.h"
#include "import/ImportedRegion.h"
#include "import/ImportedRoute.h"
#include "import/ImportedWorld.h"
#include "import/MetadataLabels.h"
#include "import/SectorMetadata.h"
#include "import/SectorTable.h"
#include "import/StarsColumn.h"
#include "import/TravellerMapClient.h"

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

// No surrogate without its partner: such text could not be written as it is held.
bool wellFormed(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return false;
    }
    return true;
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

// An answer whose end only the closing connection marks is read only when its last
// row is whole, and then exactly as the same answer with framing.
void checkAnswer(const QByteArray &bytes)
{
    std::optional<qsizetype> framed, unframed;
    try {
        framed = TravellerMapClient::readSector({bytes, true}).size();
    } catch (const ImportError &) {
    }
    try {
        unframed = TravellerMapClient::readSector({bytes, false}).size();
    } catch (const ImportError &) {
    }
    check(!unframed || unframed == framed);
    for (const auto &[code, name] : TravellerMapClient::readAllegiances(bytes).asKeyValueRange())
        check(!code.isEmpty() && !name.isEmpty() && wellFormed(code) && wellFormed(name));
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
    for (const StarmapLabel &label : importedLabels(metadata->labels, sector))
        check(wellFormed(label.text));
    for (const StarmapLabel &label : subsectorNameLabels(metadata->subsectors, sector))
        check(insideASector(label.position) && !label.text.isEmpty() && wellFormed(label.text));
    check(wellFormed(firstNonEmpty(metadata->names)));
    for (const ImportedRegion &region : importedRegions(metadata->borders, sector, {}))
        check(region.anchors.size() > 2 && wellFormed(region.name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    checkSectorData(text);
    checkAnswer(bytes.toByteArray());
    checkStars(QStringView(text).left(text.indexOf(u'\n')));
    checkMetadata(bytes);
    return 0;
}
