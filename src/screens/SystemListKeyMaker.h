#pragma once

#include "SystemListKeys.h"
#include "universe/HexList.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

// Makes what the system list searches and sorts by for every system of a large
// universe ahead of need, on the program's pools (a job and its parts), from a copy of
// the universe's list, in two steps: the search texts, then the names of the systems
// and of their main worlds with the rows in each order of names. Each step is handed
// over on the GUI thread as soon as it is made, so that a list opened on many
// thousands of systems finds them made when it is first searched or sorted, instead
// of making them on the GUI thread then.
class SystemListKeyMaker : public QObject
{
    Q_OBJECT

public:
    // What one step made, by row of the copy: each entry holds its place and what the
    // step made; `orders` holds the rows of the copy in the order the step sorted.
    struct Made
    {
        std::vector<SystemListKeys> entries;
        std::vector<std::pair<SystemSort, std::vector<int>>> orders;
    };

    // `take` is handed what each step made, on this object's thread.
    explicit SystemListKeyMaker(std::function<void(Made &)> take, QObject *parent = nullptr);

    // Makes everything anew from `hexes`, forgetting what was under way. The making
    // counts as under way at once; its job starts once the event loop has shown what
    // the list's opening changed, so that it never competes with that.
    void start(const HexList &hexes);
    // Forgets what is under way: nothing more is handed over.
    void stop();
    bool isMaking() const { return m_step != Step::none; }
    bool isMakingSearchTexts() const { return m_step == Step::searchTexts; }
    // Whether the rows in `order` are still to come: an order by a name.
    bool isMakingOrder(SystemSort order) const { return SystemListKeys::sortName(order) && isMaking(); }

    // The steps, each on the calling thread and the parts pool.
    static Made searchTexts(const HexList &hexes);
    static Made names(const HexList &hexes);

private:
    // In the order they are made.
    enum class Step { none, searchTexts, names };
    void run(Step step);

    std::function<void(Made &)> m_take;
    HexList m_hexes;
    Step m_step = Step::none;
    QTimer m_launch;
    QFutureWatcher<Made> *m_watcher = nullptr;
};
