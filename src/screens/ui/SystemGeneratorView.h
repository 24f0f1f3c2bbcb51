#pragma once

#include "model/GalacticCoordinates.h"
#include "model/GeneratorOptions.h"
#include "model/StarSystem.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class GeneratorOptionsForm;
class HexTargetPicker;
class NotesPanel;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class StarSystemView;
class StarfarerUniverse;
class SystemWorldsView;
class WorldEditPanel;
struct WorldData;

// The system generator screen: the referee sets the options, rolls a star system,
// looks it over, edits its main world, names it, writes notes and stores it at a hex
// of the open universe, which is then saved.
//
// Everything on the screen is its own state; the universe changes only when the
// system is stored ("Save", or "Replace" when the hex is taken), which replaces the
// hex at the target in place or appends a new one. Each showing of the screen
// follows the universe's rule flavour and rolls a fresh system once control is back
// in the event loop. A save that fails is shown beside the store button until a
// later save succeeds.
class SystemGeneratorView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double kViewWidth = 500;

    // `universe` is the open document; it is borrowed, never owned.
    explicit SystemGeneratorView(StarfarerUniverse *universe, QWidget *parent = nullptr);

    const GeneratorOptions &options() const { return m_options; }
    const StarSystem &starSystem() const { return m_starSystem; }
    const QString &systemName() const { return m_systemName; }
    const QString &systemNotes() const { return m_systemNotes; }
    const GalacticCoordinates &target() const { return m_target; }

    // Rolls a new system from the options; edits of the shown one are discarded.
    void generateSystem();
    // Stores the shown system at the target hex and saves the universe.
    void storeSystem();

    bool hexIsOccupied() const;
    // "Replace" when the target hex is taken, else "Save".
    QString storeButtonLabel() const;
    // Why the last store could not be saved; empty once a save has succeeded.
    const QString &saveFailure() const { return m_saveFailure; }

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildContent();
    QWidget *buildHexHeader(QWidget *parent);
    QWidget *buildNameAndGenerateRow(QWidget *parent);
    QWidget *buildResultView(QWidget *parent);
    QWidget *buildMainWorldHeader(QWidget *parent);

    void onAppearSync();
    void followUniverseScale();
    void setOptions(const GeneratorOptions &options);
    void setStarSystem(const StarSystem &system);
    void editMainWorld(const WorldData &world);
    void refresh();
    void refreshTarget();
    void refreshSystem();

    QPointer<StarfarerUniverse> m_universe;
    GeneratorOptions m_options;
    StarSystem m_starSystem;
    QString m_systemName;
    QString m_systemNotes;
    GalacticCoordinates m_target{0, 0, 1, 1};
    QString m_saveFailure;

    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    GeneratorOptionsForm *m_optionsForm = nullptr;
    QPushButton *m_storeButton = nullptr;
    QLabel *m_saveStatus = nullptr;
    QLabel *m_hexHeader = nullptr;
    QLineEdit *m_name = nullptr;
    HexTargetPicker *m_targetPicker = nullptr;
    StarSystemView *m_summary = nullptr;
    SystemWorldsView *m_worlds = nullptr;
    NotesPanel *m_notes = nullptr;
    WorldEditPanel *m_mainWorldEditor = nullptr;
};
