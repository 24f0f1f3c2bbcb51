#include "SystemRowContent.h"

#include "model/CapitalizedWords.h"
#include "model/HexData.h"
#include "model/WorldDescriptions.h"
#include "model/WorldTag.h"
#include "universe/StarfarerUniverse.h"

#include <algorithm>

namespace {

QString emDash()
{
    return QString(QChar(0x2014));
}

} // namespace

SystemRowContent SystemRowContent::of(const StarfarerUniverse &universe, const HexData &hex,
                                      QList<RutterDestination> destinations)
{
    const StarSystem &system = hex.starSystem;
    SystemRowContent row;
    row.label = hex.coordinates.description() + QStringLiteral(" [") + hex.coordinates.subsectorLetter() +
                QStringLiteral("] \u00B7");
    row.name = system.name.isEmpty() ? QStringLiteral("Unnamed System") : system.name;
    row.notes = hex.notes;
    row.mainWorldName = emDash();
    if (const std::optional<WorldData> mainWorld = system.mainWorld()) {
        if (!mainWorld->name.isEmpty())
            row.mainWorldName = mainWorld->name;
        row.mainWorldProfile = mainWorldUWPLine(system, *mainWorld);
        row.mainWorldNotes = mainWorld->notes;
        row.mainWorldTagNames = tagNames(*mainWorld);
        row.factions = universe.factions(*mainWorld);
    }
    for (const WorldData &world : namedWorldsBesidesMain(system))
        row.otherNamedWorlds.append({world.name, mainWorldUWPLine(system, world), world.notes});
    row.rutterDestinations = std::move(destinations);
    return row;
}

bool SystemRowContent::listedBesidesMain(const WorldData &world)
{
    return !world.mainWorld && !world.name.isEmpty() && world.name != kindText(world);
}

QList<WorldData> SystemRowContent::namedWorldsBesidesMain(const StarSystem &system)
{
    QList<WorldData> worlds;
    for (const WorldData &world : system.allWorlds()) {
        if (listedBesidesMain(world))
            worlds.append(world);
    }
    std::stable_sort(worlds.begin(), worlds.end(), [](const WorldData &a, const WorldData &b) {
        // Both orbit enumerations are declared in the order the row lists them.
        return std::tie(a.sunOrbit, a.satelliteOrbit) < std::tie(b.sunOrbit, b.satelliteOrbit);
    });
    return worlds;
}

int SystemRowContent::lineCount(const HexData &hex)
{
    // One walk over the worlds where they are stored: their order does not change
    // the count.
    int lines = 2 + (hex.notes.isEmpty() ? 0 : 1);
    bool mainWorldSeen = false;
    for (const Star &star : hex.starSystem.stars) {
        for (const WorldData &world : star.worlds) {
            if (world.mainWorld) {
                // Only the main world, the first one flagged, shows its notes.
                if (!mainWorldSeen && !world.notes.isEmpty())
                    ++lines;
                mainWorldSeen = true;
            } else if (listedBesidesMain(world)) {
                lines += world.notes.isEmpty() ? 1 : 2;
            }
        }
    }
    return lines;
}

QStringList SystemRowContent::tagNames(const WorldData &world)
{
    QStringList names;
    for (const WorldTag tag : world.worldTags)
        names.append(capitalizedWords(rawValue(tag)));
    return names;
}
