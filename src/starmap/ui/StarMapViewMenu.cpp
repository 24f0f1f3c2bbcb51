#include "StarMapViewMenu.h"

#include "starmap/MapFilterTitles.h"
#include "starmap/StarMapVisibleSets.h"
#include "ui/Divider.h"
#include "ui/LiteralText.h"
#include "ui/PlainText.h"
#include "ui/SymbolButton.h"
#include "ui/TextStyle.h"
#include "universe/UniverseChanges.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *symbolButton(Symbol symbol, QWidget *parent)
{
    auto *button =
        new SymbolButton(symbol, parent->palette().color(QPalette::Disabled, QPalette::WindowText), parent);
    button->setAccessibleName(QString::fromUtf8(enumRow(symbol).raw));
    return button;
}

} // namespace

StarMapViewMenu::StarMapViewMenu(StarfarerUniverse *universe, const StarMapVisibleSets *sets, QWidget *parent)
    : QWidget(parent), m_universe(universe), m_sets(sets), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(8);

    auto *searchRow = new QHBoxLayout;
    searchRow->setSpacing(6);
    auto *glass = new QLabel(this);
    glass->setPixmap(symbolPixmap(Symbol::magnifyingglass, 14,
                                  palette().color(QPalette::Disabled, QPalette::WindowText),
                                  devicePixelRatioF()));
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(tr("Search systems"));
    m_search->setFrame(false);
    QToolButton *clear = symbolButton(Symbol::xmarkCircleFill, this);
    clear->setVisible(false);
    connect(m_search, &QLineEdit::textChanged, clear,
            [clear](const QString &text) { clear->setVisible(!text.isEmpty()); });
    connect(clear, &QToolButton::clicked, m_search, &QLineEdit::clear);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { emit searchSubmitted(m_search->text()); });
    searchRow->addWidget(glass);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(clear);
    m_layout->addLayout(searchRow);

    if (!m_universe)
        return;
    for (const auto signal :
         {&StarfarerUniverse::mapViewModeChanged, &StarfarerUniverse::mapShowRuttersChanged,
          &StarfarerUniverse::mapShowNebulaeChanged, &StarfarerUniverse::mapShowRegionsChanged,
          &StarfarerUniverse::mapShowLabelsChanged, &StarfarerUniverse::mapShowSurveyedDataChanged,
          &StarfarerUniverse::mapShowStarfarersChanged, &StarfarerUniverse::mapShowSatharChanged,
          &StarfarerUniverse::mapShowOtherChanged, &StarfarerUniverse::hiddenLabelCategoriesChanged,
          &StarfarerUniverse::selectedFactionIDsChanged,
          // The wording follows the first system's rules.
          &StarfarerUniverse::usesTravellerRulesChanged})
        connect(m_universe, signal, this, &StarMapViewMenu::rebuild);
    // The filters show the labels' categories and the chosen factions; a change of the
    // factions, faction lists or labels makes the column again only when it changes
    // what the column shows (an import's factions and labels mostly do not). Factions
    // and faction lists reach only the faction filter (whether it is there, and its
    // title), labels only the categories, so each change compares only what it can
    // reach.
    const auto factionsFollowed = [this](const auto &) { rebuildIfShownChanged(false); };
    const auto factionsAppended = [this](qsizetype, qsizetype) { rebuildIfShownChanged(false); };
    UniverseChanges::onObjects<Faction>(m_universe, this, factionsFollowed, factionsAppended);
    UniverseChanges::onObjects<FactionList>(m_universe, this, factionsFollowed, factionsAppended);
    UniverseChanges::onObjects<StarmapLabel>(
        m_universe, this, [this](const auto &) { rebuildIfShownChanged(true); },
        [this](qsizetype, qsizetype) { rebuildIfShownChanged(true); });
    rebuild();
}

void StarMapViewMenu::change(const std::function<void(StarfarerUniverse &)> &assign)
{
    assign(*m_universe);
    m_universe->save();
}

void StarMapViewMenu::rebuildIfShownChanged(bool labels)
{
    if (labels ? m_sets->labelCategories() != m_shownCategories
               : factionFilterShown() != m_shownFactionFilter)
        rebuild();
}

