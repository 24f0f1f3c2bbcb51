#pragma once

#include "MapObjectStore.h"
#include "universe/Nebula.h"

#include <optional>

// The working copy of the nebula editor: the name, the type, the listed hexes and the
// position that "Add Hex" adds. Adding and removing hexes change only the copy; the
// universe changes on save.
class NebulaDraft
{
public:
    explicit NebulaDraft(const std::optional<Nebula> &editing = std::nullopt);

    bool isEditing() const { return m_editing.has_value(); }
    // At least one hex is listed.
    bool isComplete() const { return !hexes.isEmpty(); }

    // The position is not listed yet.
    bool canAddHex() const { return !hexes.contains(position); }
    // Appends the position unless it is listed already.
    void addHex();
    // Removes every listed hex equal to this one.
    void removeHex(const GalacticCoordinates &hex);
    // Removes the hexes at these places of the list (places out of range are ignored).
    void removeHexesAt(const QList<qsizetype> &places);

    // Stores the nebula: the name as typed, the hexes in their order. Replaces the
    // edited nebula found by id, or appends and empties the form.
    MapObjectStore::Outcome save(StarfarerUniverse &universe);
    void reset();

    // "1 hex", otherwise "N hexes".
    static QString hexCountText(qsizetype count);

    QString name;
    NebulaType type = NebulaType::emission;
    QList<GalacticCoordinates> hexes;
    GalacticCoordinates position;

private:
    std::optional<Nebula> m_editing;
};
