#pragma once

#include "MapObjectStore.h"
#include "universe/FactionList.h"

#include <QSet>
#include <QString>
#include <QUuid>

#include <optional>

class StarfarerUniverse;

// The working copy of the faction-list editor: the name and the chosen factions, held
// as a set, and the list being edited. The stored order of a list is the order of
// the universe's factions, whatever order they were chosen or listed in.
class FactionListDraft
{
public:
    explicit FactionListDraft(const std::optional<FactionList> &editing = std::nullopt);

    bool isEditing() const { return m_editing.has_value(); }
    // A name of blanks (spaces and tabs) does not count.
    bool isComplete() const;

    bool isSelected(const QUuid &factionID) const { return selectedFactionIDs.contains(factionID); }
    void setSelected(const QUuid &factionID, bool selected);

    // Stores the list: the chosen ids that name a faction of the universe, in the
    // universe's order; the name as typed. Replaces the edited list found by id, or
    // appends and empties the form.
    MapObjectStore::Outcome save(StarfarerUniverse &universe);

    QString name;
    QSet<QUuid> selectedFactionIDs;

private:
    std::optional<FactionList> m_editing;
};