StarMapViewMenu::FactionFilterShown StarMapViewMenu::factionFilterShown() const
{
    // A selection of factions that were since deleted can still be reset.
    const bool present = !m_universe->factions().isEmpty() || !m_universe->selectedFactionIDs().isEmpty();
    return {present, factionMenuTitle()};
}

void StarMapViewMenu::rebuild()
{
    m_travellerRules = m_universe->usesTravellerRules();
    m_shownCategories = m_sets->labelCategories();
    m_shownFactionFilter = factionFilterShown();
    // A control of the old column may be the one whose signal led here: it goes later.
    if (m_body) {
        m_body->hide();
        m_body->deleteLater();
    }
    m_body = new QWidget(this);
    auto *column = new QVBoxLayout(m_body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    const StarfarerUniverse &u = *m_universe;

    addModePicker(column);
    addToggle(column, m_travellerRules ? tr("Routes") : tr("Rutters"), u.mapShowRutters(),
              &StarfarerUniverse::setMapShowRutters);
    addToggle(column, tr("Nebulae"), u.mapShowNebulae(), &StarfarerUniverse::setMapShowNebulae);
    addToggle(column, tr("Regions"), u.mapShowRegions(), &StarfarerUniverse::setMapShowRegions);
    addToggle(column, tr("Labels"), u.mapShowLabels(), &StarfarerUniverse::setMapShowLabels);
    // Hidden categories can always be shown again, even when fewer than two remain.
    if (u.mapShowLabels() && (m_sets->labelCategories().size() >= 2 || !u.hiddenLabelCategories().isEmpty()))
        column->addWidget(categoryMenu(m_body));
    addToggle(column, tr("Surveyed data"), u.mapShowSurveyedData(),
              &StarfarerUniverse::setMapShowSurveyedData);

    if (u.mapViewMode() == MapViewMode::referee) {
        column->addWidget(horizontalDivider(m_body));
        auto *awareness = new QLabel(tr("Awareness"), m_body);
        awareness->setFont(textFont(TextStyle::caption));
        awareness->setEnabled(false); // the secondary style
        column->addWidget(awareness);
        addToggle(column, m_travellerRules ? tr("Imperium") : tr("Starfarers"), u.mapShowStarfarers(),
                  &StarfarerUniverse::setMapShowStarfarers);
        addToggle(column, m_travellerRules ? tr("Zhodani") : tr("Sathar"), u.mapShowSathar(),
                  &StarfarerUniverse::setMapShowSathar);
        addToggle(column, tr("Other"), u.mapShowOther(), &StarfarerUniverse::setMapShowOther);
        if (m_shownFactionFilter.present) {
            column->addWidget(horizontalDivider(m_body));
            column->addWidget(factionRow(m_body));
        }
    }
    m_layout->addWidget(m_body);
}

void StarMapViewMenu::addModePicker(QVBoxLayout *column)
{
    auto *picker = new QWidget(m_body);
    picker->setObjectName(QStringLiteral("viewModePicker"));
    auto *row = new QHBoxLayout(picker);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *group = new QButtonGroup(picker);
    for (const MapViewMode mode : allCases<MapViewMode>()) {
        QString label = rawValue(mode);
        label[0] = label[0].toUpper();
        auto *button = new QPushButton(label, picker);
        button->setCheckable(true);
        button->setChecked(mode == m_universe->mapViewMode());
        group->addButton(button, static_cast<int>(mode));
        row->addWidget(button);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        const auto mode = static_cast<MapViewMode>(id);
        if (mode != m_universe->mapViewMode())
            change([mode](StarfarerUniverse &u) { u.setMapViewMode(mode); });
    });
    column->addWidget(picker);
}

void StarMapViewMenu::addToggle(QVBoxLayout *column, const QString &title, bool value,
                                void (StarfarerUniverse::*setter)(bool))
{
    auto *toggle = new QCheckBox(title, m_body);
    toggle->setChecked(value);
    connect(toggle, &QCheckBox::toggled, this,
            [this, setter](bool on) { change([setter, on](StarfarerUniverse &u) { (u.*setter)(on); }); });
    column->addWidget(toggle);
}

QToolButton *StarMapViewMenu::filterMenuButton(Symbol symbol, const QString &title, QWidget *parent)
{
    QToolButton *button = symbolButton(symbol, parent);
    button->setText(literalText(title));
    button->setToolTip(plainToolTip(title));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(new QMenu(button));
    return button;
}

