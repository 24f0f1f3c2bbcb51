#pragma once

#include "model/Base.h"
#include "model/Race.h"
#include "model/Starport.h"
#include "model/TechnologyLevel.h"
#include "model/WorldData.h"
#include "model/WorldTag.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

struct Faction;
class NotesEdit;
class ParameterView;
class ParametersView;
class QHBoxLayout;
class QLineEdit;
class QToolButton;
class StarfarerUniverse;
class UWPView;
class WorldEditRow;

// The editor of one world: a column of rows, one per profile code, each with a menu
// of the values allowed, read-only tiles for what follows from the codes, the name
// with the prevalent people, the notes, the world tags and the factions.
//
// The world belongs to the host. The panel keeps a copy, shows it, and after every
// complete edit (a profile code is set, the dependent codes clamped and the trade
// classes decided again) hands the new world to the host with worldEdited(), once.
// It never saves: the host decides when the world goes into its system and the
// universe is saved.
class WorldEditPanel : public QWidget
{
    Q_OBJECT

public:
    // `universe` gives the rule flavour for the peoples menu and the factions; it may
    // be null (no factions, the coarse flavour).
    WorldEditPanel(StarfarerUniverse *universe, const WorldData &world, qint64 belts, qint64 gasGiants,
                   double viewWidth, double menuWidth, QWidget *parent = nullptr);

    const WorldData &world() const { return m_world; }
    // Shows another world (or the host's stored copy); reports nothing back.
    void setWorld(const WorldData &world);
    // The system's belts and gas giants, shown in the profile line.
    void setSystemCounts(qint64 belts, qint64 gasGiants);

    // The edits, each handing the new world to the host once. A profile code is set
    // as given (even out of the usual range), then the codes that depend on it are
    // clamped and the trade classes decided again.
    void setStarport(Starport starport);
    void setSize(qint64 size);
    void setAtmosphere(qint64 atmosphere);
    void setHydrographics(qint64 hydrographics);
    void setPopulation(qint64 population);
    void setGovernment(qint64 government);
    void setLawLevel(qint64 lawLevel);
    void setTechLevel(TechnologyLevel techLevel);
    // Stores the density that gives gravity `g`; nothing happens below size 1.
    void setGravity(double g);
    void toggleBase(Base base);
    void setPrevalentRace(Race race);
    // Removes the first occurrence of a held tag, appends any other.
    void toggleTag(WorldTag tag);
    // Replaces every tag with two different tags drawn from the menu categories.
    void randomTags();
    // Adds the faction's id unless the world has it already (then nothing happens).
    void addFaction(const Faction &faction);
    void clearFactions();
    void setName(const QString &name);
    void setNotes(const QString &notes);

signals:
    // The world after one complete edit.
    void worldEdited(const WorldData &world);

private:
    void buildLayout();
    QWidget *buildNameRow();
    QWidget *buildNotesEditor();
    QWidget *buildTagSection();
    QWidget *buildFactionSection();
    WorldEditRow *addCodeRow(const QString &title);

    void editCode(const std::function<void(UWP &)> &change);
    void commit(const WorldData &world);
    void refresh();
    void refreshCodeRows();
    void refreshPeoplesMenu();
    void refreshTagSection();
    void refreshFactionSection();

    QPointer<StarfarerUniverse> m_universe;
    WorldData m_world;
    std::optional<WorldData> m_shown; // what the rows show now
    qint64 m_belts;
    qint64 m_gasGiants;
    double m_viewWidth;
    double m_menuWidth;

    QLineEdit *m_name = nullptr;
    QToolButton *m_peoples = nullptr;
    UWPView *m_profile = nullptr;
    WorldEditRow *m_starport = nullptr;
    WorldEditRow *m_bases = nullptr;
    WorldEditRow *m_size = nullptr;
    ParametersView *m_density = nullptr;
    WorldEditRow *m_gravity = nullptr;
    ParametersView *m_dayYear = nullptr;
    WorldEditRow *m_atmosphere = nullptr;
    ParameterView *m_pressure = nullptr;
    ParameterView *m_gear = nullptr;
    WorldEditRow *m_hydrographics = nullptr;
    WorldEditRow *m_population = nullptr;
    WorldEditRow *m_government = nullptr;
    WorldEditRow *m_lawLevel = nullptr;
    WorldEditRow *m_techLevel = nullptr;
    ParameterView *m_tradeClasses = nullptr;
    NotesEdit *m_notes = nullptr;
    QToolButton *m_tagMenu = nullptr;
    QHBoxLayout *m_tagChips = nullptr;
    QToolButton *m_factionMenu = nullptr;
    QHBoxLayout *m_factionChips = nullptr;
};
