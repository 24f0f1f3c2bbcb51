// Tab goes through every form as it is read: from the top down, and from left to right
// within a row, reaching each control that takes the focus once before it wraps or
// leaves the form.
#include "AppTestSupport.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/MapObjectListView.h"
#include "screens/ui/SystemListView.h"
#include "starmap/ui/StarMapView.h"
#include "starmap/ui/StarMapViewMenu.h"
#include "starmap/ui/SystemOverlayCard.h"
#include "ui/DisclosureGroup.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

#include <QButtonGroup>
#include <QLayout>
#include <QLineEdit>

#include <functional>
#include <iostream>

namespace {

QRect onScreen(const QWidget *widget)
{
    return {widget->mapToGlobal(QPoint()), widget->size()};
}

// Whether `later` is read after `earlier`, two things side by side in one form. They
// stand in one row when their heights overlap by at least half the lower one's height
// (so that a tall list and the buttons beside it share a row); within a row the one
// whose left edge is further left comes first, and otherwise the one whose middle is
// higher.
bool readsAfter(const QRect &earlier, const QRect &later)
{
    const int overlap = std::min(earlier.bottom(), later.bottom()) - std::max(earlier.top(), later.top()) + 1;
    if (overlap * 2 >= std::min(earlier.height(), later.height()))
        return later.left() > earlier.left();
    return later.center().y() > earlier.center().y();
}

// A group on the way from a form down to one of its controls: a widget, or a layout
// that sets some of a widget's children apart (a column of a form, a row of fields),
// and where it stands on screen.
struct Group
{
    const void *key;
    QRect place;
};

// Appends to `path` the layouts within `layout` (of `owner`) that hold `widget`,
// outermost first; false when `layout` does not hold it.
bool layoutsHolding(QLayout *layout, const QWidget *widget, const QWidget *owner, QList<Group> &path)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == widget)
            return true;
        if (QLayout *inner = item->layout()) {
            path.append(
                {inner, QRect(owner->mapToGlobal(inner->geometry().topLeft()), inner->geometry().size())});
            if (layoutsHolding(inner, widget, owner, path))
                return true;
            path.removeLast();
        }
    }
    return false;
}

// The groups that hold `control` within `form`, outermost first, the control last.
QList<Group> groupsOf(const QWidget *control, const QWidget *form)
{
    QList<Group> path;
    for (const QWidget *widget = control; widget != form; widget = widget->parentWidget()) {
        QList<Group> step;
        const QWidget *parent = widget->parentWidget();
        if (parent->layout() && !layoutsHolding(parent->layout(), widget, parent, step))
            step.clear();
        step.append({widget, onScreen(widget)});
        path = step + path;
    }
    return path;
}

// Whether a control is read after another: the first two groups that set them apart
// stand side by side, and are read in the order of where they stand; a control that
// holds another (a page that scrolls) is read before it.
bool readsAfter(const QList<Group> &earlier, const QList<Group> &later)
{
    for (qsizetype i = 0; i < std::min(earlier.size(), later.size()); ++i) {
        if (earlier[i].key != later[i].key)
            return readsAfter(earlier[i].place, later[i].place);
    }
    return later.size() > earlier.size();
}

std::string describe(const QWidget *control)
{
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    const QRect place = onScreen(control);
    return QStringLiteral("%1 %2 \"%3\" at %4,%5 %6x%7")
        .arg(QString::fromLatin1(control->metaObject()->className()), control->objectName(),
             button ? button->text() : control->accessibleName())
        .arg(place.x())
        .arg(place.y())
        .arg(place.width())
        .arg(place.height())
        .toStdString();
}

// Whether Tab is to stop at `control`: shown, enabled, taking the focus from Tab and
// handing it to no other control.
bool isTabStop(const QWidget *control)
{
    return control->isVisible() && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) &&
           !control->focusProxy();
}

// The stop that `control` stands for: the buttons of one exclusive group are one stop,
// between whose buttons the arrow keys move.
const QObject *stopOf(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control);
        button && button->isCheckable()) {
        if (button->group() && button->group()->exclusive())
            return button->group();
        if (button->autoExclusive())
            return button->parent();
    }
    return control;
}

// Walks `form` with Tab from the control read first, and checks that each stop is read
// after the one before and that the walk meets every stop of the form once before it
// wraps to the first or leaves the form.
void tabFollowsReadingOrder(QWidget *form)
{
    // Where the stops stand before Tab scrolls any of them into view.
    QList<QWidget *> controls = form->findChildren<QWidget *>();
    controls.prepend(form);
    QList<QWidget *> order;
    QHash<QWidget *, QList<Group>> stops;
    for (QWidget *control : std::as_const(controls)) {
        if (control->window() == form->window() && isTabStop(control)) {
            order.append(control);
            stops.insert(control, groupsOf(control, form));
        }
    }
    ASSERT_FALSE(order.isEmpty());
    QWidget *first = order.first();
    for (QWidget *control : std::as_const(order)) {
        if (readsAfter(stops.value(control), stops.value(first)))
            first = control;
    }
    form->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->window()));
    first->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), first) << describe(first);

    QList<QWidget *> walked{first};
    QSet<const QObject *> reached{stopOf(first)};
    std::string chain = describe(first);
    for (int step = 0; step < stops.size(); ++step) { // at most one step a stop
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QWidget *focus = QApplication::focusWidget();
        if (!focus || focus == first || !stops.contains(focus))
            break; // wrapped, or out of the form
        chain += "\n  then " + describe(focus);
        ASSERT_FALSE(reached.contains(stopOf(focus))) << "Tab came back before the end:\n  " << chain;
        EXPECT_TRUE(readsAfter(stops.value(walked.last()), stops.value(focus)))
            << "Tab went back against the reading order:\n  " << chain;
        walked.append(focus);
        reached.insert(stopOf(focus));
    }
    for (QWidget *control : std::as_const(order))
        EXPECT_TRUE(reached.contains(stopOf(control)))
            << "Tab never reached " << describe(control) << ":\n  " << chain;
}

} // namespace