QString StarMapViewMenu::categoryMenuTitle() const
{
    return MapFilterTitles::categoryMenuTitle(m_universe->hiddenLabelCategories(), m_sets->labelCategories());
}

QWidget *StarMapViewMenu::categoryMenu(QWidget *parent)
{
    QToolButton *button = filterMenuButton(Symbol::tagFill, categoryMenuTitle(), parent);
    button->setObjectName(QStringLiteral("categoryMenu"));
    QMenu *menu = button->menu();
    connect(menu->addAction(tr("All categories")), &QAction::triggered, this,
            [this] { change([](StarfarerUniverse &u) { u.setHiddenLabelCategories({}); }); });
    menu->addSection(tr("Categories"));
    const QSet<QString> hidden = m_universe->hiddenLabelCategories();
    for (const QString &category : m_sets->labelCategories()) {
        QAction *toggle = menu->addAction(literalText(MapFilterTitles::categoryText(category)));
        toggle->setCheckable(true);
        toggle->setChecked(!hidden.contains(category));
        connect(toggle, &QAction::toggled, this, [this, category](bool shown) {
            change([category, shown](StarfarerUniverse &u) {
                QSet<QString> hiddenNow = u.hiddenLabelCategories();
                if (shown)
                    hiddenNow.remove(category);
                else
                    hiddenNow.insert(category);
                u.setHiddenLabelCategories(hiddenNow);
            });
        });
    }
    return button;
}

QString StarMapViewMenu::factionMenuTitle() const
{
    return MapFilterTitles::factionMenuTitle(m_universe->selectedFactionIDs(), m_universe->factionLists(),
                                             m_sets->selectedFactions());
}

void StarMapViewMenu::clearFactionFilter()
{
    change([](StarfarerUniverse &u) { u.setSelectedFactionIDs({}); });
}

QWidget *StarMapViewMenu::factionRow(QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const QSet<QUuid> selected = m_universe->selectedFactionIDs();

    QToolButton *reset = symbolButton(Symbol::arrowCounterclockwiseCircle, row);
    reset->setObjectName(QStringLiteral("factionReset"));
    reset->setIconSize(QSize(17, 17));
    reset->setEnabled(!selected.isEmpty());
    connect(reset, &QToolButton::clicked, this, &StarMapViewMenu::clearFactionFilter);
    layout->addWidget(reset);

    QToolButton *button = filterMenuButton(Symbol::flagFill, factionMenuTitle(), row);
    button->setObjectName(QStringLiteral("factionMenu"));
    // The choices are listed when the menu opens: a universe may hold hundreds of
    // factions, and the column is made again on every change of one of them.
    QMenu *menu = button->menu();
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillFactionMenu(menu); });
    layout->addWidget(button, 1);
    return row;
}

void StarMapViewMenu::fillFactionMenu(QMenu *menu)
{
    menu->clear();
    connect(menu->addAction(tr("All factions")), &QAction::triggered, this,
            &StarMapViewMenu::clearFactionFilter);
    if (!m_universe->factionLists().isEmpty()) {
        menu->addSection(tr("Lists"));
        for (const FactionList &list : m_universe->factionLists()) {
            const QSet<QUuid> ids(list.factionIDs.cbegin(), list.factionIDs.cend());
            connect(menu->addAction(literalText(MapFilterTitles::listText(list))), &QAction::triggered, this,
                    [this, ids] { change([ids](StarfarerUniverse &u) { u.setSelectedFactionIDs(ids); }); });
        }
    }
    menu->addSection(tr("Factions"));
    const QSet<QUuid> selected = m_universe->selectedFactionIDs();
    for (const Faction &faction : MapFilterTitles::sortedByName(m_universe->factions())) {
        QAction *toggle = menu->addAction(literalText(MapFilterTitles::factionText(faction)));
        toggle->setCheckable(true);
        toggle->setChecked(selected.contains(faction.id));
        const QUuid id = faction.id;
        connect(toggle, &QAction::toggled, this, [this, id](bool on) {
            change([id, on](StarfarerUniverse &u) {
                QSet<QUuid> ids = u.selectedFactionIDs();
                if (on)
                    ids.insert(id);
                else
                    ids.remove(id);
                u.setSelectedFactionIDs(ids);
            });
        });
    }
}
