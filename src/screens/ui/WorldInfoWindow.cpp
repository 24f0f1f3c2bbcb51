#include "WorldInfoWindow.h"

#include "WorldInfoPanel.h"
#include "screens/UniverseFollower.h"
#include "ui/ContentUnavailableView.h"
#include "ui/PlainText.h"
#include "universe/StarfarerUniverse.h"

#include "ui/ScrollingPage.h"
#include <QStackedLayout>
#include <QVBoxLayout>

WorldInfoWindow::WorldInfoWindow(UniverseManager *manager, std::optional<GalacticCoordinates> coordinates,
                                 QWidget *parent)
    : QWidget(parent), m_follower(new UniverseFollower(manager, this)), m_coordinates(coordinates),
      m_stack(new QStackedLayout(this)),
      m_empty(new ContentUnavailableView(tr("No World"), Symbol::questionmarkCircle, QString(), this)),
      m_scroll(new ScrollingPage(this))
{
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_scroll);

    connect(m_follower, &UniverseFollower::universeChanged, this, &WorldInfoWindow::refresh);
    connect(m_follower, &UniverseFollower::hexChanged, this, [this](const GalacticCoordinates &changed) {
        if (changed == m_coordinates)
            refresh();
    });
    refresh();
}

WorldInfoPanel *WorldInfoWindow::panel() const
{
    return m_stack->currentWidget() == m_scroll ? m_panel : nullptr;
}

void WorldInfoWindow::refresh()
{
    const StarfarerUniverse *universe = m_follower->universe();
    const std::optional<HexData> hex =
        universe && m_coordinates ? universe->hexData(*m_coordinates) : std::optional<HexData>();
    const std::optional<WorldData> world = hex ? hex->starSystem.mainWorld() : std::nullopt;
    if (!world) {
        m_stack->setCurrentWidget(m_empty);
        m_title = tr("World Info");
    } else {
        const StarSystem &system = hex->starSystem;
        if (m_panel) {
            m_panel->setWorld(*world, system.planetoidBelts, system.gasGiant);
        } else {
            // The panel keeps its own width inside the default padding; the window
            // scrolls instead of widening the rows.
            auto *padded = new QWidget;
            auto *layout = new QVBoxLayout(padded);
            m_panel = new WorldInfoPanel(*world, system.planetoidBelts, system.gasGiant);
            layout->addWidget(m_panel);
            layout->addStretch(1);
            m_scroll->setWidget(padded);
            m_scroll->setWidgetResizable(true);
        }
        m_stack->setCurrentWidget(m_scroll);
        m_title = system.name.isEmpty() ? tr("World Info") : system.name;
    }
    applyTitle();
}

void WorldInfoWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window that hosts this content titles itself when it opens; the system's
    // name replaces that title as soon as it shows.
    applyTitle();
}

void WorldInfoWindow::applyTitle()
{
    const QString title = quotedName(m_title);
    setWindowTitle(title);
    if (!isWindow())
        window()->setWindowTitle(title);
}
