#pragma once

#include "universe/UniverseManager.h"

#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>

#include <optional>

class ControlView;
class MessageBanner;
class QAction;
class QVBoxLayout;
class WindowRouter;
namespace TravellerMapImporter {
class RunningImports;
}

// The application's main window ("main"): the sidebar and detail column of the open
// universe, the menu commands — "Quit" (the platform's key), "UWP Reference"
// (Ctrl+Shift+U, working from every window), "Vostrel Help" and "About Vostrel" — and
// three banners across its top that tell the user about failures, each kind apart
// so that one never clears another: saves of the open universe that failed (until
// the next successful save), a universe that could not be opened (with its file),
// and other operations of the store that failed, such as a delete (until dismissed
// or replaced by the next such failure). A fourth shows the outcome of a sector
// import that ended while no import form showed it (until dismissed or replaced).
//
// It holds the program's sector imports; closing it for good stops them.
//
// Quitting, closing this window and switching to another universe first wait, with
// the window still answering, for the saves in flight (quitting, also for a delete or
// a new universe asked before, and for the writes of universes left); when a last save
// failed, the user is told and may stay. When another program had changed the
// universe's file, the banner of other operations says where its version was kept.
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
    QAction *helpAction() const { return m_help; }
    QAction *aboutAction() const { return m_about; }
    QAction *quitAction() const { return m_quit; }

    // Follows this store from now on: its open universe fills the window, and its
    // failures are shown. Connect before the store starts, so that what goes wrong
    // while it starts is shown too. The store must outlive the window.
    void setUniverseManager(UniverseManager *manager);

    // Replaces the content area. The previous content is deleted later, not at once,
    // so that a menu or dialog still running from it can finish.
    void setContent(QWidget *content);
    QWidget *content() const { return m_content; }
    // The content while it is the sidebar of a universe.
    ControlView *controlView() const;

    MessageBanner *saveFailureBanner() const { return m_saveFailure; }
    MessageBanner *loadErrorBanner() const { return m_loadError; }
    MessageBanner *operationFailureBanner() const { return m_operationFailure; }
    MessageBanner *importOutcomeBanner() const { return m_importOutcome; }
    TravellerMapImporter::RunningImports *imports() const { return m_imports; }

    // Closes every window of the program once the store is ready to quit (what it was
    // asked before is done, and every write ended), or once the user chose to quit after
    // a save failed. The window goes on meanwhile.
    void quit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void showCurrentUniverse();
    void refreshTitle();
    void showLoadError();
    // What closes once the store is ready to quit.
    enum class Closing {
        thisWindow,
        everyWindow,
    };
    // Asks the store to get ready to quit; closes once it is.
    void leave(Closing closing);
    void closeForGood();
    // Tells the user that the latest changes to `universe` could not be saved, and
    // what leaving now means; answers true when they choose to leave, false to stay.
    void askToLeaveUnsaved(const StarfarerUniverse &universe, UniverseManager::Leaving leaving,
                           UniverseManager::Answer answer);
    void showSaveState(const SaveState &state);
    void showExternalChange(const QString &keptPath);

    WindowRouter *m_router;
    QAction *m_uwpReference;
    QAction *m_help;
    QAction *m_about;
    QAction *m_quit;
    QPointer<UniverseManager> m_manager;
    QList<QMetaObject::Connection> m_documentConnections;
    QVBoxLayout *m_frame;
    MessageBanner *m_saveFailure;
    MessageBanner *m_loadError;
    MessageBanner *m_operationFailure;
    MessageBanner *m_importOutcome;
    TravellerMapImporter::RunningImports *m_imports;
    std::optional<Closing> m_closing; // while waiting to close
    bool m_closingConfirmed = false;  // the close under way may go ahead
    bool m_inCloseEvent = false;
    QWidget *m_content = nullptr;
};
