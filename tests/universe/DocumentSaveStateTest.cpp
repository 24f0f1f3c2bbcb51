// The one save state a document publishes: a write asked for or running is "saving",
// a refused write is "failed" with the message every view shows and the retry it
// waits for, and the next write that succeeds makes it "clean" again. "Saving" is
// told once while it lasts; every write's outcome is told in turn, even several at
// once, and a failure is told even when the next write has already begun.
#include "RandomRecords.h"
#include "RunningWaits.h"
#include "ScriptedWrites.h"
#include "UniverseStoreSupport.h"

#include <QDir>
#include <QSemaphore>
#include <QSignalSpy>

#include <limits>

using std::chrono::milliseconds;
using Kind = SaveState::Kind;
using DocumentSaveState = UniverseStoreTest;

namespace {

// Every state the document publishes, in order.
class StateLog
{
public:
    explicit StateLog(StarfarerUniverse &universe)
    {
        QObject::connect(&universe, &StarfarerUniverse::saveStateChanged, &universe,
                         [this, &universe] { m_states.append(universe.saveState()); });
    }
    QList<Kind> kinds() const
    {
        QList<Kind> kinds;
        for (const SaveState &state : m_states)
            kinds.append(state.kind);
        return kinds;
    }
    const QList<SaveState> &states() const { return m_states; }
    void clear() { m_states.clear(); }

private:
    QList<SaveState> m_states;
};

// Puts a folder where the file belongs, so that the rename that replaces it is
// refused.
void refuseWrites(const QString &file)
{
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
}

} // namespace

TEST_F(DocumentSaveState, AFailureCarriesItsMessageAndRetryAndASuccessMakesItCleanAgain)
{
    StarfarerUniverse universe(folder());
    universe.setSaveRetryDelays(milliseconds(60000), milliseconds(60000)); // no retry runs during the test
    EXPECT_EQ(universe.saveState(), SaveState{});
    ASSERT_TRUE(universe.saveNow());
    EXPECT_EQ(universe.saveState(), (SaveState{Kind::clean, {}, {}, 1})); // requests count from 1

    const QString file = universe.filePath();
    refuseWrites(file);
    StateLog log(universe);
    QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
    universe.setName(QStringLiteral("Edited"));
    universe.save();
    EXPECT_EQ(universe.saveState().kind, Kind::saving);
    ASSERT_TRUE(failures.wait(10000));

    const SaveState failed = universe.saveState();
    EXPECT_EQ(failed.kind, Kind::failed);
    EXPECT_EQ(failed.message, failures.first().first().toString());
    EXPECT_TRUE(failed.message.startsWith(QStringLiteral("Failed to save StarfarerUniverse to ") + file));
    EXPECT_EQ(failed.nextRetry, milliseconds(60000));
    EXPECT_EQ(failed.nextRetry, universe.scheduledSaveRetry());
    EXPECT_EQ(log.kinds(), (QList<Kind>{Kind::saving, Kind::failed}));

    // Still refused: waiting tries once more, and the state stays failed.
    EXPECT_FALSE(universe.waitForPendingSave());
    EXPECT_EQ(universe.saveState().kind, Kind::failed);

    // The fault is gone: the next write clears the message and the retry.
    ASSERT_TRUE(QDir(file).removeRecursively());
    log.clear();
    const quint64 mending = universe.save();
    EXPECT_TRUE(universe.waitForPendingSave());
    EXPECT_EQ(universe.saveState(), (SaveState{Kind::clean, {}, {}, mending}));
    EXPECT_EQ(universe.scheduledSaveRetry(), std::nullopt);
    EXPECT_EQ(log.kinds(), (QList<Kind>{Kind::saving, Kind::clean}));
}

