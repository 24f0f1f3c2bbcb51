#include "VostrelApp.h"

#include "AboutWindow.h"
#include "MainWindow.h"
#include "screens/UWPReferenceView.h"
#include "screens/WorldInfoWindow.h"
#include "travel/ui/SystemTravelWindow.h"
#include "ui/StarSystemHexes.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseManager.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>

namespace {

// Names the application before the settings are made, so that they land under
// "Dulvane"/"Vostrel".
void nameApplication()
{
    QApplication::setOrganizationName(QStringLiteral("Dulvane"));
    QApplication::setApplicationName(QStringLiteral("Vostrel"));
}

std::unique_ptr<QSettings> userSettings()
{
    nameApplication();
    return std::make_unique<QSettings>(QStringLiteral("Dulvane"), QStringLiteral("Vostrel"));
}

} // namespace

VostrelApp::VostrelApp() : VostrelApp(UniverseFolder::standard(), nullptr, userSettings()) {}

VostrelApp::VostrelApp(UniverseFolder folder, QSettings *settings)
    : VostrelApp(std::move(folder), settings, nullptr)
{}

VostrelApp::VostrelApp(UniverseFolder folder, QSettings *settings, std::unique_ptr<QSettings> ownedSettings)
    : m_ownedSettings(std::move(ownedSettings))
{
    nameApplication();
    QApplication::setWindowIcon(StarSystemHexes::icon());
    // Closing the main window keeps the program running while an auxiliary window
    // is still open; closing the last one ends it.
    QApplication::setQuitOnLastWindowClosed(true);

    m_router = std::make_unique<WindowRouter>();
    registerWindowContents();
    m_manager =
        std::make_unique<UniverseManager>(std::move(folder), settings ? settings : m_ownedSettings.get());
    m_mainWindow = std::make_unique<MainWindow>(m_router.get());
    // The window follows the store before it starts, so that a universe that could
    // not be opened or saved while starting is shown to the user.
    m_mainWindow->setUniverseManager(m_manager.get());
    m_folderInUse = !m_manager->start();
}

VostrelApp::~VostrelApp() = default;

bool VostrelApp::start()
{
    if (m_folderInUse) {
        // Two instances on one folder would each overwrite the other's saves.
        QMessageBox box(QMessageBox::Information, QStringLiteral("Vostrel"),
                        tr("Vostrel is already running."), QMessageBox::Ok);
        box.setInformativeText(tr("Another Vostrel is using the universes in %1. Switch to it instead.")
                                   .arg(QDir::toNativeSeparators(m_manager->folder().universesPath())));
        box.exec();
        return false;
    }
    m_mainWindow->show();
    return true;
}

void VostrelApp::registerWindowContents()
{
    m_router->setContentFactory(WindowId::about, [] { return new AboutWindow; });
    // The store is made after the factories; they read it only when a window opens.
    m_router->setContentFactory(WindowId::uwpReference,
                                [this] { return new UWPReferenceView(m_manager.get()); });
    m_router->setGroupContentFactory(WindowId::worldInfo, [this](const GalacticCoordinates &coordinates) {
        return new WorldInfoWindow(m_manager.get(), coordinates);
    });
    m_router->setGroupContentFactory(WindowId::systemTravel, [this](const GalacticCoordinates &coordinates) {
        return new SystemTravelWindow(m_manager.get(), coordinates);
    });
}
