#pragma once

#include "model/HexData.h"
#include "screens/EditRoute.h"
#include "screens/SubsectorKey.h"
#include "screens/SystemSort.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class ContentUnavailableView;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QToolButton;
class StarfarerUniverse;
class SystemListModel;
class SystemListProxy;
class WindowRouter;

// The screen of every system saved in the open universe: a searchable list in one
// of three orders, restricted to one subsector on request, from which a system is
// deleted (saving the universe at once) or opened. It owns the navigation stack on
// which the system's detail view and then its editor are pushed; "Back" pops them.
class SystemListView : public QWidget
{
    Q_OBJECT

public:
    SystemListView(StarfarerUniverse *universe, WindowRouter *router, QWidget *parent = nullptr);

    // The rows shown: searched, filtered and sorted.
    SystemListProxy *model() const { return m_model; }
    void setSearchText(const QString &text);
    void setSortOrder(SystemSort order);
    void setSubsectorFilter(const std::optional<SubsectorKey> &filter);

    // Removes every hex with this id and saves the universe.
    void deleteSystem(const QUuid &id);
    // Searches for the name of a system drawn among all saved ones.
    void pickRandomSystem();
    void openUWPReference();

    // Pushes the detail view of `hex`; its "Edit" pushes the editor.
    void showDetail(const HexData &hex);
    void showEditor(const EditRoute &route);
    // The page on top of the navigation stack (the list itself at the root).
    QWidget *currentPage() const;
    void goBack();
    // Back to what a new screen shows: the list at the root of the stack, unsearched,
    // in coordinate order over all subsectors, scrolled to its start with no row
    // current.
    void returnToStart();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildRoot();
    void push(QWidget *page, const QString &title);
    void fillSortMenu();
    void fillSubsectorMenu();
    void refreshContent();

    QPointer<StarfarerUniverse> m_universe;
    QPointer<WindowRouter> m_router;
    SystemListModel *m_source = nullptr;
    SystemListProxy *m_model = nullptr;
    QStackedWidget *m_navigation = nullptr;
    QLineEdit *m_search = nullptr;
    QWidget *m_toolbarItems = nullptr;
    QMenu *m_sortMenu = nullptr;
    QMenu *m_subsectorMenu = nullptr;
    QStackedWidget *m_content = nullptr;
    ContentUnavailableView *m_noSystems = nullptr;
    ContentUnavailableView *m_noResults = nullptr;
    QListView *m_list = nullptr;
};
