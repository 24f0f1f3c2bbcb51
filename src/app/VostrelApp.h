#pragma once

#include "universe/UniverseFolder.h"

#include <QObject>

#include <memory>

class MainWindow;
class QSettings;
class UniverseManager;
class WindowRouter;

// The application: names it for settings ("Dulvane", "Vostrel"), gives every window
// the drawn icon, quits when the last window closes, and makes the one window
// router with the content of each window, the one universe store of the run and
// the main window. Make it after the QApplication and keep it for the whole run.
class VostrelApp : public QObject
{
    Q_OBJECT

public:
    // The user's documents folder and settings.
    VostrelApp();
    // Another documents folder and settings store (which must outlive the app), so
    // that tests never touch the user's own.
    VostrelApp(UniverseFolder folder, QSettings *settings);
    ~VostrelApp() override;

    // Shows the main window; when another running Vostrel holds the documents folder,
    // tells the user so instead and returns false: the program should then end. A
    // lock that Vostrel on another computer left there is named, and the user may
    // take the folder over or quit.
    bool start();

    WindowRouter *router() const { return m_router.get(); }
    UniverseManager *manager() const { return m_manager.get(); }
    MainWindow *mainWindow() const { return m_mainWindow.get(); }

private:
    VostrelApp(UniverseFolder folder, QSettings *settings, std::unique_ptr<QSettings> ownedSettings);
    void registerWindowContents();
    // Asks whether to take over the folder that Vostrel on `host` holds.
    bool askToTakeOver(const QString &host) const;

    // Declared so that they are destroyed in this order: the router with the windows
    // it opened (they read the open universe), the main window, the store both of
    // them read, and last the settings the store writes to.
    std::unique_ptr<QSettings> m_ownedSettings;
    std::unique_ptr<UniverseManager> m_manager;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<WindowRouter> m_router;
    bool m_folderInUse = false;
};
