#include "MainWindow.h"

#include "ControlView.h"
#include "ExternalLinks.h"
#include "MessageBanner.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseManager.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

MainWindow::MainWindow(WindowRouter *router, QWidget *parent)
    : QMainWindow(parent), m_router(router ? router : new WindowRouter(this)),
      m_uwpReference(new QAction(tr("UWP Reference"), this)), m_help(new QAction(tr("Vostrel Help"), this)),
      m_about(new QAction(tr("About Vostrel"), this))
{
    auto *frame = new QWidget(this);
    m_frame = new QVBoxLayout(frame);
    m_frame->setContentsMargins(0, 0, 0, 0);
    m_frame->setSpacing(0);
    m_saveFailure = new MessageBanner(false, frame);
    m_saveFailure->setObjectName(QStringLiteral("saveFailureBanner"));
    m_loadError = new MessageBanner(true, frame);
    m_loadError->setObjectName(QStringLiteral("loadErrorBanner"));
    m_frame->addWidget(m_saveFailure);
    m_frame->addWidget(m_loadError);
    setCentralWidget(frame);

    refreshTitle();
    auto *placeholder = new QLabel(QStringLiteral("Vostrel"));
    placeholder->setAlignment(Qt::AlignCenter);
    setContent(placeholder);
    resize(1200, 800);
    buildMenus();
}

void MainWindow::setContent(QWidget *content)
{
    if (m_content) {
        m_frame->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = content;
    if (m_content) {
        m_frame->addWidget(m_content, 1);
        // Shown now rather than at the next turn of the event loop.
        m_content->show();
    }
}

ControlView *MainWindow::controlView() const
{
    return qobject_cast<ControlView *>(m_content);
}

void MainWindow::setUniverseManager(UniverseManager *manager)
{
    if (m_manager)
        m_manager->disconnect(this);
    m_manager = manager;
    if (!m_manager)
        return;
    connect(m_manager, &UniverseManager::currentChanged, this, &MainWindow::showCurrentUniverse);
    connect(m_manager, &UniverseManager::loadErrorChanged, this, &MainWindow::showLoadError);
    connect(m_manager, &UniverseManager::operationFailed, m_saveFailure, &MessageBanner::showMessage);
    if (m_manager->current())
        showCurrentUniverse();
    showLoadError();
}

// A new ControlView for the universe that is now open, following that document's
// name and the outcome of its saves.
void MainWindow::showCurrentUniverse()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_documentConnections))
        disconnect(connection);
    m_documentConnections.clear();

    StarfarerUniverse *universe = m_manager ? m_manager->current() : nullptr;
    if (universe) {
        m_documentConnections = {
            connect(universe, &StarfarerUniverse::nameChanged, this, &MainWindow::refreshTitle),
            connect(universe, &StarfarerUniverse::saveFailed, m_saveFailure, &MessageBanner::showMessage),
            connect(universe, &StarfarerUniverse::saved, m_saveFailure, &MessageBanner::clearMessage),
        };
        auto *view = new ControlView(m_manager, m_router);
        connect(view, &ControlView::universeOpenFailed, m_loadError, &MessageBanner::showMessage);
        setContent(view);
    }
    refreshTitle();
}

void MainWindow::refreshTitle()
{
    const StarfarerUniverse *universe = m_manager ? m_manager->current() : nullptr;
    const QString product = QStringLiteral("Vostrel");
    setWindowTitle(universe ? universe->name() + QStringLiteral(" \u2014 ") + product : product);
}

void MainWindow::showLoadError()
{
    if (!m_manager)
        return;
    if (const auto &error = m_manager->loadError())
        m_loadError->showMessage(*error);
    else
        m_loadError->clearMessage();
}

void MainWindow::buildMenus()
{
    m_uwpReference->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    m_uwpReference->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_uwpReference, &QAction::triggered, this,
            [this] { m_router->openWindow(WindowId::uwpReference); });
    // The shortcut must also work while only auxiliary windows are on screen.
    addAction(m_uwpReference);
    m_router->addSharedAction(m_uwpReference);

    connect(m_help, &QAction::triggered, this, [this] { ExternalLinks::openHelpGuide(this); });

    m_about->setMenuRole(QAction::AboutRole);
    connect(m_about, &QAction::triggered, this, [this] { m_router->openWindow(WindowId::about); });

    QMenu *windowMenu = menuBar()->addMenu(tr("&Window"));
    windowMenu->addAction(m_uwpReference);

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(m_help);
    helpMenu->addSeparator();
    helpMenu->addAction(m_about);
}
