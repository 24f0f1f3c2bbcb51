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

// Makes `made.entries` from `hexes`, each with its place and what `make(entry, hex)`
// adds, in runs side by side.
template <typename Make> void makeEntries(SystemListKeyMaker::Made &made, const HexList &hexes, Make make)
{
    made.entries.resize(std::size_t(hexes.size()));
    inRuns(hexes.size(), [&](qsizetype first, qsizetype end) {
        HexList::const_iterator hex = hexes.begin() + first;
        for (qsizetype row = first; row < end; ++row, ++hex) {
            SystemListKeys &entry = made.entries[std::size_t(row)];
            entry = SystemListKeys::of(*hex);
            make(entry, *hex);
        }
    });
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

bool SystemListKeyMaker::isMakingOrder(SystemSort order) const
{
    const Step step = order == SystemSort::name ? Step::names : Step::mainWorldNames;
    return order != SystemSort::coordinates && m_step != Step::none && m_step <= step;
}

void SystemListKeyMaker::run(Step step)
{
    m_step = step;
    m_watcher = new QFutureWatcher<Made>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, [this] {
        QFutureWatcher<Made> *watcher = std::exchange(m_watcher, nullptr);
        watcher->deleteLater();
        Made made = watcher->future().takeResult();
        // The next step is made while this one is taken in.
        if (m_step == Step::mainWorldNames) {
            m_step = Step::none;
            m_hexes = {};
        } else {
            run(Step(int(m_step) + 1));
        }
        m_take(made);
    });
    QFuture<Made> job;
    if (step == Step::searchTexts)
        job = QtConcurrent::run(jobPool(), &searchTexts, m_hexes);
    else
        job = QtConcurrent::run(jobPool(), &order, m_hexes,
                                step == Step::names ? SystemSort::name : SystemSort::mainWorld);
    m_watcher->setFuture(job);
}

SystemListKeyMaker::Made SystemListKeyMaker::searchTexts(const HexList &hexes)
{
    Made made;
    makeEntries(made, hexes, [](SystemListKeys &entry, const HexData &hex) {
        entry.haystack = SystemListKeys::searchedText(hex);
    });
    return made;
}

SystemListKeyMaker::Made SystemListKeyMaker::order(const HexList &hexes, SystemSort order)
{
    Made made;
    const auto member = SystemListKeys::sortName(order);
    makeEntries(made, hexes, [order, member](SystemListKeys &entry, const HexData &hex) {
        // A collator per thread: one collator is not made to be used by several at once.
        thread_local const NaturalOrder names;
        entry.*member = SystemListKeys::sortNameOf(order, hex, names);
    });
    // Sorted in runs side by side, then the runs merged one after the other.
    const SystemListOrders::ByName before(order, made.entries);
    std::vector<int> rows(made.entries.size());
    std::iota(rows.begin(), rows.end(), 0);
    const std::vector<qsizetype> starts = inRuns(qsizetype(rows.size()), [&](qsizetype first, qsizetype end) {
        std::sort(rows.begin() + first, rows.begin() + end, std::cref(before));
    });
    for (std::size_t run = 1; run + 1 < starts.size(); ++run)
        std::inplace_merge(rows.begin(), rows.begin() + starts[run], rows.begin() + starts[run + 1],
                           std::cref(before));
    made.orders.emplace_back(order, std::move(rows));
    return made;
}
