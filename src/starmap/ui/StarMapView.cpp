#include "StarMapView.h"

#include "StarMapCanvas.h"
#include "StarMapViewMenu.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/MapSearch.h"
#include "starmap/StarMapVisibleSets.h"
#include "ui/ContentUnavailableView.h"
#include "ui/RoundedPanel.h"
#include "ui/SystemSound.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseChanges.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The corner controls stand 8 points off the map's edges.
QWidget *padded(QWidget *control)
{
    auto *holder = new QWidget(control->parentWidget());
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(control);
    return holder;
}

} // namespace

StarMapView::StarMapView(StarfarerUniverse *universe, WindowRouter *router, double hexRadius, int gridPadding,
                         QWidget *parent)
    : QWidget(parent), m_universe(universe), m_sets(new StarMapVisibleSets(universe, hexRadius, this)),
      m_router(router)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *toolbar = new QToolBar(this);
    QAction *reference = toolbar->addAction(tr("UWP Reference"));
    connect(reference, &QAction::triggered, this, [router] {
        if (router)
            router->openWindow(WindowId::uwpReference);
    });
    column->addWidget(toolbar);

    auto *stage = new QWidget(this);
    stage->setAutoFillBackground(true);
    QPalette palette = stage->palette();
    palette.setColor(QPalette::Window, MapColors::background());
    palette.setColor(QPalette::WindowText, MapColors::white(0.85));
    stage->setPalette(palette);
    m_stage = new QGridLayout(stage);
    m_stage->setContentsMargins(0, 0, 0, 0);
    column->addWidget(stage, 1);

    m_canvas = new StarMapCanvas(*m_sets, gridPadding, stage);
    m_stage->addWidget(m_canvas, 0, 0);

    // Later controls fill the panel's column; it keeps its width, padding and colour.
    // Its controls take the map's light text from the stage.
    m_panel = new RoundedPanel(NamedColor::cobalt, 10, stage);
    m_panel->setObjectName(QStringLiteral("starMapControls"));
    m_panel->setFixedWidth(165);
    auto *controls = new QVBoxLayout(m_panel);
    controls->setContentsMargins(10, 10, 10, 10);
    controls->setSpacing(8);
    m_menu = new StarMapViewMenu(universe, m_sets, m_panel);
    controls->addWidget(m_menu);
    connect(m_menu, &StarMapViewMenu::searchSubmitted, this, &StarMapView::search);
    m_stage->addWidget(padded(m_panel), 0, 0, Qt::AlignTop | Qt::AlignLeft);

    m_fit = new QPushButton(QIcon::fromTheme(QStringLiteral("zoom-fit-best")), tr("Fit"), stage);
    m_stage->addWidget(padded(m_fit), 0, 0, Qt::AlignTop | Qt::AlignRight);

    MapInteractionController &controller = m_canvas->controller();
    const auto reset = [this, &controller] { animated([&controller] { controller.resetTransform(); }); };
    connect(m_fit, &QPushButton::clicked, this, reset);
    controller.onDoubleClick = reset;
    controller.onClick = [this](const QPointF &point) { handleTap(point); };
    connect(m_canvas, &StarMapCanvas::transformChanged, this,
            [this, &controller] { m_fit->setEnabled(!controller.isFitted()); });
    m_fit->setEnabled(false);

    connect(m_sets, &StarMapVisibleSets::reset, this, &StarMapView::showContent);
    connect(m_sets, &StarMapVisibleSets::cellsChanged, this, &StarMapView::showContent);
    if (universe) {
        // The card shows the main world's factions and differs between the views.
        UniverseChanges::onObjects<Faction>(universe, this, [this](const ObjectChange<Faction> &change) {
            const std::optional<WorldData> mainWorld =
                m_card ? m_card->hex().starSystem.mainWorld() : std::optional<WorldData>();
            const auto named = [&](const Faction *faction) {
                return faction && mainWorld && mainWorld->factionIDs.contains(faction->id);
            };
            if (m_card && (change.isWholeList() || named(change.before) || named(change.after)))
                refreshCard(true);
        });
        connect(universe, &StarfarerUniverse::mapViewModeChanged, this, [this] { refreshCard(true); });
    }
    showContent();
}

