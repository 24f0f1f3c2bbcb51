#include "WorldEditPanel.h"

#include "ParameterView.h"
#include "ParametersView.h"
#include "UWPView.h"
#include "WorldEditRow.h"
#include "model/UWPDescriptions.h"
#include "model/WorldDescriptions.h"
#include "model/WorldTagCategory.h"
#include "screens/WorldEditOptions.h"
#include "ui/Chip.h"
#include "ui/ClearLayout.h"
#include "ui/LiteralText.h"
#include "ui/MenuMark.h"
#include "ui/NamedColor.h"
#include "ui/NotesField.h"
#include "ui/Symbol.h"
#include "ui/Tile.h"
#include "universe/UniverseChanges.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <type_traits>

namespace {

constexpr int kSectionMenuWidth = 120;
constexpr int kNotesPadding = 8;
constexpr int kNotesMinimumHeight = 120;
constexpr int kNotesIdealHeight = 300;

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

// One row of the column under the profile line: an editing row (the value beside its
// title, the entries of its menu and what choosing the entry at a position does to the
// draft) or a read-only tile of one or more titled values.
struct ColumnRow
{
    enum class Kind { pick, toggles, tile, tiles };
    Kind kind;
    QStringList titles;
    std::function<QList<ParameterValue>(const WorldData &)> values; // one per title
    std::function<QList<WorldEditRow::Option>(const WorldData &)> options = {};
    std::function<bool(WorldDraft &, int)> apply = {};
};

using ValueText = QString (*)(const WorldData &);

// An editing row whose entries stand for the values `options` offers; choosing one
// runs `apply` with its value, which may refuse it.
template <typename T>
ColumnRow editingRow(ColumnRow::Kind kind, const QString &title, ValueText value,
                     EditOptions<T> (*options)(const WorldData &), std::function<bool(WorldDraft &, T)> apply)
{
    return {kind,
            {title},
            [value](const WorldData &w) { return QList<ParameterValue>{value(w)}; },
            [options](const WorldData &w) {
                QList<WorldEditRow::Option> entries;
                for (const EditOption<T> &option : options(w))
                    entries.append({option.text, option.held});
                return entries;
            },
            [options, apply](WorldDraft &draft, int i) {
                const EditOptions<T> entries = options(draft.world);
                return i >= 0 && i < entries.size() && apply(draft, entries.at(i).value);
            }};
}

// The row of one profile code: a pick sets it through the draft's profile rule.
template <typename T>
ColumnRow codeRow(const QString &title, T UWP::*code, ValueText value,
                  EditOptions<T> (*options)(const WorldData &))
{
    return editingRow<T>(ColumnRow::Kind::pick, title, value, options, [code](WorldDraft &draft, T picked) {
        draft.setCode(code, picked);
        return true;
    });
}

} // namespace

WorldEditPanel::WorldEditPanel(StarfarerUniverse *universe, const WorldData &world, qint64 belts,
                               qint64 gasGiants, double viewWidth, double menuWidth, QWidget *parent)
    : QWidget(parent), m_universe(universe), m_draft(world), m_belts(belts), m_gasGiants(gasGiants),
      m_viewWidth(viewWidth), m_menuWidth(menuWidth)
{
    buildLayout();
    if (m_universe) {
        UniverseChanges::onObjects<Faction>(
            m_universe, this, [this](const ObjectChange<Faction> &) { refreshFactionSection(); });
        // The rule flavour follows the first system's main world.
        connect(m_universe, &StarfarerUniverse::usesTravellerRulesChanged, this,
                &WorldEditPanel::refreshPeoplesMenu);
    }
    refreshPeoplesMenu();
    refresh();
}

void WorldEditPanel::setWorld(const WorldData &world)
{
    if (world == m_draft.world)
        return;
    m_draft.world = world;
    refresh();
}

void WorldEditPanel::setSystemCounts(qint64 belts, qint64 gasGiants)
{
    m_belts = belts;
    m_gasGiants = gasGiants;
    refresh();
}

