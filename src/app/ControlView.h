#pragma once

#include "Destination.h"
#include "DetailPages.h"
#include "universe/FactionCategory.h"
#include "universe/UniverseManager.h"

#include <QDialog>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <array>
#include <optional>

class ElidedLabel;
class QSplitter;
class QTimer;
class QVBoxLayout;
class SidebarList;
class UniverseMenuButton;
class WindowRouter;

// The whole content of the main window for one open universe: the sidebar (its
// title, the Tools and FACTIONS rows, and the footer with the universe menu, the
// maker line and the version) beside the detail column, which shows the screen of
// the selected destination. It also shows the three universe alerts and hands their
// answers to the store.
//
// It is built for the universe that is open when it is made and lives as long as
// that universe stays open: it starts on the star map with every faction group
// collapsed. A rename keeps it; another universe gets a new one. The screens that
// cost more to build the more systems or rutters there are (the list, the map and the
// rutters) are built once and kept while hidden, following the universe; leaving one puts it back in the
// state a new one starts in. The others are built anew each time.
class ControlView : public QWidget
{
    Q_OBJECT

public:
    enum class UniverseAlert { rename, newUniverse, deleteUniverse };

    ControlView(UniverseManager *manager, WindowRouter *router, TravellerMapImporter::RunningImports *imports,
                QWidget *parent = nullptr);
    ~ControlView() override;

    StarfarerUniverse *universe() const { return m_universe; }

    const std::optional<Destination> &selection() const { return m_selection; }
    const QSet<FactionCategory> &expandedCategories() const { return m_expandedCategories; }
    const std::optional<UniverseAlert> &universeAlert() const { return m_universeAlert; }
    const QString &draftName() const { return m_draftName; }

    SidebarList *sidebarList() const { return m_list; }
    UniverseMenuButton *universeMenuButton() const { return m_menuButton; }
    QString navigationTitle() const;
    // The screen the detail column shows, and the destination it was made for (no
    // value while it shows "Nothing Selected").
    QWidget *detailPage() const { return m_detailPage; }
    const std::optional<Destination> &detailDestination() const { return m_detailDestination; }
    // The alert on screen, or null.

    // Shows an alert; "New Universe" starts with an empty name, "Rename Universe"
    // with the open universe's name.
    void showAlert(UniverseAlert alert);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSidebar();
    QWidget *buildFooter();
    void refreshSidebar();
    void refreshTitle();
    void choose(const std::optional<Destination> &destination);
    void toggleGroup(FactionCategory category);
    void showDetail();
    // Puts the kept screen of `kind` back in its start state if it was left since.
    void restartIfLeft(DestinationKind kind);
    void restartLeftScreens();
    void finishAlert(UniverseAlert alert, bool confirmed);
    void deleteOpenUniverse();

    QPointer<UniverseManager> m_manager;
    QPointer<StarfarerUniverse> m_universe;
    WindowRouter *m_router;
    TravellerMapImporter::RunningImports *m_imports;

    QSet<FactionCategory> m_expandedCategories;
    std::optional<UniverseAlert> m_universeAlert;
    QString m_draftName;
    std::optional<Destination> m_selection = Destination::of(DestinationKind::starmap);

    QSplitter *m_splitter = nullptr;
    ElidedLabel *m_title = nullptr;
    SidebarList *m_list = nullptr;
    UniverseMenuButton *m_menuButton = nullptr;
    QVBoxLayout *m_detailLayout = nullptr;
    QWidget *m_detailPage = nullptr;
    std::optional<Destination> m_detailDestination;
    std::array<QPointer<QWidget>, kDestinationKinds.size()> m_keptPages; // by destination kind
    // The kept screens left and not yet put back in their start state, by kind; the
    // timer does that once the screen chosen instead has painted.
    std::array<bool, kDestinationKinds.size()> m_leftScreens{};
    QTimer *m_restartTimer = nullptr;
    QPointer<QDialog> m_alertDialog;
};
