#pragma once

#include "universe/UniverseManager.h"

#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>

class ControlView;
class MessageBanner;
class QAction;
class QVBoxLayout;
class WindowRouter;

// The application's main window ("main"): the sidebar and detail column of the open
// universe, the menu commands — "UWP Reference" (Ctrl+Shift+U, working from every
// window), "Vostrel Help" and "About Vostrel" — and two banners across its top that
// tell the user about failures: one for writes that failed (it stays until the
// next successful save) and one for a universe that could not be opened.
//
// Its title is the open universe's name, " — ", "Vostrel". When another universe
// becomes current it shows a fresh ControlView; a rename keeps the one it has.
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

    // Follows this store from now on: its open universe fills the window, and its
    // failures are shown. Connect before the store starts, so that what goes wrong
    // while it starts is shown too. The store must outlive the window.
    void setUniverseManager(UniverseManager *manager);
    UniverseManager *universeManager() const { return m_manager; }

    // Replaces the content area. The previous content is deleted later, not at once,
    // so that a menu or dialog still running from it can finish.
    void setContent(QWidget *content);
    QWidget *content() const { return m_content; }
    // The content while it is the sidebar of a universe.
    ControlView *controlView() const;

    MessageBanner *saveFailureBanner() const { return m_saveFailure; }
    MessageBanner *loadErrorBanner() const { return m_loadError; }

private:
    void buildMenus();
    void showCurrentUniverse();
    void refreshTitle();
    void showLoadError();

    WindowRouter *m_router;
    QAction *m_uwpReference;
    QAction *m_help;
    QAction *m_about;
    QPointer<UniverseManager> m_manager;
    QList<QMetaObject::Connection> m_documentConnections;
    QVBoxLayout *m_frame;
    MessageBanner *m_saveFailure;
    MessageBanner *m_loadError;
    QWidget *m_content = nullptr;
};
