// The Systems list of the running program (LiveApp) on the two shapes of universe, as
// the user first meets it: the universe opened afresh (LiveApp::reopen, so nothing the
// list searches or sorts by is made yet), the list opened from the sidebar and left to
// settle, then the first letter typed in its search or the first other order chosen
// in its sort menu. The time runs from the key or the menu choice until the list's rows
// are painted in their new state; the counters give the GUI thread's CPU time until
// then (gui_cpu_ms), its event-loop passes meanwhile (longest_pass_ms, p95_pass_ms)
// and the machine's load.
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "PaintWatch.h"
#include "screens/SystemListProxy.h"
#include "screens/ui/SystemListView.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPointer>

#include <functional>

namespace {

// Whether the rows of a Systems list were painted since they last changed.
class RowsShown
{
public:
    explicit RowsShown(SystemListView &list)
        : m_viewport(list.findChild<QListView *>()->viewport()),
          m_paints([this] { return m_viewport.data(); })
    {
        SystemListProxy *rows = list.model();
        const auto changed = [this] {
            m_changed = true;
            m_paintsAtChange = m_paints.paints();
        };
        QObject::connect(rows, &QAbstractItemModel::layoutChanged, &m_context, changed);
        QObject::connect(rows, &QAbstractItemModel::modelReset, &m_context, changed);
        QObject::connect(rows, &QAbstractItemModel::rowsInserted, &m_context, changed);
        QObject::connect(rows, &QAbstractItemModel::rowsRemoved, &m_context, changed);
    }

    bool paintedSinceChange() const { return m_changed && m_paints.paints() > m_paintsAtChange; }

private:
    QPointer<QWidget> m_viewport;
    PaintWatch m_paints;
    QObject m_context;
    bool m_changed = false;
    int m_paintsAtChange = 0;
};

// Opens the Systems list afresh and, once it has settled, does `use` to it: the time
// until its rows are painted in the state `done` tells.
void firstUse(benchmark::State &state, UniverseShape shape, const std::function<void(SystemListView &)> &use,
              const std::function<bool(const SystemListProxy &)> &done)
{
    LiveApp &app = LiveApp::of(shape);
    for (auto _ : state) {
        app.reopen();
        app.showPage(DestinationKind::systems);
        auto *list = qobject_cast<SystemListView *>(app.page());
        if (!list) {
            state.SkipWithError("no Systems list");
            break;
        }
        const RowsShown rows(*list);
        const GuiThreadPasses passes;
        const double cpu = threadCpuMilliseconds();
        const LiveClock::time_point start = LiveClock::now();
        use(*list);
        if (!DrivenLoop::runUntil([&] { return done(*list->model()) && rows.paintedSinceChange(); }))
            state.SkipWithError("the rows were not shown");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        state.counters["gui_cpu_ms"] = threadCpuMilliseconds() - cpu;
        reportPasses(state, passes);
    }
}

// The letter "a" typed in the search field: it matches most systems, by a name or a
// world's name or as the letter of subsector A.
void BM_FirstKeystrokeInSystemsList(benchmark::State &state, UniverseShape shape)
{
    const QString typed = QStringLiteral("a");
    firstUse(
        state, shape,
        [&](SystemListView &list) { DrivenLoop::type(*list.findChild<QLineEdit *>(), Qt::Key_A, typed); },
        [&](const SystemListProxy &rows) { return rows.searchText() == typed; });
}

// `order` chosen in the sort menu, as a click on its entry does.
void firstSort(benchmark::State &state, UniverseShape shape, SystemSort order)
{
    firstUse(
        state, shape,
        [order](SystemListView &list) {
            for (QAction *action : list.findChildren<QAction *>()) {
                if (action->isCheckable() && action->iconText() == rawValue(order))
                    DrivenLoop::post(action, [action] { action->trigger(); });
            }
        },
        [order](const SystemListProxy &rows) { return rows.sortOrder() == order; });
}

void BM_FirstSortOfSystemsListByName(benchmark::State &state, UniverseShape shape)
{
    firstSort(state, shape, SystemSort::name);
}

void BM_FirstSortOfSystemsListByMainWorld(benchmark::State &state, UniverseShape shape)
{
    firstSort(state, shape, SystemSort::mainWorld);
}

} // namespace

LIVE_BENCHMARK(BM_FirstKeystrokeInSystemsList, 10);
LIVE_BENCHMARK(BM_FirstSortOfSystemsListByName, 10);
LIVE_BENCHMARK(BM_FirstSortOfSystemsListByMainWorld, 10);
