#include "StarMapViewMenu.h"

#include "starmap/MapFilterTitles.h"
#include "starmap/StarMapVisibleSets.h"
#include "ui/Divider.h"
#include "ui/LiteralText.h"
#include "ui/PlainText.h"
#include "ui/SecondaryText.h"
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
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSpacing = 8;

QVBoxLayout *columnOf(QWidget *widget)
{
    auto *column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kSpacing);
    return column;
}

// Shows `added`, made after the rest of the column, at once (not once the layout gets
// to it) and puts its controls right after `previous` in the order Tab goes through
// them, as they stand in the column.
void showAfter(QWidget *previous, QWidget *added)
{
    added->show();
    QList<QWidget *> controls = added->findChildren<QWidget *>();
    controls.prepend(added);
    for (QWidget *control : std::as_const(controls)) {
        if (control->focusPolicy() & Qt::TabFocus) {
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}

// Takes a control that is no longer shown, if any, out of the column at once and
// forgets it; it is deleted once the signal that led here, which may be its own, is
// done.
template <typename Control> void discard(Control *&control)
{
    if (!control)
        return;
    control->hide();
    control->setParent(nullptr);
    control->deleteLater();
    control = nullptr;
}

} // namespace

StarMapViewMenu::StarMapViewMenu(StarfarerUniverse *universe, const StarMapVisibleSets *sets, QWidget *parent)
    : QWidget(parent), m_universe(universe), m_sets(sets),
      m_symbolColor(secondaryTextColor(palette().color(QPalette::WindowText), backgroundBehind(*this)))
{
    QVBoxLayout *layout = columnOf(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->setSpacing(6);
    auto *glass = new QLabel(this);
    glass->setPixmap(symbolPixmap(Symbol::magnifyingglass, 14, m_symbolColor, devicePixelRatioF()));
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
    layout->addLayout(searchRow);

    if (!m_universe)
        return;
    m_body = new QWidget(this);
    m_column = columnOf(m_body);
    addModePicker(m_column);
    addToggle(m_column, m_body, &StarfarerUniverse::mapShowRutters, &StarfarerUniverse::setMapShowRutters,
              QT_TR_NOOP("Rutters"), QT_TR_NOOP("Routes"));
    addToggle(m_column, m_body, &StarfarerUniverse::mapShowNebulae, &StarfarerUniverse::setMapShowNebulae,
              QT_TR_NOOP("Nebulae"));
    addToggle(m_column, m_body, &StarfarerUniverse::mapShowRegions, &StarfarerUniverse::setMapShowRegions,
              QT_TR_NOOP("Regions"));
    m_labels = addToggle(m_column, m_body, &StarfarerUniverse::mapShowLabels,
                         &StarfarerUniverse::setMapShowLabels, QT_TR_NOOP("Labels"));
    addToggle(m_column, m_body, &StarfarerUniverse::mapShowSurveyedData,
              &StarfarerUniverse::setMapShowSurveyedData, QT_TR_NOOP("Surveyed data"));

    m_referee = new QWidget(m_body);
    m_refereeColumn = columnOf(m_referee);
    m_refereeColumn->addWidget(horizontalDivider(m_referee));
    auto *awareness = new QLabel(tr("Awareness"), m_referee);
    awareness->setFont(textFont(TextStyle::caption));
    makeSecondary(awareness);
    m_refereeColumn->addWidget(awareness);
    addToggle(m_refereeColumn, m_referee, &StarfarerUniverse::mapShowStarfarers,
              &StarfarerUniverse::setMapShowStarfarers, QT_TR_NOOP("Starfarers"), QT_TR_NOOP("Imperium"));
    addToggle(m_refereeColumn, m_referee, &StarfarerUniverse::mapShowSathar,
              &StarfarerUniverse::setMapShowSathar, QT_TR_NOOP("Sathar"), QT_TR_NOOP("Zhodani"));
    m_other = addToggle(m_refereeColumn, m_referee, &StarfarerUniverse::mapShowOther,
                        &StarfarerUniverse::setMapShowOther, QT_TR_NOOP("Other"));
    m_column->addWidget(m_referee);
    layout->addWidget(m_body);

    for (const auto signal :
         {&StarfarerUniverse::mapViewModeChanged, &StarfarerUniverse::mapShowRuttersChanged,
          &StarfarerUniverse::mapShowNebulaeChanged, &StarfarerUniverse::mapShowRegionsChanged,
          &StarfarerUniverse::mapShowLabelsChanged, &StarfarerUniverse::mapShowSurveyedDataChanged,
          &StarfarerUniverse::mapShowStarfarersChanged, &StarfarerUniverse::mapShowSatharChanged,
          &StarfarerUniverse::mapShowOtherChanged, &StarfarerUniverse::hiddenLabelCategoriesChanged,
          &StarfarerUniverse::selectedFactionIDsChanged,
          // The wording follows the first system's rules.
          &StarfarerUniverse::usesTravellerRulesChanged})
        connect(m_universe, signal, this, &StarMapViewMenu::refresh);
    // Factions and faction lists reach only the faction filter (whether it is there, and
    // its title), labels only the category filter, so each change refreshes only what
    // it can reach; an import brings hundreds of them.
    const auto factionsFollowed = [this](const auto &) { refreshFactionFilter(); };
    const auto factionsAppended = [this](qsizetype, qsizetype) { refreshFactionFilter(); };
    UniverseChanges::onObjects<Faction>(m_universe, this, factionsFollowed, factionsAppended);
    UniverseChanges::onObjects<FactionList>(m_universe, this, factionsFollowed, factionsAppended);
    UniverseChanges::onObjects<StarmapLabel>(
        m_universe, this, [this](const auto &) { refreshCategoryFilter(); },
        [this](qsizetype, qsizetype) { refreshCategoryFilter(); });
    refresh();
}

void StarMapViewMenu::change(const std::function<void(StarfarerUniverse &)> &assign)
{
    assign(*m_universe);
    m_universe->save();
}

QToolButton *StarMapViewMenu::symbolButton(Symbol symbol, QWidget *parent) const
{
    auto *button = new SymbolButton(symbol, m_symbolColor, parent);
    button->setAccessibleName(QString::fromUtf8(enumRow(symbol).raw));
    return button;
}

void StarMapViewMenu::refresh()
{
    const StarfarerUniverse &u = *m_universe;
    const bool traveller = u.usesTravellerRules();
    for (const Toggle &toggle : m_toggles) {
        toggle.box->setText(tr(traveller && toggle.travellerTitle ? toggle.travellerTitle : toggle.title));
        const QSignalBlocker blocker(toggle.box);
        toggle.box->setChecked((u.*toggle.value)());
    }
    const QSignalBlocker blocker(m_modes);
    m_modes->button(static_cast<int>(u.mapViewMode()))->setChecked(true);
    m_referee->setVisible(u.mapViewMode() == MapViewMode::referee);
    refreshCategoryFilter();
    refreshFactionFilter();
}

void StarMapViewMenu::addModePicker(QVBoxLayout *column)
{
    auto *picker = new QWidget(m_body);
    picker->setObjectName(QStringLiteral("viewModePicker"));
    auto *row = new QHBoxLayout(picker);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_modes = new QButtonGroup(picker);
    for (const MapViewMode mode : allCases<MapViewMode>()) {
        QString label = rawValue(mode);
        label[0] = label[0].toUpper();
        auto *button = new QPushButton(label, picker);
        button->setCheckable(true);
        m_modes->addButton(button, static_cast<int>(mode));
        row->addWidget(button);
    }
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int id) {
        const auto mode = static_cast<MapViewMode>(id);
        if (mode != m_universe->mapViewMode())
            change([mode](StarfarerUniverse &u) { u.setMapViewMode(mode); });
    });
    column->addWidget(picker);
}

