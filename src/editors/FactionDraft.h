#pragma once

#include "MapObjectStore.h"
#include "universe/Faction.h"

#include <QList>
#include <QString>

#include <optional>

class StarfarerUniverse;

// The working copy of the faction editor: every editable field of a faction, the
// homeworld's four numbers, the asset being composed and the faction being edited.
// It holds the editor's rules (tags in the order chosen, assets placed at the
// homeworld shown, the tech-level scale of new assets, create-or-replace on save);
// the form only shows it. Nothing reaches the universe before save().
class FactionDraft
{
public:
    // A create form without a faction; with one, every field is seeded from it and
    // it becomes the faction being edited.
    explicit FactionDraft(const std::optional<Faction> &editing = std::nullopt);

    bool isEditing() const { return m_editing.has_value(); }
    const std::optional<Faction> &editingFaction() const { return m_editing; }
    // The create/save button is enabled only with a name (blanks count as a name).
    bool isComplete() const { return !faction.name.isEmpty(); }

    // Puts the tag at the end when it is not held, else removes its first occurrence.
    void toggleTag(FactionTag tag);
    // The held tags' texts in the order chosen, joined by ", "; "None" without tags.
    QString tagsSummary() const;

    // Appends the composed asset, located at the homeworld the fields show now, and
    // clears the asset fields. `travellerRules` picks the level they are reset to.
    void addAsset(bool travellerRules);
    // Positions out of range are ignored.
    void removeAsset(qsizetype position);
    void deleteAssets(const QList<qsizetype> &positions);
    // Moves the composed asset's level to the lowest of the active scale when it
    // belongs to the other one.
    void syncAssetTechLevel(bool travellerRules);

    // Every faction field back to its create value, then the asset fields; the
    // faction being edited stays.
    void resetForm(bool travellerRules);
    void resetAssetFields(bool travellerRules);

    // Writes the faction into the universe and saves. The edited faction is found by
    // its id: replaced in place when still stored (the form stays on it), appended
    // otherwise, after which the form is emptied.
    MapObjectStore::Outcome save(StarfarerUniverse &universe);

    // The working copy of the faction's own fields. Its `id` and `notes` are not
    // edited: save() takes them from the faction being edited. `homeworld` holds the
    // four numbers of the homeworld controls.
    Faction faction;
    FactionAsset asset; // the asset being composed; its location is set when added

private:
    std::optional<Faction> m_editing;
};
