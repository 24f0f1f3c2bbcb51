#include "WorldEditPanel.h"

#include "ParameterView.h"
#include "ParametersView.h"
#include "UWPView.h"
#include "WorldEditOptions.h"
#include "WorldEditRow.h"
#include "model/Random.h"
#include "model/TradeClass.h"
#include "model/UWPDescriptions.h"
#include "model/WorldDescriptions.h"
#include "model/WorldTagCategory.h"
#include "ui/Chip.h"
#include "ui/ClearLayout.h"
#include "ui/LiteralText.h"
#include "ui/NamedColor.h"
#include "ui/NotesEdit.h"
#include "ui/Symbol.h"
#include "ui/TextStyle.h"
#include "ui/Tile.h"
#include "universe/StarfarerUniverse.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kSectionMenuWidth = 120;
constexpr int kNotesPadding = 8;
constexpr int kNotesMinimumHeight = 120;
constexpr int kNotesIdealHeight = 300;
constexpr int kRandomTagCount = 2;

QToolButton *menuButton(const QString &text, int width, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(literalText(text));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedWidth(width);
    return button;
}

QToolButton *symbolButton(Symbol symbol, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(symbolIcon(symbol));
    button->setAutoRaise(true);
    return button;
}

// Replaces a tool button's menu; the old one may still be running the action that
// led here, so it goes once control is back in the event loop.
QMenu *freshMenu(QToolButton *button)
{
    QMenu *previous = button->menu();
    auto *menu = new QMenu(button);
    button->setMenu(menu);
    if (previous)
        previous->deleteLater();
    return menu;
}

template <typename T> QList<WorldEditRow::Option> rowOptions(const EditOptions<T> &options)
{
    QList<WorldEditRow::Option> rows;
    for (qsizetype i = 0; i < options.texts.size(); ++i)
        rows.append({options.texts.at(i), i == options.current});
    return rows;
}

} // namespace

WorldEditPanel::WorldEditPanel(StarfarerUniverse *universe, const WorldData &world, qint64 belts,
                               qint64 gasGiants, double viewWidth, double menuWidth, QWidget *parent)
    : QWidget(parent), m_universe(universe), m_world(world), m_belts(belts), m_gasGiants(gasGiants),
      m_viewWidth(viewWidth), m_menuWidth(menuWidth)
{
    buildLayout();
    if (m_universe) {
        connect(m_universe, &StarfarerUniverse::factionsChanged, this,
                &WorldEditPanel::refreshFactionSection);
        // The rule flavour follows the first system's main world.
        connect(m_universe, &StarfarerUniverse::dataChanged, this, &WorldEditPanel::refreshPeoplesMenu);
    }
    refreshPeoplesMenu();
    refresh();
}

void WorldEditPanel::setWorld(const WorldData &world)
{
    if (world == m_world)
        return;
    m_world = world;
    refresh();
}

void WorldEditPanel::setSystemCounts(qint64 belts, qint64 gasGiants)
{
    m_belts = belts;
    m_gasGiants = gasGiants;
    refresh();
}

// ---- Edits ----

void WorldEditPanel::editCode(const std::function<void(UWP &)> &change)
{
    WorldData world = m_world;
    change(world.uwp);
    world.uwp.clampToAllowedRanges();
    world.tradeClasses = tradeClasses(world.uwp, world.climateZone(), world.tideLocked);
    commit(world);
}

void WorldEditPanel::commit(const WorldData &world)
{
    m_world = world;
    refresh();
    emit worldEdited(m_world);
}

void WorldEditPanel::setStarport(Starport starport)
{
    editCode([starport](UWP &uwp) { uwp.starport = starport; });
}

void WorldEditPanel::setSize(qint64 size)
{
    editCode([size](UWP &uwp) { uwp.size = size; });
}

void WorldEditPanel::setAtmosphere(qint64 atmosphere)
{
    editCode([atmosphere](UWP &uwp) { uwp.atmosphere = atmosphere; });
}

void WorldEditPanel::setHydrographics(qint64 hydrographics)
{
    editCode([hydrographics](UWP &uwp) { uwp.hydrographics = hydrographics; });
}

