// Leaving the open universe in the running program (LiveApp) on the two shapes of
// universe, as the user does it right after an edit whose write is still pending:
// the small universe chosen in the universe menu, a new universe made through "New
// Universe…", or the open universe deleted through "Delete…"; switching between the
// two universes every 400 ms while each write of the settings file takes a second, as
// on a busy disk; and switching while the universe left is edited every 250 ms. What
// the benchmarks wait for they hear from the store's signals (StoreWatch), never from
// what its operations return.
//
// The time of a run is the longest pass of the GUI thread (GuiThreadPasses) over all
// of it: from the edit until the universe the store opened instead shows its map
// sharp and the universe left is written (or, deleted, its file is gone). Counters:
// passes_over_50ms; shown_ms, from the confirming choice or click until the map is
// sharp; left_ms, until the universe left is written or gone; longest_pass_cpu_ms, the
// GUI thread's CPU time in its longest pass by that time; load.
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "SettingsDisk.h"
#include "StoreWatch.h"
#include "app/ControlView.h"
#include "app/UniverseAlertDialog.h"
#include "app/UniverseMenuButton.h"
#include "universe/UniverseManager.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

// A system of the open universe renamed and saved, as the system editor's "Save
// Changes" does. Returns whether its write was still pending once the edit was made.
bool editAndSave(LiveApp &app)
{
    static int edits = 0;
    StarfarerUniverse &universe = app.universe();
    bool done = false;
    DrivenLoop::post(&universe, [&] {
        HexData hex = universe.data()[universe.data().size() / 2];
        hex.starSystem.name = QStringLiteral("Edited %1").arg(++edits);
        universe.replaceHex(hex);
        universe.save();
        done = true;
    });
    DrivenLoop::runUntil([&] { return done; });
    return universe.saveState().kind == SaveState::Kind::saving;
}

// Waits for the universe alert the menu asked for and clicks its confirming button.
void confirmAlert(LiveApp &app)
{
    UniverseAlertDialog *alert = nullptr;
    if (!DrivenLoop::runUntil(
            [&] {
                alert = app.controlView().findChild<UniverseAlertDialog *>(QStringLiteral("universeAlert"));
                return alert && alert->isVisible();
            },
            10))
        qFatal("The universe alert was not shown");
    QPushButton *confirm = alert->confirmButton();
    DrivenLoop::post(confirm, [confirm] { confirm->click(); });
}

enum class Leaving { switchUniverse, createUniverse, deleteUniverse };

// Leaves the shape's universe the way `leaving` names, right after an edit; with
// `keptScreens`, once the Systems and Rutters screens were shown (and kept) before
// the map came back.
void leaveAfterEdit(benchmark::State &state, UniverseShape shape, Leaving leaving, bool keptScreens = false)
{
    for (auto _ : state) {
        LiveApp &app = LiveApp::of(shape);
        if (keptScreens) {
            for (const DestinationKind kind :
                 {DestinationKind::systems, DestinationKind::rutters, DestinationKind::starmap})
                app.showPage(kind);
        }
        const QString file = app.universe().filePath();
        const QDateTime written = QFileInfo(file).lastModified();
        const StoreWatch store(app.manager());
        const GuiThreadPasses passes;
        if (!editAndSave(app))
            state.SkipWithError("the edit was written before the universe was left");
        LiveClock::time_point start;
        switch (leaving) {
        case Leaving::switchUniverse:
            start = LiveClock::now();
            app.chooseUniverse(app.smallID());
            break;
        case Leaving::createUniverse:
            app.chooseInMenu(
                [](const QAction &entry) { return entry.text() == UniverseMenuButton::tr("New Universe…"); });
            confirmAlert(app);
            start = LiveClock::now();
            break;
        case Leaving::deleteUniverse:
            app.chooseInMenu(
                [](const QAction &entry) { return entry.objectName() == QStringLiteral("deleteUniverse"); });
            confirmAlert(app);
            start = LiveClock::now();
            break;
        }
        if (!store.runUntilCurrentOtherThan(app.shapeID()))
            state.SkipWithError("no other universe was opened");
        app.runUntilShown();
        state.counters["shown_ms"] = millisecondsSince(start);
        const bool gone = leaving == Leaving::deleteUniverse;
        if (!DrivenLoop::runUntil([&] {
                const QFileInfo now(file);
                return gone ? !now.exists() : now.exists() && now.lastModified() != written;
            }))
            state.SkipWithError("the universe left was not written");
        state.counters["left_ms"] = millisecondsSince(start);
        state.SetIterationTime(passes.longest() / 1e3);
        state.counters["passes_over_50ms"] = double(passes.countOver(50));
        state.counters["longest_pass_cpu_ms"] = passes.longestCpu();
        state.counters["load"] = loadAverage();
        // A deleted universe comes back with the program started afresh.
        if (gone)
            LiveApp::close();
    }
}

