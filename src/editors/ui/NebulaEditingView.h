#pragma once

#include "EditorForm.h"
#include "editors/NebulaDraft.h"

#include <optional>

class ElidedLabel;
class HexPositionPicker;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The form that creates a nebula or edits one: its name, its type and the hexes it
// covers, added one position at a time and removed from the hex list's context menu
// (or with the Delete key on the selected hexes).
class NebulaEditingView : public EditorForm
{
    Q_OBJECT

public:
    NebulaEditingView(StarfarerUniverse &universe, const std::optional<Nebula> &nebula,
                      QWidget *parent = nullptr);

    const NebulaDraft &draft() const { return m_draft; }
    QListWidget *hexList() const { return m_hexList; }
    // "Delete" of a hex row's context menu.
    void removeHexRow(int row);

protected:
    bool isEditing() const override { return m_draft.isEditing(); }
    bool isComplete() const override { return m_draft.isComplete(); }
    void save() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addHexArea();
    void showContextMenu(const QPoint &position);
    // Every control from the working copy, as after seeding or a reset.
    void showDraft();
    // Lists the hexes of the working copy; with `current`, a list that had a row removed
    // keeps its place there.
    void showHexes(std::optional<int> current = std::nullopt);
    // The names beside the listed hexes, as the universe has them now: set in place, so
    // that the chosen rows stay chosen.
    void showSystemNames();
    void refresh();

    NebulaDraft m_draft;
    QLineEdit *m_name;
    QComboBox *m_type;
    ElidedLabel *m_positionCaption;
    HexPositionPicker *m_picker;
    QPushButton *m_addHex;
    QLabel *m_noHexes;
    QListWidget *m_hexList;
};
