#include "RutterDraft.h"

#include "universe/StarfarerUniverse.h"

RutterDraft::RutterDraft(const std::optional<Rutter> &editing) : m_editing(editing)
{
    if (editing) {
        factionID = editing->factionID;
        mainTradeRoute = editing->mainTradeRoute;
        age = editing->age;
        start = editing->start;
        end = editing->end;
    }
}

bool RutterDraft::isComplete(const StarfarerUniverse &universe) const
{
    return factionID && universe.object<Faction>(*factionID).has_value();
}

std::optional<MapObjectStore::Outcome> RutterDraft::save(StarfarerUniverse &universe)
{
    if (!isComplete(universe))
        return std::nullopt;
    Rutter built;
    built.id = m_editing ? m_editing->id : QUuid::createUuid();
    built.factionID = *factionID;
    built.start = start;
    built.end = end;
    built.mainTradeRoute = mainTradeRoute;
    built.age = age;
    return MapObjectStore::storeFromEditor(universe, built, m_editing, [this] { resetForm(); });
}

void RutterDraft::resetForm()
{
    factionID.reset();
    mainTradeRoute = false;
    age = RutterAge::recent;
    start = {};
    end = {};
}
