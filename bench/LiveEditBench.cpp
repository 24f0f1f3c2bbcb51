// Edits in the running program (LiveApp) on the two shapes of universe, with the
// screens the user has on show: a faction added while the Rutters screen shows, and a
// system's "Save Changes" in the Systems screen, whose detail view comes back on
// screen once the save is written. The time is the GUI thread's handling of the edit
// itself; the counters give the passes of the GUI thread until what follows it has
// been shown (longest_pass_ms, p95_pass_ms) and the machine's load. And the four edits
// the editors make with the star map on show, each right after the write of the one
// before has finished.
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "LiveMap.h"
#include "PaintWatch.h"
#include "SyntheticSystems.h"
#include "screens/ui/SystemDetailView.h"
#include "screens/ui/SystemEditorView.h"
#include "screens/ui/SystemListView.h"
#include "starmap/ui/StarMapView.h"
#include "universe/StarfarerUniverse.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

// A faction inserted as an import's apply or the faction form inserts one, the
// Rutters screen on show; it goes again after each repetition. The passes are those of
// the 150 ms after the insert, painting included.
void BM_AddFactionWithRuttersShown(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    app.showPage(DestinationKind::rutters);
    StarfarerUniverse &universe = app.universe();
    static quint32 added = 0;
    for (auto _ : state) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.name = syntheticName(600000u + added++);
        const GuiThreadPasses passes;
        double inserted = -1;
        DrivenLoop::post(&universe, [&] {
            const LiveClock::time_point start = LiveClock::now();
            universe.insertObject(faction);
            inserted = millisecondsSince(start);
        });
        DrivenLoop::runUntil([&] { return inserted >= 0; });
        DrivenLoop::runFor(150);
        state.SetIterationTime(inserted / 1e3);
        reportPasses(state, passes);
        DrivenLoop::post(&universe, [&] { universe.removeObject<Faction>(faction.id); });
        DrivenLoop::runFor(150);
    }
}

template <typename Page> Page *pageOn(const SystemListView &list)
{
    return qobject_cast<Page *>(list.currentPage());
}

// In the Systems screen, a system's detail view and then its editor; the last letter of
// its name typed anew, and "Save Changes" clicked. The time is the click's handling
// (the document's replace, its listeners and the save request); back_ms the time until
// the editor has closed on the written save and the detail view is painted again.
void BM_SaveChangesWithDetailShown(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    app.showPage(DestinationKind::systems);
    auto *list = qobject_cast<SystemListView *>(app.page());
    if (!pageOn<SystemDetailView>(*list)) {
        const HexData hex = app.universe().data()[app.universe().data().size() / 2];
        DrivenLoop::post(list, [list, hex] { list->showDetail(hex); });
        DrivenLoop::runUntil([list] { return pageOn<SystemDetailView>(*list); });
    }
    QPointer<SystemDetailView> detail = pageOn<SystemDetailView>(*list);
    const PaintWatch detailPaints([&detail]() -> QWidget * { return detail; });
    for (auto _ : state) {
        if (!detail) {
            state.SkipWithError("no detail view");
            continue;
        }
        DrivenLoop::post(detail, [&detail] { detail->edit(); });
        DrivenLoop::runUntil([list] { return pageOn<SystemEditorView>(*list); });
        SystemEditorView *editor = pageOn<SystemEditorView>(*list);
        const QString before = editor->state().system.name;
        const bool x = !before.endsWith(QLatin1Char('x'));
        auto *name = editor->findChild<QLineEdit *>(QStringLiteral("systemName"));
        DrivenLoop::type(*name, Qt::Key_End);
        DrivenLoop::type(*name, Qt::Key_Backspace);
        DrivenLoop::type(*name, x ? Qt::Key_X : Qt::Key_Y, x ? QStringLiteral("x") : QStringLiteral("y"));
        if (!DrivenLoop::runUntil([&] { return editor->state().system.name != before; }, 10)) {
            state.SkipWithError("the name was not typed");
            continue;
        }
        DrivenLoop::runFor(100);

        auto *save = editor->findChild<QPushButton *>(QStringLiteral("saveChanges"));
        const GuiThreadPasses passes;
        const int paints = detailPaints.paints();
        double saved = -1;
        const LiveClock::time_point start = LiveClock::now();
        DrivenLoop::post(save, [&] {
            const LiveClock::time_point click = LiveClock::now();
            save->click();
            saved = millisecondsSince(click);
        });
        if (!DrivenLoop::runUntil(
                [&] { return pageOn<SystemDetailView>(*list) == detail && detailPaints.paints() > paints; }))
            state.SkipWithError("the detail view did not come back");
        state.SetIterationTime(saved / 1e3);
        state.counters["back_ms"] = millisecondsSince(start);
        reportPasses(state, passes);
        DrivenLoop::runFor(100);
    }
}

