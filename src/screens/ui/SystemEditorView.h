#pragma once

#include "screens/SystemEditorState.h"
#include "universe/SaveFollower.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class ElidedLabel;
class HexTargetPicker;
class NotesPanel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class StarfarerUniverse;
class WorldEditPanel;
class WrappingLabel;

// The editor of one stored hex: its system's name, awareness and survey flags, notes
// and coordinates, and each of its worlds through the world editor. It edits working
// copies (SystemEditorState) only; "Save Changes" writes the whole hex into the
// universe at once, asking first when another system holds the new coordinates, and
// saves the universe. The editor reports dismissed() once that save has succeeded; a
// failed save is shown on the editor, which stays open with every edit, until a
// retry of the universe writes the change.
class SystemEditorView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double kViewWidth = 500;

    // Edits the hex with id `hexID` of `universe` (borrowed, never owned), as it is
    // now. When there is no such hex the editor shows an empty system and cannot save.
    SystemEditorView(StarfarerUniverse *universe, const QUuid &hexID, QWidget *parent = nullptr);

    const SystemEditorState &state() const { return m_state; }
    QString title() const { return m_state.title(); }
    // Why the last save failed; empty until one fails.
    const QString &saveFailure() const { return m_saveFailure; }

    void generateWorlds();
    void saveChanges();
    void commit(const std::optional<QUuid> &overwriting);

signals:
    void titleChanged(const QString &title);
    // The edits are stored and saved: the host closes the editor.
    void dismissed();

private:
    QWidget *buildToolbar();
    QWidget *buildTopSection();
    QWidget *buildNameColumn(QWidget *parent);
    QWidget *buildHexColumn(QWidget *parent);
    QWidget *buildBottomSection();
    QWidget *buildWorldPane(QWidget *parent);
    QWidget *worldRow(const WorldData &world);

    // Shows the outcomes of the writes that hold save request `request`.
    void followSave(quint64 request);
    void presentCollisionAlert(const HexData &occupant);
    void selectWorld(QTreeWidgetItem *item);
    void editWorld(const WorldData &world);
    void refreshTitle();
    void refreshToggleLabels();
    void refreshWorldList();
    void refreshWorldPane();

    QPointer<StarfarerUniverse> m_universe;
    SystemEditorState m_state;
    SaveFollower m_saveFollower; // of the editor's last save
    QString m_saveFailure;

    ElidedLabel *m_title = nullptr;
    QPushButton *m_saveButton = nullptr;
    WrappingLabel *m_saveStatus = nullptr;
    QLineEdit *m_name = nullptr;
    QCheckBox *m_starfarersToggle = nullptr;
    QCheckBox *m_satharToggle = nullptr;
    QLabel *m_hexHeader = nullptr;
    HexTargetPicker *m_targetPicker = nullptr;
    NotesPanel *m_notes = nullptr;
    QTreeWidget *m_worldList = nullptr;
    QLabel *m_noSelection = nullptr;
    QWidget *m_paneHeader = nullptr;
    ElidedLabel *m_worldTitle = nullptr;
    QLabel *m_profileColumns = nullptr;
    WrappingLabel *m_gasGiantMessage = nullptr;
    WorldEditPanel *m_worldEditor = nullptr;
};