void WorldEditPanel::setPopulation(qint64 population)
{
    editCode([population](UWP &uwp) { uwp.population = population; });
}

void WorldEditPanel::setGovernment(qint64 government)
{
    editCode([government](UWP &uwp) { uwp.government = government; });
}

void WorldEditPanel::setLawLevel(qint64 lawLevel)
{
    editCode([lawLevel](UWP &uwp) { uwp.lawLevel = lawLevel; });
}

void WorldEditPanel::setTechLevel(TechnologyLevel techLevel)
{
    editCode([techLevel](UWP &uwp) { uwp.techLevel = techLevel; });
}

void WorldEditPanel::setGravity(double g)
{
    if (m_world.uwp.size < 1)
        return;
    WorldData world = m_world;
    world.uwp.density = WorldEditOptions::densityForGravity(world.uwp, g);
    commit(world);
}

void WorldEditPanel::toggleBase(Base base)
{
    WorldData world = m_world;
    if (!world.uwp.bases.remove(base))
        world.uwp.bases.insert(base);
    commit(world);
}

void WorldEditPanel::setPrevalentRace(Race race)
{
    WorldData world = m_world;
    world.prevalentRace = race;
    commit(world);
}

void WorldEditPanel::toggleTag(WorldTag tag)
{
    WorldData world = m_world;
    if (!world.worldTags.removeOne(tag))
        world.worldTags.append(tag);
    commit(world);
}

void WorldEditPanel::randomTags()
{
    QList<WorldTag> pool;
    for (const WorldTagCategory category : kWorldTagPickerCases)
        pool.append(tags(category));
    const qsizetype n = pool.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        const qsizetype j = i + randomBelow(n - i);
        pool.swapItemsAt(i, j);
    }
    WorldData world = m_world;
    world.worldTags = pool.mid(0, kRandomTagCount);
    commit(world);
}

void WorldEditPanel::addFaction(const Faction &faction)
{
    if (m_world.factionIDs.contains(faction.id))
        return;
    WorldData world = m_world;
    world.factionIDs.append(faction.id);
    commit(world);
}

void WorldEditPanel::clearFactions()
{
    WorldData world = m_world;
    world.factionIDs.clear();
    commit(world);
}

void WorldEditPanel::setName(const QString &name)
{
    WorldData world = m_world;
    world.name = name;
    commit(world);
}

void WorldEditPanel::setNotes(const QString &notes)
{
    WorldData world = m_world;
    world.notes = notes;
    commit(world);
}

// ---- Layout ----

WorldEditRow *WorldEditPanel::addCodeRow(const QString &title)
{
    auto *row = new WorldEditRow(title, WorldEditRow::MenuKind::pick, m_viewWidth, this);
    layout()->addWidget(row);
    return row;
}

