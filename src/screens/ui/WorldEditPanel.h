#pragma once

#include "model/WorldDraft.h"
#include "ui/Symbol.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class NotesField;
class QHBoxLayout;
class QLineEdit;
class QToolButton;
class StarfarerUniverse;
class UWPView;
struct Faction;

// The editor of one world: a column of rows, one per profile code, each with a menu
// of the values allowed, read-only tiles for what follows from the codes, the name
// with the prevalent people, the notes, the world tags and the factions.
//
// The world belongs to the host. The panel keeps a draft of it, whose rules every
// edit goes through, shows it, and after every edit that applied hands the new world
// to the host with worldEdited(), once. It never saves: the host decides when the
// world goes into its system and the universe is saved.
class WorldEditPanel : public QWidget
{
    Q_OBJECT

public:
    // `universe` gives the rule flavour for the peoples menu and the factions; it may
    // be null (no factions, the coarse flavour).
    WorldEditPanel(StarfarerUniverse *universe, const WorldData &world, qint64 belts, qint64 gasGiants,
                   double viewWidth, double menuWidth, QWidget *parent = nullptr);

    const WorldData &world() const { return m_draft.world; }
    // Shows another world (or the host's stored copy) as it is; reports nothing back.
    void setWorld(const WorldData &world);
    // The system's belts and gas giants, shown in the profile line.
    void setSystemCounts(qint64 belts, qint64 gasGiants);

    // Edits made in code rather than through the controls, with the same draft rules,
    // each reported once like the controls' edits; an already held faction reports
    // nothing.
    void setName(const QString &name);
    void addFaction(const Faction &faction);

signals:
    // The world after one complete edit.
    void worldEdited(const WorldData &world);

private:
    // Runs one edit on the draft; unless it refused (returned false), shows and
    // reports the new world.
    template <typename Change> void edit(Change change);
    void buildLayout();
    void addColumnRows();
    QWidget *buildNameRow();
    QWidget *buildNotesEditor();
    QWidget *buildSection(const QString &name, Symbol symbol, const QString &buttonName, const QString &tip,
                          void (WorldDraft::*press)(), const QString &menuText, QToolButton *&menu,
                          QHBoxLayout *&chips);

    void refresh();
    void refreshPeoplesMenu();
    void refreshTagSection();
    void refreshFactionSection();

    QPointer<StarfarerUniverse> m_universe;
    WorldDraft m_draft;
    std::optional<WorldData> m_shown; // what the rows show now
    qint64 m_belts;
    qint64 m_gasGiants;
    double m_viewWidth;
    double m_menuWidth;

    QLineEdit *m_name = nullptr;
    QToolButton *m_peoples = nullptr;
    UWPView *m_profile = nullptr;
    // Each row of the column under the profile line, showing a world.
    QList<std::function<void(const WorldData &)>> m_columnRows;
    NotesField *m_notes = nullptr;
    QToolButton *m_tagMenu = nullptr;
    QHBoxLayout *m_tagChips = nullptr;
    QToolButton *m_factionMenu = nullptr;
    QHBoxLayout *m_factionChips = nullptr;
};
