#include "FactionListDraft.h"

#include "MapObjectStore.h"

FactionListDraft::FactionListDraft(const std::optional<FactionList> &editing) : m_editing(editing)
{
    if (editing) {
        name = editing->name;
        selectedFactionIDs = QSet<QUuid>(editing->factionIDs.cbegin(), editing->factionIDs.cend());
    }
}

bool FactionListDraft::isComplete() const
{
    for (const QChar c : name) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return true;
    }
    return false;
}

void FactionListDraft::setSelected(const QUuid &factionID, bool selected)
{
    if (selected)
        selectedFactionIDs.insert(factionID);
    else
        selectedFactionIDs.remove(factionID);
}

MapObjectStore::Outcome FactionListDraft::save(StarfarerUniverse &universe)
{
    FactionList built;
    built.id = m_editing ? m_editing->id : QUuid::createUuid();
    built.name = name;
    // A faction stored twice under one id is listed once.
    QSet<QUuid> listed;
    for (const Faction &faction : universe.factions()) {
        if (selectedFactionIDs.contains(faction.id) && !listed.contains(faction.id)) {
            listed.insert(faction.id);
            built.factionIDs.append(faction.id);
        }
    }
    return MapObjectStore::storeFromEditor(universe, built, m_editing, [this] {
        name.clear();
        selectedFactionIDs.clear();
    });
}
