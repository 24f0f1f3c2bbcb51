#include "UniverseMenuButton.h"

#include "ui/ElidedLabel.h"
#include "ui/FocusMark.h"
#include "ui/LiteralText.h"
#include "ui/PlainText.h"
#include "ui/PressedShade.h"
#include "ui/ProgressSpinner.h"
#include "ui/Symbol.h"
#include "universe/UniverseManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>

namespace {

QLabel *symbolLabel(Symbol symbol, int size, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(symbolPixmap(symbol, size, color, parent->devicePixelRatioF()));
    label->setFixedSize(size, size);
    return label;
}

} // namespace

UniverseMenuButton::UniverseMenuButton(UniverseManager *manager, StarfarerUniverse *universe, QWidget *parent)
    : QAbstractButton(parent), m_manager(manager), m_universe(universe), m_menu(new QMenu(this)),
      m_spinner(new ProgressSpinner(this)), m_name(new ElidedLabel(QString(), this))
{
    setObjectName(QStringLiteral("universeMenu"));
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and opened with Space; a click opens the menu without leaving
    // the focus mark behind.
    setFocusPolicy(Qt::TabFocus);
    m_name->setObjectName(QStringLiteral("universeName"));
    const QColor ink = palette().color(QPalette::WindowText);

    auto *layout = new QHBoxLayout(this);
    // Room for the focus mark around the row.
    const int room = kFocusMarkWidth + 1;
    layout->setContentsMargins(room, room, room, room);
    m_symbol = symbolLabel(Symbol::starSquareOnSquareFill, 14, ink, this);
    layout->addWidget(m_symbol);
    m_spinner->setObjectName(QStringLiteral("openingSpinner"));
    layout->addWidget(m_spinner);
    layout->addWidget(m_name, 1);
    layout->addWidget(symbolLabel(Symbol::chevronUpChevronDown, 12, ink, this));

    connect(this, &QAbstractButton::clicked, this, &UniverseMenuButton::showMenu);
    connect(m_manager, &UniverseManager::headersChanged, this, &UniverseMenuButton::rebuildMenu);
    connect(m_manager, &UniverseManager::openingChanged, this, &UniverseMenuButton::refreshLabel);
    connect(m_manager, &UniverseManager::quittingChanged, this, &UniverseMenuButton::refreshLabel);
    if (m_universe) {
        connect(m_universe, &StarfarerUniverse::nameChanged, this, &UniverseMenuButton::refreshLabel);
        connect(m_universe, &StarfarerUniverse::nameChanged, this, &UniverseMenuButton::rebuildMenu);
    }
    refreshLabel();
    rebuildMenu();
}

QString UniverseMenuButton::labelName() const
{
    return m_name->text();
}

void UniverseMenuButton::refreshLabel()
{
    const std::optional<StarfarerUniverse::Header> opening = m_manager ? m_manager->opening() : std::nullopt;
    const bool quitting = m_manager && m_manager->quitting();
    if (opening)
        m_name->setText(tr("Opening “%1”…").arg(quotedName(opening->name)));
    else
        m_name->setText(m_universe ? m_universe->name() : QString());
    if (opening || quitting)
        m_menu->hide();
    setEnabled(!opening && !quitting);
    m_symbol->setVisible(!opening);
    m_spinner->setVisible(opening.has_value());
}

void UniverseMenuButton::rebuildMenu()
{
    m_menu->clear();
    if (!m_manager)
        return;
    const QUuid openID = m_universe ? m_universe->id() : QUuid();
    for (const StarfarerUniverse::Header &header : m_manager->headers()) {
        QAction *entry = m_menu->addAction(literalText(header.name));
        // Only the open universe carries a mark: a checkable entry would show an empty
        // box beside every other one.
        if (header.id == openID) {
            entry->setCheckable(true);
            entry->setChecked(true);
        }
        connect(entry, &QAction::triggered, this, [this, header] {
            later([this, header] {
                if (m_manager)
                    m_manager->open(header);
            });
        });
    }
    m_menu->addSeparator();
    connect(m_menu->addAction(tr("New Universe…")), &QAction::triggered, this,
            [this] { later([this] { emit newRequested(); }); });
    connect(m_menu->addAction(tr("Rename…")), &QAction::triggered, this,
            [this] { later([this] { emit renameRequested(); }); });
    QAction *remove = m_menu->addAction(tr("Delete…"));
    remove->setObjectName(QStringLiteral("deleteUniverse"));
    connect(remove, &QAction::triggered, this, [this] { later([this] { emit deleteRequested(); }); });
}

void UniverseMenuButton::later(std::function<void()> action)
{
    QTimer::singleShot(0, this, std::move(action));
}

void UniverseMenuButton::showMenu()
{
    rebuildMenu();
    // Shown without a nested event loop, so that nothing runs inside a menu that a
    // change of universe could delete. It opens upwards, the button being at the
    // foot of the window.
    m_menu->popup(mapToGlobal(QPoint(0, -m_menu->sizeHint().height())));
}

QSize UniverseMenuButton::sizeHint() const
{
    return layout()->sizeHint();
}

void UniverseMenuButton::paintEvent(QPaintEvent *)
{
    // The labels draw the row; only the pressed shade and the focus mark are painted here.
    paintPressedShade(*this);
    paintFocusMark(*this);
}
