#pragma once

#include "EditorForm.h"
#include "FactionPicker.h"
#include "editors/RutterDraft.h"

class ContentUnavailableView;
class HexPositionPicker;
class QCheckBox;
class QComboBox;
class QLabel;

// The form that creates a rutter or edits one: its faction, its two endpoints, the
// main-route mark and its age. A universe without factions shows, in place of the
// form, that a faction must come first. The wording follows the rules flavour.
class RutterEditingView : public EditorForm
{
    Q_OBJECT

public:
    RutterEditingView(StarfarerUniverse &universe, const std::optional<Rutter> &rutter,
                      QWidget *parent = nullptr);

    const RutterDraft &draft() const { return m_draft; }
    FactionPicker *factionPicker() const { return m_faction; }
    HexPositionPicker *endPicker() const { return m_endPicker; }
    QString startCaption() const;
    QString endCaption() const;
    // The "No Factions" state is shown in place of the form.
    bool showsNoFactions() const;

protected:
    bool isEditing() const override { return m_draft.isEditing(); }
    bool isComplete() const override { return m_draft.isComplete(universe()); }
    void save() override;

private:
    HexPositionPicker *addEndpoint(QLabel *&caption, GalacticCoordinates RutterDraft::*field);
    void showDraft();
    // The texts and controls that follow the universe: wording, factions.
    void refresh();

    RutterDraft m_draft;
    ContentUnavailableView *m_noFactions;
    QWidget *m_fields;
    FactionPicker *m_faction;
    QLabel *m_startCaption = nullptr;
    QLabel *m_endCaption = nullptr;
    HexPositionPicker *m_startPicker;
    HexPositionPicker *m_endPicker;
    QCheckBox *m_mainTradeRoute;
    QComboBox *m_age;
};