QCheckBox *StarMapViewMenu::addToggle(QVBoxLayout *column, QWidget *parent,
                                      bool (StarfarerUniverse::*value)() const,
                                      void (StarfarerUniverse::*setter)(bool), const char *title,
                                      const char *travellerTitle)
{
    auto *toggle = new QCheckBox(parent);
    connect(toggle, &QCheckBox::toggled, this,
            [this, setter](bool on) { change([setter, on](StarfarerUniverse &u) { (u.*setter)(on); }); });
    column->addWidget(toggle);
    m_toggles.push_back({toggle, value, title, travellerTitle});
    return toggle;
}

QToolButton *StarMapViewMenu::filterMenuButton(Symbol symbol, QWidget *parent) const
{
    QToolButton *button = symbolButton(symbol, parent);
    // The title is drawn in the button's text colour over its face, which the style
    // shows when it is pressed: they take the column's text colour and its background.
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::WindowText));
    palette.setColor(QPalette::Button, backgroundBehind(*parent));
    button->setPalette(palette);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(new QMenu(button));
    return button;
}

QString StarMapViewMenu::categoryMenuTitle() const
{
    return MapFilterTitles::categoryMenuTitle(m_universe->hiddenLabelCategories(), m_sets->labelCategories());
}

void StarMapViewMenu::refreshCategoryFilter()
{
    const QStringList categories = m_sets->labelCategories();
    const QSet<QString> hidden = m_universe->hiddenLabelCategories();
    // Hidden categories can always be shown again, even when fewer than two remain.
    const bool shown = m_universe->mapShowLabels() && (categories.size() >= 2 || !hidden.isEmpty());
    if (!shown) {
        discard(m_categoryMenu);
        return;
    }
    if (!m_categoryMenu) {
        m_categoryMenu = makeCategoryMenu();
        m_column->insertWidget(m_column->indexOf(m_labels) + 1, m_categoryMenu);
        showAfter(m_labels, m_categoryMenu);
        fillCategoryMenu(categories);
    } else if (categories != m_listedCategories) {
        fillCategoryMenu(categories);
    }
    const QString title = MapFilterTitles::categoryMenuTitle(hidden, categories);
    m_categoryMenu->setText(literalText(title));
    m_categoryMenu->setToolTip(plainToolTip(title));
    const QList<QAction *> entries = m_categoryMenu->menu()->actions();
    for (qsizetype i = 0; i < categories.size(); ++i) {
        QAction *toggle = entries.at(entries.size() - categories.size() + i);
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(!hidden.contains(categories.at(i)));
    }
}

