#pragma once

#include <QMainWindow>

class QAction;
class WindowRouter;

// The application's main window ("main", "Vostrel"): its content area and the menu
// commands — "UWP Reference" (Ctrl+Shift+U, working from every window), "Vostrel
// Help" and "About Vostrel". The commands open their windows through the router.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Without a router the window makes one of its own, so that it works alone.
    explicit MainWindow(WindowRouter *router = nullptr, QWidget *parent = nullptr);

    WindowRouter *router() const { return m_router; }
    QAction *uwpReferenceAction() const { return m_uwpReference; }
    QAction *helpAction() const { return m_help; }
    QAction *aboutAction() const { return m_about; }

    // Replaces the content area. The previous content is deleted later, not at once,
    // so that a menu or dialog still running from it can finish.
    void setContent(QWidget *content);
    QWidget *content() const { return centralWidget(); }

private:
    void buildMenus();

    WindowRouter *m_router;
    QAction *m_uwpReference;
    QAction *m_help;
    QAction *m_about;
};
