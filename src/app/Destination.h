#pragma once

#include "json/EnumTable.h"
#include "universe/Faction.h"

#include <array>
#include <optional>

// The screens the main window's sidebar can show in its detail column, in the
// sidebar's order of declaration. Only `faction` carries a value.
enum class DestinationKind : quint8 {
    generator,
    systems,
    importTravellerMap,
    starmap,
    rutters,
    nebulae,
    regions,
    labels,
    factionLists,
    newFaction,
    faction,
};

struct DestinationKindRow
{
    DestinationKind value;
    const char *raw;
    const char *title; // the title of its sidebar row (source text, translated when shown)
};

inline constexpr std::array<DestinationKindRow, 11> kDestinationKinds{{
    {DestinationKind::generator, "generator", "System Generator"},
    {DestinationKind::systems, "systems", "Systems"},
    {DestinationKind::importTravellerMap, "importTravellerMap", "Traveller Map import"},
    {DestinationKind::starmap, "starmap", "Star Map"},
    {DestinationKind::rutters, "rutters", "Rutters"},
    {DestinationKind::nebulae, "nebulae", "Nebulae"},
    {DestinationKind::regions, "regions", "Regions"},
    {DestinationKind::labels, "labels", "Labels"},
    {DestinationKind::factionLists, "factionLists", "Factions Lists"},
    {DestinationKind::newFaction, "newFaction", "New Faction"},
    {DestinationKind::faction, "faction", "Faction"},
}};

template <> struct EnumTraits<DestinationKind>
{
    static constexpr const auto &rows = kDestinationKinds;
};

// One selectable place of the sidebar. A faction destination holds a copy of the
// faction as it was when its row was chosen, so it equals a row only while that
// faction is unchanged in every field.
struct Destination
{
    DestinationKind kind = DestinationKind::starmap;
    std::optional<Faction> faction; // set exactly when kind is `faction`

    static Destination of(DestinationKind kind);
    static Destination forFaction(const Faction &faction);

    friend bool operator==(const Destination &, const Destination &) = default;
};

size_t qHash(const Destination &destination, size_t seed = 0) noexcept;

// The title of a destination's sidebar row: "Routes" instead of "Rutters" in a
// universe that follows the Traveller rules; a faction's row text for a faction.
QString destinationTitle(const Destination &destination, bool travellerRules);

// What a faction row reads: "Unnamed Faction" without a name, else the short name
// when there is one, else the name.
QString factionRowTitle(const Faction &faction);