void WorldEditPanel::buildLayout()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    column->addWidget(buildNameRow());
    m_profile = new UWPView(m_world.uwp, m_belts, m_gasGiants, m_world, false, m_viewWidth, this);
    column->addWidget(m_profile);

    m_starport = addCodeRow(tr("Starport"));
    connect(m_starport, &WorldEditRow::optionChosen, this,
            [this](int i) { setStarport(WorldEditOptions::starport(m_world.uwp).values.value(i)); });
    m_bases = new WorldEditRow(tr("Bases"), WorldEditRow::MenuKind::toggles, m_viewWidth, this);
    column->addWidget(m_bases);
    connect(m_bases, &WorldEditRow::optionChosen, this, [this](int i) {
        const auto bases = allCases<Base>();
        if (i >= 0 && static_cast<std::size_t>(i) < bases.size())
            toggleBase(bases[static_cast<std::size_t>(i)]);
    });
    m_size = addCodeRow(tr("Size"));
    connect(m_size, &WorldEditRow::optionChosen, this,
            [this](int i) { setSize(WorldEditOptions::size(m_world.uwp).values.value(i)); });
    m_density = new ParametersView({tr("Density")}, {}, m_viewWidth, this);
    column->addWidget(m_density);
    m_gravity = addCodeRow(tr("Gravity"));
    connect(m_gravity, &WorldEditRow::optionChosen, this, [this](int i) {
        const auto options = WorldEditOptions::gravity(m_world);
        if (i >= 0 && i < options.values.size())
            setGravity(options.values.at(i));
    });
    m_dayYear = new ParametersView({tr("Day length"), tr("Year length")}, {}, m_viewWidth, this);
    column->addWidget(m_dayYear);
    m_atmosphere = addCodeRow(tr("Atmosphere"));
    connect(m_atmosphere, &WorldEditRow::optionChosen, this,
            [this](int i) { setAtmosphere(WorldEditOptions::atmosphere(m_world.uwp).values.value(i)); });
    m_pressure = new ParameterView(tr("Pressure"), {}, m_viewWidth, this);
    column->addWidget(m_pressure);
    m_gear = new ParameterView(tr("Gear Required"), {}, m_viewWidth, this);
    column->addWidget(m_gear);
    m_hydrographics = addCodeRow(tr("Hydrographics"));
    connect(m_hydrographics, &WorldEditRow::optionChosen, this, [this](int i) {
        setHydrographics(WorldEditOptions::hydrographics(m_world.uwp).values.value(i));
    });
    m_population = addCodeRow(tr("Population"));
    connect(m_population, &WorldEditRow::optionChosen, this,
            [this](int i) { setPopulation(WorldEditOptions::population(m_world.uwp).values.value(i)); });
    m_government = addCodeRow(tr("Government"));
    connect(m_government, &WorldEditRow::optionChosen, this,
            [this](int i) { setGovernment(WorldEditOptions::government(m_world.uwp).values.value(i)); });
    m_lawLevel = addCodeRow(tr("Law Level"));
    connect(m_lawLevel, &WorldEditRow::optionChosen, this,
            [this](int i) { setLawLevel(WorldEditOptions::lawLevel(m_world.uwp).values.value(i)); });
    m_techLevel = addCodeRow(tr("Tech Level"));
    connect(m_techLevel, &WorldEditRow::optionChosen, this, [this](int i) {
        const auto options = WorldEditOptions::techLevel(m_world.uwp);
        if (i >= 0 && i < options.values.size())
            setTechLevel(options.values.at(i));
    });
    m_tradeClasses = new ParameterView(tr("Trade Classes"), {}, m_viewWidth, this);
    column->addWidget(m_tradeClasses);

    column->addSpacing(2);
    column->addWidget(buildNotesEditor());
    column->addSpacing(2);
    column->addWidget(buildTagSection());
    column->addSpacing(5);
    column->addWidget(buildFactionSection());
}

QWidget *WorldEditPanel::buildNameRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setAlignment(Qt::AlignVCenter);
    m_name = new QLineEdit(row);
    m_name->setPlaceholderText(tr("World Name"));
    m_name->setFixedWidth(static_cast<int>(std::lround(std::max(0.0, m_viewWidth - m_menuWidth))));
    connect(m_name, &QLineEdit::textEdited, this, &WorldEditPanel::setName);
    auto *nameBox = new QVBoxLayout;
    nameBox->setContentsMargins(0, 0, 0, 4);
    nameBox->addWidget(m_name);
    layout->addLayout(nameBox);
    m_peoples = menuButton(QString(), static_cast<int>(std::lround(std::max(0.0, m_menuWidth + 10))), row);
    m_peoples->setObjectName(QStringLiteral("peoplesMenu"));
    layout->addWidget(m_peoples);
    layout->addStretch(1);
    return row;
}

QWidget *WorldEditPanel::buildNotesEditor()
{
    auto *frame = new Tile(this);
    frame->setContentsMargins(kNotesPadding, kNotesPadding, kNotesPadding, kNotesPadding);
    frame->setContentWidth(m_viewWidth);
    frame->setMinimumHeight(kNotesMinimumHeight);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    m_notes = new NotesEdit(kNotesIdealHeight - 2 * kNotesPadding, frame);
    m_notes->setPlaceholderText(tr("World Notes"));
    m_notes->setFrameShape(QFrame::NoFrame);
    // The editor shows the tile behind it instead of a background of its own.
    m_notes->viewport()->setAutoFillBackground(false);
    m_notes->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    m_notes->setMinimumHeight(kNotesMinimumHeight - 2 * kNotesPadding);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_notes->toPlainText();
        if (text != m_world.notes)
            setNotes(text);
    });
    layout->addWidget(m_notes);
    return frame;
}