// ---- Edits ----

template <typename Change> void WorldEditPanel::edit(Change change)
{
    if constexpr (std::is_void_v<decltype(change(m_draft))>)
        change(m_draft);
    else if (!change(m_draft))
        return;
    refresh();
    emit worldEdited(m_draft.world);
}

void WorldEditPanel::setName(const QString &name)
{
    edit([&name](WorldDraft &draft) { draft.world.name = name; });
}

void WorldEditPanel::addFaction(const Faction &faction)
{
    edit([&faction](WorldDraft &draft) { return draft.addFaction(faction.id); });
}

// ---- Layout ----

void WorldEditPanel::buildLayout()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    column->addWidget(buildNameRow());
    m_profile = new UWPView(world().uwp, m_belts, m_gasGiants, world(), false, m_viewWidth, this);
    column->addWidget(m_profile);
    addColumnRows();
    column->addSpacing(2);
    column->addWidget(buildNotesEditor());
    column->addSpacing(2);
    column->addWidget(buildSection(QStringLiteral("worldTags"), Symbol::diceFill,
                                   QStringLiteral("randomTagsButton"), tr("Random World Tags"),
                                   &WorldDraft::randomTags, QString(), m_tagMenu, m_tagChips));
    column->addSpacing(5);
    column->addWidget(buildSection(
        QStringLiteral("factions"), Symbol::deleteBackward, QStringLiteral("clearFactionsButton"),
        tr("Clear Factions"), &WorldDraft::clearFactions, tr("Factions"), m_factionMenu, m_factionChips));
}