// The edits an editor makes to the document, each followed at once by its save, as
// the editors' buttons do; each is undone (and saved) before the next.
enum class MapEdit { editSystem, addRutter, addFaction, deleteSystem };

// Makes one edit of `kind` to `universe` and returns how to undo it.
std::function<void()> makeEdit(StarfarerUniverse &universe, MapEdit kind)
{
    static quint32 edits = 0;
    ++edits;
    const HexList &data = universe.data();
    switch (kind) {
    case MapEdit::editSystem: {
        HexData hex = data[qsizetype(edits * 7919u % quint32(data.size()))];
        hex.starSystem.name = syntheticName(500000u + edits);
        universe.replaceHex(hex);
        return {};
    }
    case MapEdit::addRutter: {
        const qsizetype from = qsizetype(edits * 104729u % quint32(data.size() - 1));
        const Rutter rutter{QUuid::createUuid(),
                            universe.factions()[qsizetype(edits) % universe.factions().size()].id,
                            data[from].coordinates,
                            data[from + 1].coordinates,
                            false,
                            RutterAge::recent,
                            std::nullopt};
        universe.insertObject(rutter);
        return [&universe, id = rutter.id] { universe.removeObject<Rutter>(id); };
    }
    case MapEdit::addFaction: {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.name = syntheticName(400000u + edits);
        universe.insertObject(faction);
        return [&universe, id = faction.id] { universe.removeObject<Faction>(id); };
    }
    case MapEdit::deleteSystem: {
        const HexData gone = data[qsizetype(edits * 7919u % quint32(data.size()))];
        universe.removeHex(gone.id);
        return [&universe, gone] { universe.insertHex(gone); };
    }
    }
    return {};
}

struct Handling
{
    double wall = -1; // milliseconds
    double cpu = 0;
};

// Runs `change` and its save in a coming pass of the GUI thread, and returns how long
// the pass spent on them, once their write has finished and the map is sharp again.
Handling editAndSave(LiveApp &app, const std::function<void()> &change)
{
    StarfarerUniverse &universe = app.universe();
    Handling spent;
    DrivenLoop::post(&universe, [&] {
        const double cpu = threadCpuMilliseconds();
        const LiveClock::time_point start = LiveClock::now();
        change();
        universe.save();
        spent = {millisecondsSince(start), threadCpuMilliseconds() - cpu};
    });
    if (!DrivenLoop::runUntil(
            [&] { return spent.wall >= 0 && universe.saveState().kind == SaveState::Kind::clean; }))
        qFatal("The edit was not written");
    if (StarMapView *map = app.mapView(); map && !LiveMap(*map).runUntilSharp())
        qFatal("The map did not become sharp");
    return spent;
}

// One edit of `kind` at 50,000 systems with the star map on show and sharp, made right
// after the write of the edit before it finished (the undoing of the last
// repetition's edit, or its own edit): the time is the GUI thread's handling of the
// edit and its save request; gui_cpu_ms its CPU time. The passes are those until the
// edit is written and the map sharp again.
void BM_EditRightAfterSaveWithMapShown(benchmark::State &state, MapEdit kind)
{
    LiveApp &app = LiveApp::of(UniverseShape::fiftyThousandWithMapRecords);
    app.showPage(DestinationKind::starmap);
    StarfarerUniverse &universe = app.universe();
    for (auto _ : state) {
        std::function<void()> undo;
        const GuiThreadPasses passes;
        const Handling spent = editAndSave(app, [&] { undo = makeEdit(universe, kind); });
        state.SetIterationTime(spent.wall / 1e3);
        state.counters["gui_cpu_ms"] = spent.cpu;
        reportPasses(state, passes);
        if (undo)
            editAndSave(app, undo);
    }
}

} // namespace

LIVE_BENCHMARK(BM_AddFactionWithRuttersShown, 20);
LIVE_BENCHMARK(BM_SaveChangesWithDetailShown, 10);
#define EDIT_BENCHMARK(edit)                                                                                 \
    BENCHMARK_CAPTURE(BM_EditRightAfterSaveWithMapShown, edit, MapEdit::edit)->Apply([](auto *b) {           \
        liveRuns(b, 20);                                                                                     \
    })
EDIT_BENCHMARK(editSystem);
EDIT_BENCHMARK(addRutter);
EDIT_BENCHMARK(addFaction);
EDIT_BENCHMARK(deleteSystem);
#undef EDIT_BENCHMARK
