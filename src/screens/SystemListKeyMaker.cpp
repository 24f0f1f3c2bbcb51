#include "SystemListKeyMaker.h"

#include "SystemListOrders.h"
#include "model/NaturalOrder.h"
#include "universe/WorkerPools.h"

#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <numeric>

namespace {

// Splits [0, count) into runs, one per core of the parts pool but one, left to the
// GUI thread (which lays out and paints the list meanwhile), and does `work(first,
// end)` for each run, side by side on the parts pool. Returns where the runs start,
// and `count` last.
template <typename Work> std::vector<qsizetype> inRuns(qsizetype count, Work work)
{
    const qsizetype runs =
        std::clamp<qsizetype>(partsPool()->maxThreadCount() - 1, 1, std::max<qsizetype>(count, 1));
    std::vector<qsizetype> starts(std::size_t(runs + 1));
    for (qsizetype run = 0; run <= runs; ++run)
        starts[std::size_t(run)] = count * run / runs;
    std::vector<qsizetype> firsts(starts.cbegin(), starts.cend() - 1);
    QtConcurrent::blockingMap(partsPool(), firsts, [&](const qsizetype &first) {
        work(first, starts[std::size_t(&first - firsts.data()) + 1]);
    });
    return starts;
}

// Makes `made.entries` from `hexes`, each with its place and what `make(row, entry,
// hex)` adds, in runs side by side.
template <typename Make> void makeEntries(SystemListKeyMaker::Made &made, const HexList &hexes, Make make)
{
    made.entries.resize(std::size_t(hexes.size()));
    inRuns(hexes.size(), [&](qsizetype first, qsizetype end) {
        HexList::const_iterator hex = hexes.begin() + first;
        for (qsizetype row = first; row < end; ++row, ++hex) {
            SystemListKeys &entry = made.entries[std::size_t(row)];
            entry = SystemListKeys::of(*hex);
            make(row, entry, *hex);
        }
    });
}

// Sorts `rows` by `before` in runs side by side, then merges the runs one after the
// other.
void sortInRuns(std::vector<int> &rows, const SystemListOrders::ByName &before)
{
    const std::vector<qsizetype> starts = inRuns(qsizetype(rows.size()), [&](qsizetype first, qsizetype end) {
        std::sort(rows.begin() + first, rows.begin() + end, std::cref(before));
    });
    for (std::size_t run = 1; run + 1 < starts.size(); ++run)
        std::inplace_merge(rows.begin(), rows.begin() + starts[run], rows.begin() + starts[run + 1],
                           std::cref(before));
}

} // namespace

SystemListKeyMaker::SystemListKeyMaker(std::function<void(Made &)> take, QObject *parent)
    : QObject(parent), m_take(std::move(take))
{
    m_launch.setSingleShot(true);
    connect(&m_launch, &QTimer::timeout, this, [this] { run(Step::searchTexts); });
}

void SystemListKeyMaker::start(const HexList &hexes)
{
    stop();
    m_hexes = hexes;
    m_step = Step::searchTexts;
    m_launch.start(0);
}

void SystemListKeyMaker::stop()
{
    m_step = Step::none;
    m_hexes = {};
    m_launch.stop();
    if (!m_watcher)
        return;
    // The job runs to its end; what it makes is dropped with its watcher.
    m_watcher->disconnect(this);
    std::exchange(m_watcher, nullptr)->deleteLater();
}

void SystemListKeyMaker::run(Step step)
{
    m_step = step;
    m_watcher = new QFutureWatcher<Made>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, [this] {
        QFutureWatcher<Made> *watcher = std::exchange(m_watcher, nullptr);
        watcher->deleteLater();
        Made made = watcher->future().takeResult();
        // The names are made while the search texts are taken in.
        if (m_step == Step::searchTexts) {
            run(Step::names);
        } else {
            m_step = Step::none;
            m_hexes = {};
        }
        m_take(made);
    });
    m_watcher->setFuture(
        QtConcurrent::run(jobPool(), step == Step::searchTexts ? &searchTexts : &names, m_hexes));
}

SystemListKeyMaker::Made SystemListKeyMaker::searchTexts(const HexList &hexes)
{
    Made made;
    makeEntries(made, hexes, [](qsizetype, SystemListKeys &entry, const HexData &hex) {
        entry.haystack = SystemListKeys::searchedText(hex);
    });
    return made;
}

SystemListKeyMaker::Made SystemListKeyMaker::names(const HexList &hexes)
{
    Made made;
    // Whether each system's main world carries the system's name, as every imported
    // one does: its key is then made once for both.
    std::vector<char> alike(std::size_t(hexes.size()));
    makeEntries(made, hexes, [&alike](qsizetype row, SystemListKeys &entry, const HexData &hex) {
        // A collator per thread: one collator is not made to be used by several at once.
        thread_local const NaturalOrder names;
        const QString name = SystemListKeys::sortedText(SystemSort::name, hex);
        const QString mainWorldName = SystemListKeys::sortedText(SystemSort::mainWorld, hex);
        entry.name = SystemListKeys::sortNameOf(name, names);
        alike[std::size_t(row)] = mainWorldName == name;
        entry.mainWorldName =
            alike[std::size_t(row)] ? *entry.name : SystemListKeys::sortNameOf(mainWorldName, names);
    });
    std::vector<int> byName(made.entries.size());
    std::iota(byName.begin(), byName.end(), 0);
    sortInRuns(byName, SystemListOrders::ByName(SystemSort::name, made.entries));

    // The systems whose main world carries their name stand among themselves as they
    // do by name; the others are sorted apart, and both merged.
    std::vector<int> alikeByName;
    std::vector<int> others;
    for (const int row : byName)
        (alike[std::size_t(row)] ? alikeByName : others).push_back(row);
    const SystemListOrders::ByName byMainWorldName(SystemSort::mainWorld, made.entries);
    sortInRuns(others, byMainWorldName);
    std::vector<int> byMainWorld(made.entries.size());
    std::merge(alikeByName.cbegin(), alikeByName.cend(), others.cbegin(), others.cend(), byMainWorld.begin(),
               std::cref(byMainWorldName));
    made.orders = {{SystemSort::name, std::move(byName)}, {SystemSort::mainWorld, std::move(byMainWorld)}};
    return made;
}