void WorldEditPanel::addColumnRows()
{
    using Kind = ColumnRow::Kind;
    const ColumnRow rows[] = {
        codeRow(
            tr("Starport"), &UWP::starport, [](const WorldData &w) { return starportDescription(w.uwp); },
            WorldEditOptions::starport),
        editingRow<Base>(
            Kind::toggles, tr("Bases"), [](const WorldData &w) { return WorldEditOptions::basesText(w.uwp); },
            WorldEditOptions::bases,
            [](WorldDraft &draft, Base base) {
                draft.toggleBase(base);
                return true;
            }),
        codeRow(
            tr("Size"), &UWP::size, [](const WorldData &w) { return sizeDescription(w.uwp.size); },
            WorldEditOptions::size),
        ColumnRow{Kind::tiles,
                  {tr("Density")},
                  [](const WorldData &w) { return QList<ParameterValue>{ParameterValue::density(w.uwp)}; }},
        editingRow<double>(
            Kind::pick, tr("Gravity"),
            [](const WorldData &w) { return surfaceGravity(w.uwp) + QStringLiteral(" G"); },
            WorldEditOptions::gravity, [](WorldDraft &draft, double g) { return draft.setGravity(g); }),
        ColumnRow{
            Kind::tiles,
            {tr("Day length"), tr("Year length")},
            [](const WorldData &w) {
                return QList<ParameterValue>{WorldEditOptions::dayText(w), formatDuration(w.yearLength)};
            }},
        codeRow(
            tr("Atmosphere"), &UWP::atmosphere,
            [](const WorldData &w) { return atmosphereDescription(w.uwp.atmosphere); },
            WorldEditOptions::atmosphere),
        ColumnRow{Kind::tile,
                  {tr("Pressure")},
                  [](const WorldData &w) { return QList<ParameterValue>{atmosphericPressure(w.uwp)}; }},
        ColumnRow{Kind::tile,
                  {tr("Gear Required")},
                  [](const WorldData &w) { return QList<ParameterValue>{requiredGear(w.uwp)}; }},
        codeRow(
            tr("Hydrographics"), &UWP::hydrographics,
            [](const WorldData &w) { return hydrographicsDescription(w.uwp.hydrographics); },
            WorldEditOptions::hydrographics),
        codeRow(
            tr("Population"), &UWP::population, [](const WorldData &w) { return populationText(w.uwp); },
            WorldEditOptions::population),
        codeRow(
            tr("Government"), &UWP::government,
            [](const WorldData &w) { return governmentLongDescription(w.uwp); },
            WorldEditOptions::government),
        codeRow(
            tr("Law Level"), &UWP::lawLevel,
            [](const WorldData &w) { return lawLevelDescription(w.uwp.lawLevel); },
            WorldEditOptions::lawLevel),
        codeRow(
            tr("Tech Level"), &UWP::techLevel, [](const WorldData &w) { return name(w.uwp.techLevel); },
            WorldEditOptions::techLevel),
        ColumnRow{
            Kind::tile,
            {tr("Trade Classes")},
            [](const WorldData &w) { return QList<ParameterValue>{WorldEditOptions::tradeClassNames(w)}; }},
    };
    for (const ColumnRow &row : rows) {
        const auto values = row.values;
        if (row.kind == Kind::tile) {
            auto *tile = new ParameterView(row.titles.first(), {}, m_viewWidth, this);
            layout()->addWidget(tile);
            m_columnRows.append(
                [tile, values](const WorldData &w) { tile->setParameter(values(w).value(0).text); });
        } else if (row.kind == Kind::tiles) {
            auto *tiles = new ParametersView(row.titles, {}, m_viewWidth, this);
            layout()->addWidget(tiles);
            m_columnRows.append([tiles, values](const WorldData &w) { tiles->setParameters(values(w)); });
        } else {
            const auto menu =
                row.kind == Kind::pick ? WorldEditRow::MenuKind::pick : WorldEditRow::MenuKind::toggles;
            auto *editing = new WorldEditRow(row.titles.first(), menu, m_viewWidth, this);
            layout()->addWidget(editing);
            connect(editing, &WorldEditRow::optionChosen, this, [this, apply = row.apply](int i) {
                edit([&](WorldDraft &draft) { return apply(draft, i); });
            });
            m_columnRows.append([editing, values, options = row.options](const WorldData &w) {
                const QList<WorldEditRow::Option> entries = options(w);
                editing->setValueText(values(w).value(0).text);
                // A row without entries (the gravity outside sizes 1 to 16) has no menu.
                editing->setEditable(!entries.isEmpty());
                editing->setOptions(entries);
            });
        }
    }
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
    m_notes = new NotesField(kNotesIdealHeight - 2 * kNotesPadding, frame);
    m_notes->setPlaceholderText(tr("World Notes"));
    m_notes->setFrameShape(QFrame::NoFrame);
    // The editor shows the tile behind it instead of a background of its own.
    m_notes->viewport()->setAutoFillBackground(false);
    m_notes->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    m_notes->setMinimumHeight(kNotesMinimumHeight - 2 * kNotesPadding);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        const QString &text = m_notes->notes();
        if (text != world().notes)
            edit([&text](WorldDraft &draft) { draft.world.notes = text; });
    });
    layout->addWidget(m_notes);
    return frame;
}

// A section of the tags or the factions: a symbol button that runs `press` on the
// draft, the section's menu (filled when the section is refreshed) and the chips of
// what the world holds. Its parts are named after `name`.
QWidget *WorldEditPanel::buildSection(const QString &name, Symbol symbol, const QString &buttonName,
                                      const QString &tip, void (WorldDraft::*press)(),
                                      const QString &menuText, QToolButton *&menu, QHBoxLayout *&chips)
{
    auto *section = new QWidget(this);
    section->setObjectName(name + QStringLiteral("Section"));
    auto *layout = new QHBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *button = symbolButton(symbol, section);
    button->setObjectName(buttonName);
    button->setToolTip(tip);
    connect(button, &QToolButton::clicked, this,
            [this, press] { edit([press](WorldDraft &draft) { (draft.*press)(); }); });
    layout->addWidget(button);
    menu = menuButton(menuText, kSectionMenuWidth, section);
    menu->setObjectName(name + QStringLiteral("Menu"));
    layout->addWidget(menu);
    chips = new QHBoxLayout;
    layout->addLayout(chips);
    layout->addStretch(1);
    return section;
}

