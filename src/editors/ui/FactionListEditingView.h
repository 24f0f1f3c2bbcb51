#pragma once

#include "EditorForm.h"
#include "editors/FactionListDraft.h"

class FactionCheckListModel;
class QLabel;
class QLineEdit;
class QListView;

// The form that creates a faction list or edits one: its name and, from a check
// list of the universe's factions sorted by name, its members.
class FactionListEditingView : public EditorForm
{
    Q_OBJECT

public:
    FactionListEditingView(StarfarerUniverse &universe, const std::optional<FactionList> &list,
                           QWidget *parent = nullptr);

    const FactionListDraft &draft() const { return m_draft; }

protected:
    bool isEditing() const override { return m_draft.isEditing(); }
    bool isComplete() const override { return m_draft.isComplete(); }
    void save() override;

private:
    void refresh();

    FactionListDraft m_draft;
    QLineEdit *m_name;
    QLabel *m_selectedCount;
    FactionCheckListModel *m_factions;
    QListView *m_factionList;
    QLabel *m_noFactions;
};
