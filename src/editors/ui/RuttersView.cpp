#include "RuttersView.h"

#include "RutterEditingView.h"
#include "RutterListSource.h"
#include "editors/MapObjectStore.h"
#include "ui/LiteralText.h"

#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

RuttersView::RuttersView(StarfarerUniverse &universe, QWidget *parent)
    : RuttersView(universe, new QToolButton, new QLineEdit, parent)
{}

RuttersView::RuttersView(StarfarerUniverse &universe, QToolButton *filterButton, QLineEdit *search,
                         QWidget *parent)
    : MapObjectListView(new RutterListSource(universe),
                        {tr("No Rutter Selected"), Symbol::pointTopleftDownToPointBottomrightCurvepath,
                         tr("Choose a rutter or create a new one.")},
                        [&universe](const std::optional<QUuid> &id) {
                            return new RutterEditingView(universe,
                                                         id ? universe.object<Rutter>(*id) : std::nullopt);
                        },
                        parent, {filterButton, search}),
      m_filterButton(filterButton), m_search(search)
{
    setObjectName(QStringLiteral("ruttersView"));
    m_source = findChild<RutterListSource *>();

    m_filterButton->setObjectName(QStringLiteral("factionFilter"));
    m_filterButton->setIcon(QIcon::fromTheme(QStringLiteral("view-filter"), symbolIcon(Symbol::chevronDown)));
    m_filterButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_filterMenu = new QMenu(m_filterButton);
    m_filterButton->setMenu(m_filterMenu);
    connect(m_filterMenu, &QMenu::aboutToShow, this, &RuttersView::fillFilterMenu);

    m_search->setObjectName(QStringLiteral("rutterSearch"));
    m_search->setPlaceholderText(tr("Search start or end"));
    m_search->addAction(symbolIcon(Symbol::magnifyingglass), QLineEdit::LeadingPosition);
    // The clear button shows only while the field holds text.
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textChanged, m_source, &RutterListSource::setSearchText);

    const auto refreshTitle = [this] {
        m_filterButton->setText(literalText(m_source->factionFilterTitle()));
    };
    connect(m_source, &MapObjectListSource::changed, m_filterButton, refreshTitle);
    refreshTitle();
}

void RuttersView::returnToStart()
{
    m_search->clear();
    m_source->setFactionFilterID(std::nullopt);
    MapObjectListView::returnToStart();
}

void RuttersView::fillFilterMenu()
{
    m_filterMenu->clear();
    auto *group = new QActionGroup(m_filterMenu);
    const std::optional<QUuid> filter = m_source->factionFilterID();
    QAction *all = m_filterMenu->addAction(tr("All Factions"));
    all->setCheckable(true);
    all->setChecked(!filter);
    group->addAction(all);
    connect(all, &QAction::triggered, m_source, [this] { m_source->setFactionFilterID(std::nullopt); });
    for (const Faction &faction : m_source->factionFilterFactions()) {
        QAction *entry = m_filterMenu->addAction(literalText(RutterListSource::factionName(faction)));
        entry->setCheckable(true);
        entry->setChecked(filter == faction.id);
        group->addAction(entry);
        connect(entry, &QAction::triggered, m_source,
                [this, id = faction.id] { m_source->setFactionFilterID(id); });
    }
}
