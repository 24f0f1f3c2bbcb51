#include "ImportFactionResolver.h"

using namespace Qt::StringLiterals;

ImportFactionResolver::ImportFactionResolver(StarfarerUniverse &universe,
                                             TravellerMapImporter::AllegianceTable allegiances)
    : m_universe(universe), m_allegiances(std::move(allegiances)), m_colorIndex(universe.factions().size())
{
    // The last faction with a code wins: insert overwrites earlier entries.
    for (const Faction &faction : universe.factions()) {
        if (!faction.shortName.isEmpty())
            m_idByCode.insert(faction.shortName, faction.id);
    }
}

std::optional<QUuid> ImportFactionResolver::factionID(const QString &allegiance,
                                                      const GalacticCoordinates &homeworld)
{
    if (allegiance.isEmpty())
        return std::nullopt;
    if (const auto found = m_idByCode.constFind(allegiance); found != m_idByCode.cend())
        return *found;
    Faction faction;
    faction.id = QUuid::createUuid();
    faction.name = TravellerMapImporter::allegianceName(allegiance, m_allegiances);
    faction.shortName = allegiance;
    faction.homeworld = homeworld;
    faction.category = FactionCategory::political;
    faction.color = kFactionColors[std::size_t(m_colorIndex % qsizetype(kFactionColors.size()))].value;
    faction.description = u"Imported from Traveller Map (allegiance code "_s + allegiance + u")."_s;
    ++m_colorIndex;
    append(faction);
    m_idByCode.insert(allegiance, faction.id);
    return faction.id;
}

QUuid ImportFactionResolver::tradeRoutesFactionID()
{
    if (m_tradeRoutesID)
        return *m_tradeRoutesID;
    const QString name = u"Trade Routes"_s;
    const QString code = u"TR"_s;
    for (const Faction &faction : m_universe.factions()) {
        if (faction.shortName == code && faction.name == name) {
            m_tradeRoutesID = faction.id;
            return faction.id;
        }
    }
    Faction faction;
    faction.id = QUuid::createUuid();
    faction.name = name;
    faction.shortName = code;
    faction.homeworld = GalacticCoordinates{0, 0, 0, 0};
    faction.category = FactionCategory::other;
    faction.color = FactionColor::grey;
    faction.description = u"Trade routes imported from Traveller Map without a specific allegiance."_s;
    append(faction);
    m_tradeRoutesID = faction.id;
    return faction.id;
}

std::optional<FactionColor> ImportFactionResolver::factionColor(const QUuid &id) const
{
    for (const Faction &faction : m_universe.factions()) {
        if (faction.id == id)
            return faction.color;
    }
    return std::nullopt;
}

void ImportFactionResolver::append(const Faction &faction)
{
    m_universe.insertObject(faction);
    ++m_createdCount;
}