void StarMapView::setSystemSummaryFactory(SystemOverlayCard::SummaryFactory factory)
{
    m_summary = std::move(factory);
    refreshCard(true);
}

void StarMapView::animated(const std::function<void()> &change)
{
    const MapTransform before = m_canvas->controller().transform();
    change();
    m_canvas->glideFrom(before);
}

void StarMapView::handleTap(const QPointF &point)
{
    const QPointF mapPoint = m_canvas->controller().transform().toMap(point);
    const GalacticCoordinates tapped = HexLayout(m_sets->hexRadius()).coordinate(mapPoint);
    if (!m_sets->systems().at(tapped)) {
        select(std::nullopt);
        return;
    }
    if (m_selected != tapped)
        SystemSound::play();
    select(tapped);
}

void StarMapView::search(const QString &query)
{
    if (m_sets->systems().isEmpty())
        return;
    const MapSystem *found = MapSearch::match(m_sets->systems().all(), query);
    if (!found)
        return;
    MapInteractionController &controller = m_canvas->controller();
    const MapTransform target =
        MapSearch::centredOn(found->centre, controller.transform().scale, QSizeF(m_canvas->size()));
    animated([&controller, &target] { controller.setTransform(target); });
    select(found->hex.coordinates);
}

void StarMapView::returnToStart()
{
    m_menu->searchField()->setText(QString());
    select(std::nullopt);
    m_canvas->controller().resetTransform();
}

void StarMapView::select(const std::optional<GalacticCoordinates> &coordinates)
{
    if (m_selected == coordinates)
        return;
    m_selected = coordinates;
    refreshCard(true);
}

void StarMapView::refreshCard(bool force)
{
    const MapSystem *system = m_selected && m_universe ? m_sets->systems().at(*m_selected) : nullptr;
    if (!force && m_card && system && m_card->hex() == system->hex)
        return;
    // The card may be the sender (its close button): the old one goes later.
    if (m_card) {
        QWidget *holder = m_card->parentWidget();
        holder->hide();
        holder->deleteLater();
        m_card = nullptr;
    }
    if (!system)
        return;
    m_card = new SystemOverlayCard(
        m_universe, system->hex, m_universe->mapViewMode(), [this] { select(std::nullopt); }, m_router, 360,
        m_summary, m_canvas->parentWidget());
    m_stage->addWidget(padded(m_card), 0, 0, Qt::AlignBottom | Qt::AlignRight);
}

void StarMapView::showContent()
{
    refreshCard();
    const bool empty = m_sets->systems().isEmpty();
    m_canvas->setVisible(!empty);
    m_fit->setVisible(!empty);
    // While its systems are still being filed, the map shows its empty stage and no
    // empty state: the state would be wrong for an instant.
    if (!empty || !m_universe || m_sets->filling()) {
        delete m_empty;
        m_empty = nullptr;
        return;
    }
    const QString title = emptyStateTitle(*m_universe);
    const QString description = emptyStateDescription(*m_universe);
    if (m_empty && m_empty->title() == title && m_empty->description() == description)
        return;
    delete m_empty;
    m_empty = new ContentUnavailableView(title, Symbol::hexagon, description, m_canvas->parentWidget());
    m_stage->addWidget(m_empty, 0, 0);
    m_panel->parentWidget()->raise();
}

QString StarMapView::emptyStateTitle(const StarfarerUniverse &universe)
{
    if (universe.data().isEmpty())
        return tr("No Systems Saved");
    if (universe.mapViewMode() == MapViewMode::player)
        return tr("No Systems in Player View");
    return tr("No Systems Match the Filters");
}

QString StarMapView::emptyStateDescription(const StarfarerUniverse &universe)
{
    if (universe.data().isEmpty())
        return tr("Generate a system and tap Save to see it on the map.");
    if (universe.mapViewMode() == MapViewMode::player)
        return tr("No systems have %1 awareness. Switch to Referee view to see all systems.")
            .arg(universe.usesTravellerRules() ? tr("Imperium") : tr("Starfarers"));
    return tr("The current filters hide every system. Turn on an awareness group or reset the faction "
              "filter to see them.");
}