// ---- Refresh ----

void WorldEditPanel::refresh()
{
    // Only the parts whose fields changed are refilled: typing a name must not
    // rebuild a hundred tag entries on every key.
    const WorldData &w = world();
    const bool first = !m_shown.has_value();
    const WorldData &shown = first ? w : *m_shown;
    if (m_name->text() != w.name)
        m_name->setText(w.name);
    m_peoples->setText(literalText(tr("PR: ") + description(w.prevalentRace)));
    m_profile->setValues(w.uwp, m_belts, m_gasGiants, w);
    if (first || shown.uwp != w.uwp || shown.type != w.type || shown.tideLocked != w.tideLocked ||
        shown.dayLength != w.dayLength || shown.yearLength != w.yearLength ||
        shown.tradeClasses != w.tradeClasses) {
        for (const auto &showRow : std::as_const(m_columnRows))
            showRow(w);
    }
    if (m_notes->notes() != w.notes) {
        // Loading the world's notes is not an edit.
        const QSignalBlocker blocker(m_notes);
        m_notes->setNotes(w.notes);
    }
    if (first || shown.worldTags != w.worldTags)
        refreshTagSection();
    if (first || shown.factionIDs != w.factionIDs)
        refreshFactionSection();
    m_shown = w;
}

void WorldEditPanel::refreshPeoplesMenu()
{
    const TechnologyLevelSystem system = m_universe && m_universe->usesTravellerRules()
                                             ? TechnologyLevelSystem::traveller
                                             : TechnologyLevelSystem::swn;
    QMenu *menu = freshMenu(m_peoples);
    for (const Race race : WorldEditOptions::peoples(system)) {
        QAction *action = menu->addAction(literalText(description(race)));
        connect(action, &QAction::triggered, this,
                [this, race] { edit([race](WorldDraft &draft) { draft.world.prevalentRace = race; }); });
    }
}

void WorldEditPanel::refreshTagSection()
{
    const QList<WorldTag> &held = world().worldTags;
    const qsizetype count = held.size();
    m_tagMenu->setText(
        literalText(count > 0 ? tr("World Tags (%1)").arg(QLocale().toString(count)) : tr("World Tags")));
    QMenu *menu = freshMenu(m_tagMenu);
    for (const WorldTagCategory category : kWorldTagPickerCases) {
        QMenu *submenu = menu->addMenu(literalText(title(category)));
        for (const WorldTag tag : tags(category)) {
            QAction *action = submenu->addAction(literalText(tagTitle(tag)));
            setMenuMark(action, held.contains(tag));
            connect(action, &QAction::triggered, this,
                    [this, tag] { edit([tag](WorldDraft &draft) { draft.toggleTag(tag); }); });
        }
    }
    clearLayout(m_tagChips);
    for (const WorldTag tag : held)
        m_tagChips->addWidget(tagChip(tagTitle(tag), m_tagMenu->parentWidget()));
}

void WorldEditPanel::refreshFactionSection()
{
    const QList<Faction> all = m_universe ? m_universe->factions() : QList<Faction>();
    QMenu *menu = freshMenu(m_factionMenu);
    for (const Faction &faction : inMenuOrder(all)) {
        QAction *action = menu->addAction(
            literalText(faction.name + QStringLiteral(" (") + faction.shortName + QLatin1Char(')')));
        connect(action, &QAction::triggered, this, [this, faction] { addFaction(faction); });
    }
    clearLayout(m_factionChips);
    if (!m_universe)
        return;
    for (const Faction &faction : m_universe->factions(world()))
        m_factionChips->addWidget(factionChip(faction, m_factionMenu->parentWidget()));
}
