#pragma once

#include "EditorForm.h"
#include "editors/FactionDraft.h"

class DisclosureGroup;
class HexPositionPicker;
class IntegerField;
class LabeledStepper;
class NotesField;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QVBoxLayout;

// The form that creates a faction or edits one, with its assets. It has no list of
// its own: the sidebar opens it for one faction or empty for a new one. Saving
// replaces the edited faction, found by id, or appends a new one and empties the
// form; no faction is ever deleted here.
class FactionEditingView : public EditorForm
{
    Q_OBJECT

public:
    FactionEditingView(StarfarerUniverse &universe, const std::optional<Faction> &editingFaction,
                       QWidget *parent = nullptr);

    const FactionDraft &draft() const { return m_draft; }
    QMenu *tagsMenu() const { return m_tagsMenu; }
    QComboBox *techLevelPicker() const { return m_assetTL; }
    DisclosureGroup *addAssetGroup() const { return m_addAsset; }
    // The rows of the assets, in stored order.
    QList<QWidget *> assetRows() const;
    void removeAsset(qsizetype position);

protected:
    bool isEditing() const override { return m_draft.isEditing(); }
    bool isComplete() const override { return m_draft.isComplete(); }
    void save() override;

private:
    void buildIdentity();
    void buildHomeworldAndStats();
    void buildTagsAndAssets();
    void buildAssetForm();
    // Every control from the working copy (after seeding and after a reset).
    void showDraft();
    void showAssetFields();
    // The texts that follow the working copy: heading, summaries, rows, buttons.
    void refresh();
    void refreshAssetRows();
    // The tech-level picker for the active rules, with the composed asset's level
    // moved onto that scale.
    void syncTechLevelPicker();
    bool travellerRules() const;

    FactionDraft m_draft;
    QLineEdit *m_name;
    QLineEdit *m_short;
    QComboBox *m_category;
    QComboBox *m_color;
    NotesField *m_description;
    QLabel *m_homeworldHeading;
    HexPositionPicker *m_homeworld;
    LabeledStepper *m_force;
    LabeledStepper *m_cunning;
    LabeledStepper *m_wealth;
    LabeledStepper *m_hp;
    IntegerField *m_credits;
    IntegerField *m_xp;
    QMenu *m_tagsMenu;
    QLabel *m_tagsSummary;
    QLabel *m_noAssets;
    QVBoxLayout *m_assetRows;
    DisclosureGroup *m_addAsset;
    QLineEdit *m_assetName;
    QComboBox *m_assetCategory;
    QComboBox *m_assetType;
    QComboBox *m_assetTL;
    LabeledStepper *m_assetHP;
    IntegerField *m_assetCost;
    QLineEdit *m_assetAttack;
    QLineEdit *m_assetCounter;
    QLineEdit *m_assetNote;
    QPushButton *m_addAssetButton;
};