QWidget *WorldEditPanel::buildTagSection()
{
    auto *section = new QWidget(this);
    section->setObjectName(QStringLiteral("worldTagsSection"));
    auto *layout = new QHBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *dice = symbolButton(Symbol::diceFill, section);
    dice->setObjectName(QStringLiteral("randomTagsButton"));
    dice->setToolTip(tr("Random World Tags"));
    connect(dice, &QToolButton::clicked, this, &WorldEditPanel::randomTags);
    layout->addWidget(dice);
    m_tagMenu = menuButton(QString(), kSectionMenuWidth, section);
    m_tagMenu->setObjectName(QStringLiteral("worldTagsMenu"));
    layout->addWidget(m_tagMenu);
    m_tagChips = new QHBoxLayout;
    layout->addLayout(m_tagChips);
    layout->addStretch(1);
    return section;
}

QWidget *WorldEditPanel::buildFactionSection()
{
    auto *section = new QWidget(this);
    section->setObjectName(QStringLiteral("factionsSection"));
    auto *layout = new QHBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *clear = symbolButton(Symbol::deleteBackward, section);
    clear->setObjectName(QStringLiteral("clearFactionsButton"));
    clear->setToolTip(tr("Clear Factions"));
    connect(clear, &QToolButton::clicked, this, &WorldEditPanel::clearFactions);
    layout->addWidget(clear);
    m_factionMenu = menuButton(tr("Factions"), kSectionMenuWidth, section);
    m_factionMenu->setObjectName(QStringLiteral("factionsMenu"));
    layout->addWidget(m_factionMenu);
    m_factionChips = new QHBoxLayout;
    layout->addLayout(m_factionChips);
    layout->addStretch(1);
    return section;
}

// ---- Refresh ----

void WorldEditPanel::refresh()
{
    // Only the parts whose fields changed are refilled: typing a name must not
    // rebuild a hundred tag entries on every key.
    const bool first = !m_shown.has_value();
    const WorldData &shown = first ? m_world : *m_shown;
    if (m_name->text() != m_world.name)
        m_name->setText(m_world.name);
    m_peoples->setText(literalText(tr("PR: ") + description(m_world.prevalentRace)));
    m_profile->setValues(m_world.uwp, m_belts, m_gasGiants, m_world);
    if (first || shown.uwp != m_world.uwp || shown.type != m_world.type ||
        shown.tideLocked != m_world.tideLocked || shown.dayLength != m_world.dayLength ||
        shown.yearLength != m_world.yearLength || shown.tradeClasses != m_world.tradeClasses)
        refreshCodeRows();
    if (m_notes->toPlainText() != m_world.notes) {
        // Loading the world's notes is not an edit.
        const QSignalBlocker blocker(m_notes);
        m_notes->setNotes(m_world.notes);
    }
    if (first || shown.worldTags != m_world.worldTags)
        refreshTagSection();
    if (first || shown.factionIDs != m_world.factionIDs)
        refreshFactionSection();
    m_shown = m_world;
}

