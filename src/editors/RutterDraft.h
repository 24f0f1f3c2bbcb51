#pragma once

#include "MapObjectStore.h"
#include "universe/Rutter.h"

#include <QUuid>

#include <optional>

class StarfarerUniverse;

// The working copy of the rutter editor: the owning faction, the two endpoints, the
// main-route mark and the age, and the rutter being edited. The create form starts
// with no faction and both endpoints at column 0, row 0 of sector 0, 0.
class RutterDraft
{
public:
    explicit RutterDraft(const std::optional<Rutter> &editing = std::nullopt);

    bool isEditing() const { return m_editing.has_value(); }
    // A faction is chosen and the universe holds it, so a save is never dropped
    // without a word.
    bool isComplete(const StarfarerUniverse &universe) const;

    // Stores the rutter when it is complete: replaces the edited rutter found by id, or
    // appends and empties the form. Nothing when incomplete.
    std::optional<MapObjectStore::Outcome> save(StarfarerUniverse &universe);
    void resetForm();

    std::optional<QUuid> factionID;
    bool mainTradeRoute = false;
    RutterAge age = RutterAge::recent;
    GalacticCoordinates start;
    GalacticCoordinates end;

private:
    std::optional<Rutter> m_editing;
};
