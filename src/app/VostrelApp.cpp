#include "VostrelApp.h"

#include "AboutWindow.h"
#include "MainWindow.h"
#include "ui/StarSystemHexes.h"
#include "ui/WindowRouter.h"

#include <QApplication>

VostrelApp::VostrelApp()
{
    QApplication::setOrganizationName(QStringLiteral("Dulvane"));
    QApplication::setApplicationName(QStringLiteral("Vostrel"));
    QApplication::setWindowIcon(StarSystemHexes::icon());
    // Closing the main window keeps the program running while an auxiliary window
    // is still open; closing the last one ends it.
    QApplication::setQuitOnLastWindowClosed(true);

    m_router = std::make_unique<WindowRouter>();
    registerWindowContents();
    m_mainWindow = std::make_unique<MainWindow>(m_router.get());
}

VostrelApp::~VostrelApp() = default;

void VostrelApp::start()
{
    m_mainWindow->show();
}

void VostrelApp::registerWindowContents()
{
    m_router->setContentFactory(WindowId::about, [] { return new AboutWindow; });
}