void WorldEditPanel::refreshCodeRows()
{
    const UWP &uwp = m_world.uwp;
    m_starport->setValueText(starportDescription(uwp));
    m_starport->setOptions(rowOptions(WorldEditOptions::starport(uwp)));

    QList<WorldEditRow::Option> bases;
    for (const Base base : allCases<Base>())
        bases.append({rawValue(base) + QStringLiteral(": ") + name(base), uwp.bases.contains(base)});
    m_bases->setValueText(WorldEditOptions::basesText(uwp));
    m_bases->setOptions(bases);

    m_size->setValueText(sizeDescription(uwp.size));
    m_size->setOptions(rowOptions(WorldEditOptions::size(uwp)));
    m_density->setParameters({WorldEditOptions::densityValue(uwp)});
    m_gravity->setValueText(surfaceGravity(uwp) + QStringLiteral(" G"));
    m_gravity->setEditable(WorldEditOptions::gravityEditable(uwp));
    m_gravity->setOptions(rowOptions(WorldEditOptions::gravity(m_world)));
    m_dayYear->setParameters({WorldEditOptions::dayText(m_world), formatDuration(m_world.yearLength)});

    m_atmosphere->setValueText(atmosphereDescription(uwp.atmosphere));
    m_atmosphere->setOptions(rowOptions(WorldEditOptions::atmosphere(uwp)));
    m_pressure->setParameter(atmosphericPressure(uwp));
    m_gear->setParameter(requiredGear(uwp));
    m_hydrographics->setValueText(hydrographicsDescription(uwp.hydrographics));
    m_hydrographics->setOptions(rowOptions(WorldEditOptions::hydrographics(uwp)));
    m_population->setValueText(populationText(uwp));
    m_population->setOptions(rowOptions(WorldEditOptions::population(uwp)));
    m_government->setValueText(governmentLongDescription(uwp));
    m_government->setOptions(rowOptions(WorldEditOptions::government(uwp)));
    m_lawLevel->setValueText(lawLevelDescription(uwp.lawLevel));
    m_lawLevel->setOptions(rowOptions(WorldEditOptions::lawLevel(uwp)));
    m_techLevel->setValueText(name(uwp.techLevel));
    m_techLevel->setOptions(rowOptions(WorldEditOptions::techLevel(uwp)));
    m_tradeClasses->setParameter(WorldEditOptions::tradeClassNames(m_world));
}

void WorldEditPanel::refreshPeoplesMenu()
{
    const TechnologyLevelSystem system = m_universe && m_universe->usesTravellerRules()
                                             ? TechnologyLevelSystem::traveller
                                             : TechnologyLevelSystem::swn;
    QMenu *menu = freshMenu(m_peoples);
    for (const Race race : WorldEditOptions::peoples(system)) {
        QAction *action = menu->addAction(literalText(description(race)));
        connect(action, &QAction::triggered, this, [this, race] { setPrevalentRace(race); });
    }
}

void WorldEditPanel::refreshTagSection()
{
    const qsizetype count = m_world.worldTags.size();
    m_tagMenu->setText(
        literalText(count > 0 ? tr("World Tags (%1)").arg(QLocale().toString(count)) : tr("World Tags")));
    QMenu *menu = freshMenu(m_tagMenu);
    for (const WorldTagCategory category : kWorldTagPickerCases) {
        QMenu *submenu = menu->addMenu(literalText(title(category)));
        for (const WorldTag tag : tags(category)) {
            QAction *action = submenu->addAction(literalText(WorldEditOptions::tagTitle(tag)));
            if (m_world.worldTags.contains(tag))
                action->setIcon(symbolIcon(Symbol::checkmark));
            action->setIconVisibleInMenu(true);
            connect(action, &QAction::triggered, this, [this, tag] { toggleTag(tag); });
        }
    }
    clearLayout(m_tagChips);
    for (const WorldTag tag : m_world.worldTags)
        m_tagChips->addWidget(tagChip(WorldEditOptions::tagTitle(tag), m_tagMenu->parentWidget()));
}

void WorldEditPanel::refreshFactionSection()
{
    const QList<Faction> all = m_universe ? m_universe->factions() : QList<Faction>();
    QMenu *menu = freshMenu(m_factionMenu);
    for (const Faction &faction : WorldEditOptions::factionMenu(all)) {
        QAction *action = menu->addAction(
            literalText(faction.name + QStringLiteral(" (") + faction.shortName + QLatin1Char(')')));
        connect(action, &QAction::triggered, this, [this, faction] { addFaction(faction); });
    }
    clearLayout(m_factionChips);
    if (!m_universe)
        return;
    for (const Faction &faction : m_universe->factions(m_world))
        m_factionChips->addWidget(factionChip(faction, m_factionMenu->parentWidget()));
}
