#pragma once

#include "ImportedWorld.h"
#include "universe/StarfarerUniverse.h"

#include <QHash>
#include <QString>
#include <QUuid>

#include <optional>

// Turns the allegiance codes of one import's apply phase into factions of the open
// universe: a code names the last faction whose short code it is, and a code the
// universe lacks gets a new political faction in the next palette colour. Routes
// without an allegiance share one "Trade Routes" faction. Created factions are
// appended to the universe at once, so later steps of the same run find them.
class ImportFactionResolver
{
public:
    ImportFactionResolver(StarfarerUniverse &universe, TravellerMapImporter::AllegianceTable allegiances);

    // None for an empty code; may append a faction.
    std::optional<QUuid> factionID(const QString &allegiance, const GalacticCoordinates &homeworld);
    // May append the Trade Routes faction.
    QUuid tradeRoutesFactionID();
    // The colour of the first faction with this id.
    std::optional<FactionColor> factionColor(const QUuid &id) const;

    int createdCount() const { return m_createdCount; }

private:
    void append(const Faction &faction);

    StarfarerUniverse &m_universe;
    TravellerMapImporter::AllegianceTable m_allegiances;
    QHash<QString, QUuid> m_idByCode;
    qsizetype m_colorIndex = 0;
    std::optional<QUuid> m_tradeRoutesID;
    int m_createdCount = 0;
};
