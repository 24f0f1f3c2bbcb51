#pragma once

#include <QObject>

#include <memory>

class MainWindow;
class WindowRouter;

// The application: names it for settings ("Dulvane", "Vostrel"), gives every window
// the drawn icon, quits when the last window closes, and makes the one window
// router with the content of each window, and the main window. Make it after the
// QApplication and keep it for the whole run.
class VostrelApp : public QObject
{
    Q_OBJECT

public:
    VostrelApp();
    ~VostrelApp() override;

    // Shows the main window.
    void start();

    WindowRouter *router() const { return m_router.get(); }
    MainWindow *mainWindow() const { return m_mainWindow.get(); }

private:
    void registerWindowContents();

    // Declared first so that it goes last: the main window uses it to its end.
    std::unique_ptr<WindowRouter> m_router;
    std::unique_ptr<MainWindow> m_mainWindow;
};