QToolButton *StarMapViewMenu::makeCategoryMenu()
{
    QToolButton *button = filterMenuButton(Symbol::tagFill, m_body);
    button->setObjectName(QStringLiteral("categoryMenu"));
    return button;
}

void StarMapViewMenu::fillCategoryMenu(const QStringList &categories)
{
    m_listedCategories = categories;
    QMenu *menu = m_categoryMenu->menu();
    menu->clear();
    connect(menu->addAction(tr("All categories")), &QAction::triggered, this,
            [this] { change([](StarfarerUniverse &u) { u.setHiddenLabelCategories({}); }); });
    menu->addSection(tr("Categories"));
    for (const QString &category : categories) {
        QAction *toggle = menu->addAction(literalText(MapFilterTitles::categoryText(category)));
        toggle->setCheckable(true);
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

void StarMapViewMenu::refreshFactionFilter()
{
    const QSet<QUuid> selected = m_universe->selectedFactionIDs();
    // A selection of factions that were since deleted can still be reset.
    const bool shown = m_universe->mapViewMode() == MapViewMode::referee &&
                       (!m_universe->factions().isEmpty() || !selected.isEmpty());
    if (!shown) {
        discard(m_factionFilter);
        return;
    }
    if (!m_factionFilter) {
        m_factionFilter = makeFactionFilter();
        m_refereeColumn->addWidget(m_factionFilter);
        showAfter(m_other, m_factionFilter);
    }
    const QString title = factionMenuTitle();
    m_factionMenu->setText(literalText(title));
    m_factionMenu->setToolTip(plainToolTip(title));
    m_factionReset->setEnabled(!selected.isEmpty());
}

QWidget *StarMapViewMenu::makeFactionFilter()
{
    auto *filter = new QWidget(m_referee);
    QVBoxLayout *column = columnOf(filter);
    column->addWidget(horizontalDivider(filter));
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);

    m_factionReset = symbolButton(Symbol::arrowCounterclockwiseCircle, filter);
    m_factionReset->setObjectName(QStringLiteral("factionReset"));
    m_factionReset->setIconSize(QSize(17, 17));
    connect(m_factionReset, &QToolButton::clicked, this, &StarMapViewMenu::clearFactionFilter);
    row->addWidget(m_factionReset);

    m_factionMenu = filterMenuButton(Symbol::flagFill, filter);
    m_factionMenu->setObjectName(QStringLiteral("factionMenu"));
    // The choices are listed when the menu opens: a universe may hold hundreds of
    // factions, and they change one by one as an import brings them.
    QMenu *menu = m_factionMenu->menu();
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillFactionMenu(menu); });
    row->addWidget(m_factionMenu, 1);
    column->addLayout(row);
    return filter;
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
