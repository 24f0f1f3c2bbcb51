#include "NebulaDraft.h"

#include <QObject>

NebulaDraft::NebulaDraft(const std::optional<Nebula> &editing) : m_editing(editing)
{
    if (editing) {
        name = editing->name;
        type = editing->type;
        hexes = editing->hexes;
    }
}

void NebulaDraft::addHex()
{
    if (canAddHex())
        hexes.append(position);
}

void NebulaDraft::removeHex(const GalacticCoordinates &hex)
{
    hexes.removeAll(hex);
}

void NebulaDraft::removeHexesAt(const QList<qsizetype> &places)
{
    MapObjectStore::removePositions(hexes, places);
}

MapObjectStore::Outcome NebulaDraft::save(StarfarerUniverse &universe)
{
    const Nebula built{m_editing ? m_editing->id : QUuid::createUuid(), name, type, hexes};
    return MapObjectStore::storeFromEditor(universe, built, m_editing, [this] { reset(); });
}

void NebulaDraft::reset()
{
    name.clear();
    type = NebulaType::emission;
    hexes.clear();
    position = GalacticCoordinates{};
}

QString NebulaDraft::hexCountText(qsizetype count)
{
    return count == 1 ? QObject::tr("1 hex") : QObject::tr("%1 hexes").arg(count);
}
