#include "Destination.h"

#include <QCoreApplication>

Destination Destination::of(DestinationKind kind)
{
    // A faction destination without its faction would match no row; it has its own maker.
    Q_ASSERT(kind != DestinationKind::faction);
    return Destination{kind, std::nullopt};
}

Destination Destination::forFaction(const Faction &faction)
{
    return Destination{DestinationKind::faction, faction};
}

size_t qHash(const Destination &destination, size_t seed) noexcept
{
    const size_t kind = qHash(static_cast<int>(destination.kind), seed);
    return destination.faction ? qHashMulti(seed, kind, *destination.faction) : kind;
}

QString destinationTitle(const Destination &destination, bool travellerRules)
{
    if (destination.kind == DestinationKind::faction && destination.faction)
        return factionRowTitle(*destination.faction);
    // The Traveller word is shown as it is, not as a translated text.
    if (destination.kind == DestinationKind::rutters && travellerRules)
        return QStringLiteral("Routes");
    return QCoreApplication::translate("ControlView", enumRow(destination.kind).title);
}

QString factionRowTitle(const Faction &faction)
{
    if (faction.name.isEmpty())
        return QCoreApplication::translate("ControlView", "Unnamed Faction");
    return faction.shortName.isEmpty() ? faction.name : faction.shortName;
}