// Each write held on the saving thread until let go: the state says "saving"
// however many saves are asked meanwhile (told once), and turns "clean" only once
// the last one is written. When the held write fails and an edit made meanwhile
// mends it, the failure is still told before the next write's "saving", so that a
// view never misses it.
TEST_F(DocumentSaveState, SavingLastsWhileAWriteRunsAndAFailureIsToldEvenWhenTheNextWriteHasBegun)
{
    for (const bool heldFails : {false, true}) {
        SCOPED_TRACE(heldFails);
        StarfarerUniverse universe(folder());
        QSemaphore started, mayGo;
        universe.setWriteObserver([&](const UniverseContents &) {
            started.release();
            mayGo.acquire();
        });
        StateLog log(universe);
        if (heldFails) {
            StarmapLabel unstorable = random_records::starmapLabel();
            unstorable.angle = std::numeric_limits<double>::quiet_NaN();
            universe.setStarmapLabels({unstorable});
        }
        universe.save();
        ASSERT_TRUE(acquireRunning(started));
        if (heldFails)
            universe.setStarmapLabels({random_records::starmapLabel()});
        for (int i = 0; i < 5; ++i) {
            universe.setName(QString::number(i));
            universe.save();
            QCoreApplication::processEvents(); // nothing to tell while the write is held
        }
        EXPECT_EQ(log.kinds(), QList<Kind>{Kind::saving});

        // The first write ends; the second, of the newest state, begins and is held.
        mayGo.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return log.states().size() >= 3; }, 10000));
        ASSERT_TRUE(acquireRunning(started));
        EXPECT_EQ(universe.saveState().kind, Kind::saving);
        mayGo.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return universe.saveState().kind == Kind::clean; }, 10000));

        const QList<Kind> expected = heldFails
                                         ? QList<Kind>{Kind::saving, Kind::failed, Kind::saving, Kind::clean}
                                         : QList<Kind>{Kind::saving, Kind::clean, Kind::saving, Kind::clean};
        EXPECT_EQ(log.kinds(), expected);
        if (heldFails) {
            EXPECT_TRUE(log.states().at(1).message.startsWith(
                QStringLiteral("Failed to save StarfarerUniverse to ")));
        }
        EXPECT_EQ(StarfarerUniverse::readFile(universe.filePath(), folder())->name(), QStringLiteral("4"));
    }
}

// Outcomes reported together (a wait for the pending save collects them) are each
// published in turn, oldest first, so that a view waiting for the first write it
// asked for sees it; only the latest carries the retry. An outcome equal to the
// state before is told again.
TEST_F(DocumentSaveState, OutcomesToldTogetherArePublishedInTurn)
{
    using namespace saving_test;
    StarfarerUniverse universe(folder());
    universe.setSaveRetryDelays(milliseconds(60000), milliseconds(60000)); // no retry runs during the test
    ASSERT_TRUE(universe.saveNow());
    StateLog log(universe); // outlives the script, whose end still tells a state
    ScriptedWrites writes(universe);

    writes.plan({{Fate::refused}, {Fate::written}, {Fate::refused}});
    const quint64 first = universe.save();
    universe.setName(QStringLiteral("Second"));
    const quint64 second = universe.save();
    EXPECT_GT(second, first);
    EXPECT_TRUE(universe.waitForPendingSave());
    ASSERT_EQ(log.kinds(), (QList<Kind>{Kind::saving, Kind::failed, Kind::clean}));
    // Each outcome names the newest request its write held.
    EXPECT_EQ(log.states().at(1).holds, first);
    EXPECT_EQ(log.states().at(2).holds, second);
    EXPECT_EQ(log.states().at(1).nextRetry, std::nullopt);
    EXPECT_EQ(universe.scheduledSaveRetry(), std::nullopt);

    // The third write fails alone: the retry it waits for is published with it.
    log.clear();
    universe.save();
    EXPECT_FALSE(universe.waitForPendingSave());
    ASSERT_EQ(log.kinds(), (QList<Kind>{Kind::saving, Kind::failed}));
    const SaveState failed = log.states().at(1);
    EXPECT_EQ(failed.nextRetry, milliseconds(60000));

    // Waiting again tries once more, a request of its own, and fails the same way:
    // told again, unchanged but for that request.
    log.clear();
    writes.plan({{Fate::refused}});
    EXPECT_FALSE(universe.waitForPendingSave());
    ASSERT_EQ(log.states().size(), 1);
    SaveState again = log.states().first();
    EXPECT_EQ(again.holds, failed.holds + 1);
    again.holds = failed.holds;
    EXPECT_EQ(again, failed);
    EXPECT_EQ(writes.unused(), 0);
    EXPECT_EQ(writes.unplanned(), 0);
}
