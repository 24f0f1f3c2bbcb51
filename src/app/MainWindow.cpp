#include "MainWindow.h"

#include "ExternalLinks.h"
#include "ui/WindowRouter.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

MainWindow::MainWindow(WindowRouter *router, QWidget *parent)
    : QMainWindow(parent), m_router(router ? router : new WindowRouter(this)),
      m_uwpReference(new QAction(tr("UWP Reference"), this)), m_help(new QAction(tr("Vostrel Help"), this)),
      m_about(new QAction(tr("About Vostrel"), this))
{
    setWindowTitle(QStringLiteral("Vostrel"));
    auto *placeholder = new QLabel(QStringLiteral("Vostrel"));
    placeholder->setAlignment(Qt::AlignCenter);
    setContent(placeholder);
    resize(1200, 800);
    buildMenus();
}

void MainWindow::setContent(QWidget *content)
{
    if (QWidget *previous = takeCentralWidget()) {
        previous->hide();
        previous->deleteLater();
    }
    setCentralWidget(content);
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