void BM_SwitchUniverseRightAfterEdit(benchmark::State &state, UniverseShape shape)
{
    leaveAfterEdit(state, shape, Leaving::switchUniverse);
}

// The same with every kept screen alive: the Systems list, the Rutters list and the
// map all go with the universe left.
void BM_SwitchUniverseWithKeptScreensRightAfterEdit(benchmark::State &state, UniverseShape shape)
{
    leaveAfterEdit(state, shape, Leaving::switchUniverse, true);
}

void BM_CreateUniverseRightAfterEdit(benchmark::State &state, UniverseShape shape)
{
    leaveAfterEdit(state, shape, Leaving::createUniverse);
}

void BM_DeleteOpenUniverseRightAfterEdit(benchmark::State &state, UniverseShape shape)
{
    leaveAfterEdit(state, shape, Leaving::deleteUniverse);
}

// With the shape's universe open, six switches between it and the small universe, the
// next one chosen 400 ms after the one before, or once the store made the one before
// current if that takes longer, while every write of the settings file takes a
// second. The time is the longest pass from the first choice until the last
// universe's map is sharp; switches_ms the time that took.
void BM_SwitchWithSlowSettingsWrite(benchmark::State &state, UniverseShape shape)
{
    constexpr double kPace = 400;
    for (auto _ : state) {
        LiveApp &app = LiveApp::of(shape);
        SettingsDisk::setWriteLatency(std::chrono::seconds(1));
        const GuiThreadPasses passes;
        const LiveClock::time_point start = LiveClock::now();
        for (int i = 0; i < 6; ++i) {
            const QUuid target = i % 2 == 0 ? app.smallID() : app.shapeID();
            const StoreWatch store(app.manager());
            const LiveClock::time_point chosen = LiveClock::now();
            app.chooseUniverse(target);
            if (!store.runUntilCurrentIs(target))
                state.SkipWithError("the universe was not opened");
            if (const double rest = kPace - millisecondsSince(chosen); rest > 0)
                DrivenLoop::runFor(rest);
        }
        app.runUntilShown();
        state.counters["switches_ms"] = millisecondsSince(start);
        state.SetIterationTime(passes.longest() / 1e3);
        state.counters["passes_over_50ms"] = double(passes.countOver(50));
        state.counters["load"] = loadAverage();
        // The writes still waiting go at once; the one under way ends within a second.
        SettingsDisk::setWriteLatency(std::chrono::milliseconds(0));
        DrivenLoop::runFor(1100);
    }
}

// With the shape's universe open and one of its systems edited and saved every
// 250 ms, as a user busy in the system editor might, the small universe is chosen in
// the menu: the switch waits only for the writes of the edits made before it, so it
// ends however long each write takes. The time is the longest pass of the GUI thread
// from the choice until the small universe's map is sharp; switch_ms, until the store
// made it current; edits, how many were made from the choice until then.
void BM_SwitchWhileEditingSteadily(benchmark::State &state, UniverseShape shape)
{
    for (auto _ : state) {
        LiveApp &app = LiveApp::of(shape);
        QPointer<StarfarerUniverse> edited = &app.universe();
        int edits = 0;
        QTimer editor;
        QObject::connect(&editor, &QTimer::timeout, edited, [&] {
            HexData hex = edited->data()[edited->data().size() / 2];
            hex.starSystem.name = QStringLiteral("Steady %1").arg(++edits);
            edited->replaceHex(hex);
            edited->save();
        });
        editor.start(250);
        // Edits under way, their writes one after another.
        DrivenLoop::runFor(1000);
        const int editsBefore = edits;
        const StoreWatch store(app.manager());
        const GuiThreadPasses passes;
        const LiveClock::time_point start = LiveClock::now();
        app.chooseUniverse(app.smallID());
        if (!store.runUntilCurrentIs(app.smallID()))
            state.SkipWithError("the switch never ended");
        state.counters["switch_ms"] = millisecondsSince(start);
        state.counters["edits"] = double(edits - editsBefore);
        editor.stop();
        app.runUntilShown();
        state.SetIterationTime(passes.longest() / 1e3);
        state.counters["passes_over_50ms"] = double(passes.countOver(50));
        state.counters["load"] = loadAverage();
        // The universe left is written before the next run opens it again.
        DrivenLoop::runUntil([&] { return !edited; });
    }
}

} // namespace

LIVE_BENCHMARK(BM_SwitchUniverseRightAfterEdit, 5);
LIVE_BENCHMARK(BM_SwitchUniverseWithKeptScreensRightAfterEdit, 5);
LIVE_BENCHMARK(BM_CreateUniverseRightAfterEdit, 5);
LIVE_BENCHMARK(BM_DeleteOpenUniverseRightAfterEdit, 5);
LIVE_BENCHMARK(BM_SwitchWithSlowSettingsWrite, 3);
LIVE_BENCHMARK(BM_SwitchWhileEditingSteadily, 5);