class TabOrder : public AppTest
{
protected:
    void SetUp() override
    {
        // A universe with one of every kind of record, so that every form shows its rows.
        const QUuid id = QUuid::fromString(QStringLiteral("E47E0000-0000-4000-8000-000000000001"));
        QDir().mkpath(folder().universesPath());
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(VOSTREL_TEST_DATA_DIR "/every-field.json"), folder().fileFor(id)));
        remember(id);
        startApp();
        ASSERT_EQ(universe()->id(), id);
    }

    // The page of the sidebar's row titled `title`, every disclosure open.
    QWidget *page(const char *title)
    {
        clickRowTitled(QString::fromUtf8(title));
        settle();
        QWidget *shown = view()->detailPage();
        for (DisclosureGroup *group : shown->findChildren<DisclosureGroup *>())
            group->setExpanded(true);
        settle();
        return shown;
    }

    // The page of the sidebar's row titled `title` with its first element chosen.
    QWidget *firstElementOf(const char *title)
    {
        auto *objects = qobject_cast<MapObjectListView *>(page(title));
        EXPECT_NE(objects, nullptr) << title;
        if (!objects)
            return nullptr;
        QAbstractItemModel *rows = objects->listView()->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QVariant id = rows->index(row, 0).data(MapObjectListModel::IdRole);
            if (id.isValid()) {
                objects->select(MapObjectListView::Selection{id.toUuid()});
                break;
            }
        }
        settle();
        for (DisclosureGroup *group : objects->findChildren<DisclosureGroup *>())
            group->setExpanded(true);
        settle();
        return objects;
    }

    SystemListView *systems() { return qobject_cast<SystemListView *>(page("Systems")); }

    StarMapView *mapWithCard()
    {
        auto *map = qobject_cast<StarMapView *>(page("Star Map"));
        if (map)
            map->search(QStringLiteral("Kessa"));
        settle();
        return map;
    }

    QWidget *routedWindow(const QString &id, bool group = false)
    {
        RoutedWindow *opened = group ? m_app->router()->openWindow(id, universe()->data().first().coordinates)
                                     : m_app->router()->openWindow(id);
        EXPECT_NE(opened, nullptr);
        if (opened) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(opened));
            // Small enough for what it shows to scroll, so that its page is a stop too.
            opened->resize(360, 300);
        }
        settle();
        return opened;
    }
};

TEST_F(TabOrder, EveryFormIsWalkedInReadingOrderAndWhole)
{
    const struct
    {
        const char *name;
        std::function<QWidget *()> open;
    } forms[] = {
        {"the sidebar", [this] { return view()->findChild<QWidget *>(QStringLiteral("sidebar")); }},
        {"the system generator", [this] { return page("System Generator"); }},
        {"the systems list", [this] { return systems(); }},
        {"a system's page",
         [this] {
             SystemListView *list = systems();
             list->showDetail(universe()->data().first());
             settle();
             return list;
         }},
        {"a system's page longer than the window",
         [this] {
             window()->resize(1000, 300);
             SystemListView *list = systems();
             list->showDetail(universe()->data().first());
             settle();
             // Then the page itself is a stop, from which the keys scroll it.
             EXPECT_TRUE(list->currentPage()->focusPolicy() & Qt::TabFocus);
             return list;
         }},
        {"the system editor",
         [this] {
             SystemListView *list = systems();
             list->showEditor(EditRoute{universe()->data().first()});
             settle();
             return list;
         }},
        {"the map's view column",
         [this] { return qobject_cast<StarMapView *>(page("Star Map"))->controlsPanel(); }},
        {"the map's view column in the referee's view",
         [this] {
             universe()->setMapViewMode(MapViewMode::referee);
             auto *map = qobject_cast<StarMapView *>(page("Star Map"));
             map->viewMenu()->searchField()->setText(QStringLiteral("Kes"));
             settle();
             return map->controlsPanel();
         }},
        {"the map's system card", [this] { return mapWithCard()->overlayCard(); }},
        {"the rutter form", [this] { return page("Routes"); }},
        {"a rutter", [this] { return firstElementOf("Routes"); }},
        {"the nebula form", [this] { return page("Nebulae"); }},
        {"a nebula", [this] { return firstElementOf("Nebulae"); }},
        {"the region form", [this] { return page("Regions"); }},
        {"a region", [this] { return firstElementOf("Regions"); }},
        {"the label form", [this] { return page("Labels"); }},
        {"a label", [this] { return firstElementOf("Labels"); }},
        {"the faction lists", [this] { return page("Factions Lists"); }},
        {"a faction list", [this] { return firstElementOf("Factions Lists"); }},
        {"the faction form", [this] { return page("New Faction"); }},
        {"a faction",
         [this] {
             toggleGroup(FactionCategory::megacorporation);
             return page("SC");
         }},
        {"the import form", [this] { return page("Traveller Map import"); }},
        {"the travel window", [this] { return routedWindow(WindowId::systemTravel, true); }},
        {"the world information window", [this] { return routedWindow(WindowId::worldInfo, true); }},
        {"the UWP reference", [this] { return routedWindow(WindowId::uwpReference); }},
        {"the About window", [this] { return routedWindow(WindowId::about); }},
    };
    for (const auto &[name, open] : forms) {
        SCOPED_TRACE(name);
        window()->resize(1000, 700);
        QWidget *form = open();
        ASSERT_NE(form, nullptr);
        tabFollowsReadingOrder(form);
    }
}
