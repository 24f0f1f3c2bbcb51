#include "VostrelApp.h"

#include "AboutWindow.h"
#include "MainWindow.h"
#include "screens/ui/UWPReferenceView.h"
#include "screens/ui/WorldInfoWindow.h"
#include "starmap/PictureMemory.h"
#include "travel/ui/SystemTravelWindow.h"
#include "ui/FocusMarkStyle.h"
#include "ui/PlainText.h"
#include "ui/StarSystemHexes.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseManager.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
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
    PictureMemory::returnDroppedPicturesToSystem();
    QApplication::setWindowIcon(StarSystemHexes::icon());
    // Closing the main window keeps the program running while an auxiliary window
    // is still open; closing the last one ends it.
    QApplication::setQuitOnLastWindowClosed(true);
    // Focus marks that show on every background; set once for the application.
    if (!qobject_cast<FocusMarkStyle *>(QApplication::style()))
        QApplication::setStyle(new FocusMarkStyle(QApplication::style()->name()));

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
    if (m_folderInUse && !m_manager->lockHost().isEmpty()) {
        if (!askToTakeOver(m_manager->lockHost()))
            return false;
        m_folderInUse = !m_manager->start(FolderLock::OtherHostLock::takeOver);
    }
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

bool VostrelApp::askToTakeOver(const QString &host) const
{
    // Whether that Vostrel still runs cannot be told from here; if it does, the two
    // would overwrite each other's saves, so staying out is the default.
    // The host name comes from the lock file, which any program can write: it is
    // shown as plain text and shortened, as the folder's path is.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vostrel"), QString(), QMessageBox::NoButton);
    box.setObjectName(QStringLiteral("takeOverAlert"));
    setPlainTexts(
        box, tr("Vostrel on the computer “%1” is using these universes.").arg(quotedName(host)),
        tr("The universes in %1 were opened there and not closed. If Vostrel no longer runs on that "
           "computer, you can take them over here. If it still does, quit here and close it there first.")
            .arg(QDir::toNativeSeparators(m_manager->folder().universesPath())));
    QPushButton *takeOver = box.addButton(tr("Take Over"), QMessageBox::AcceptRole);
    QPushButton *quit = box.addButton(tr("Quit"), QMessageBox::RejectRole);
    box.setDefaultButton(quit);
    box.setEscapeButton(quit);
    box.exec();
    return box.clickedButton() == takeOver;
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
