#include "RegionDraft.h"

#include <algorithm>

RegionDraft::RegionDraft(const std::optional<Region> &editing) : m_editing(editing)
{
    if (editing) {
        name = editing->name;
        color = editing->color;
        closed = editing->closed;
        anchors = editing->anchors;
        useCustomLabel = editing->labelCoordinates.has_value();
        label = editing->labelCoordinates.value_or(GalacticCoordinates{});
    }
}

void RegionDraft::addAnchor()
{
    anchors.append(RegionAnchor{next, corner});
}

void RegionDraft::deleteAnchor(qsizetype position)
{
    deleteAnchors({position});
}

void RegionDraft::deleteAnchors(QList<qsizetype> positions)
{
    MapObjectStore::removePositions(anchors, std::move(positions));
}

void RegionDraft::moveAnchors(QList<qsizetype> positions, qsizetype destination)
{
    // Positions out of range or listed twice never match an index below.
    destination = std::clamp<qsizetype>(destination, 0, anchors.size());
    QList<RegionAnchor> moved;
    QList<RegionAnchor> kept;
    qsizetype insertAt = 0;
    for (qsizetype i = 0; i < anchors.size(); ++i) {
        if (positions.contains(i)) {
            moved.append(anchors.at(i));
        } else {
            kept.append(anchors.at(i));
            if (i < destination)
                insertAt = kept.size();
        }
    }
    for (qsizetype i = 0; i < moved.size(); ++i)
        kept.insert(insertAt + i, moved.at(i));
    anchors = kept;
}

MapObjectStore::Outcome RegionDraft::save(StarfarerUniverse &universe)
{
    Region built;
    built.id = m_editing ? m_editing->id : QUuid::createUuid();
    built.name = name;
    built.color = color;
    built.anchors = anchors;
    built.closed = closed;
    if (useCustomLabel)
        built.labelCoordinates = label;
    return MapObjectStore::storeFromEditor(universe, built, m_editing, [this] { resetForm(); });
}

void RegionDraft::resetForm()
{
    const std::optional<Region> editing = m_editing;
    *this = RegionDraft();
    m_editing = editing;
}
