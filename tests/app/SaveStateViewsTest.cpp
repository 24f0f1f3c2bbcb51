// What each view shows of saving while writes are scripted one by one on the saving
// thread: the main window's banner, an editor form's failure line and the
// generator follow the latest outcome reported; the system editor follows the outcomes
// of the writes that hold its own change, showing a failure until one of them
// succeeds, and closing then.
// The sequences report several outcomes at once (a wait for the pending save), hold
// a write while other saves join the next, and let a retry write what failed. The
// outcomes the document broadcasts (saved / saveFailed) are the reference each view
// is compared with.
#include "AppTestSupport.h"
#include "app/MessageBanner.h"
#include "editors/ui/NebulaEditingView.h"
#include "model/TestRecords.h"
#include "screens/ui/SystemEditorView.h"
#include "screens/ui/SystemGeneratorView.h"
#include "universe/RandomRecords.h"
#include "universe/ScriptedWrites.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <limits>

using namespace saving_test;
using std::chrono::milliseconds;

namespace {

class SaveStateViews : public AppTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(startApp());
        universe()->setSaveRetryDelays(milliseconds(3600000), milliseconds(3600000)); // no retry unless asked
        m_hex = test_records::aHex({0, 0, 2, 3}).named(QStringLiteral("Kestrel"));
        universe()->setData({m_hex});
        m_writes = std::make_unique<ScriptedWrites>(*universe());
        m_outcomes = std::make_unique<OutcomeLog>(*universe());
        openViews();
    }
    void TearDown() override
    {
        EXPECT_EQ(m_writes->unused(), 0) << "a planned write never ran";
        EXPECT_EQ(m_writes->unplanned(), 0) << "a write ran that the test did not plan";
        closeViews();
        m_outcomes.reset();
        m_writes.reset();
        AppTest::TearDown();
    }

    void openViews()
    {
        m_editor = std::make_unique<SystemEditorView>(universe(), m_hex.id);
        m_dismissals = std::make_unique<QSignalSpy>(m_editor.get(), &SystemEditorView::dismissed);
        m_form = std::make_unique<NebulaEditingView>(*universe(), std::nullopt);
        m_generator = std::make_unique<SystemGeneratorView>(universe());
    }
    void closeViews()
    {
        m_dismissals.reset();
        m_editor.reset();
        m_form.reset();
        m_generator.reset();
    }

    // The latest outcome told: what the banner, the form and the generator show.
    void expectLatestShown(const QString &failure) const
    {
        MessageBanner *banner = window()->saveFailureBanner();
        EXPECT_EQ(banner->message(), failure);
        EXPECT_EQ(banner->isHidden(), failure.isEmpty());
        EXPECT_EQ(m_form->saveFailure(), failure.isEmpty()
                                             ? QString()
                                             : QStringLiteral("The universe could not be saved: ") + failure);
        const auto *status = m_generator->findChild<QLabel *>(QStringLiteral("saveStatus"));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->isHidden() ? QString() : status->text(), failure);
    }
    // The system editor after its save: closed on a success, or open with the failure.
    void expectEditorTook(const QString &failure) const
    {
        EXPECT_EQ(m_editor->saveFailure(), failure);
        EXPECT_EQ(m_dismissals->size(), failure.isEmpty() ? 1 : 0);
        const auto *status = m_editor->findChild<QLabel *>(QStringLiteral("saveStatus"));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->isHidden() ? QString() : status->text(), failure);
    }
    void expectEditorUntouched() const
    {
        EXPECT_TRUE(m_editor->saveFailure().isEmpty());
        EXPECT_EQ(m_dismissals->size(), 0);
    }

    // The editor's save and a second one joining it, both reported in one pass by a
    // wait for the pending save (nothing else runs the event loop meanwhile).
    void editorSaveAndAnotherInOnePass()
    {
        m_editor->saveChanges();
        universe()->setName(QStringLiteral("Second Write"));
        universe()->save();
        universe()->waitForPendingSave();
    }

    HexData m_hex;
    std::unique_ptr<ScriptedWrites> m_writes;
    std::unique_ptr<OutcomeLog> m_outcomes;
    std::unique_ptr<SystemEditorView> m_editor;
    std::unique_ptr<QSignalSpy> m_dismissals;
    std::unique_ptr<NebulaEditingView> m_form;
    std::unique_ptr<SystemGeneratorView> m_generator;
};

} // namespace

// One write per pass: the editor answers only its own save; a write it did not ask
// for is shown by the others and leaves it alone.
TEST_F(SaveStateViews, OneOutcomePerPass)
{
    m_writes->plan({{Fate::refused}});
    universe()->save();
    ASSERT_TRUE(m_outcomes->waitFor(1));
    const QString failure = m_outcomes->told().at(0);
    ASSERT_FALSE(failure.isEmpty());
    expectLatestShown(failure);
    expectEditorUntouched();

    m_writes->plan({{Fate::refused}});
    m_editor->saveChanges();
    ASSERT_TRUE(m_outcomes->waitFor(2));
    expectLatestShown(m_outcomes->told().at(1));
    expectEditorTook(m_outcomes->told().at(1));

    // A later save writes the editor's change too: its success clears the others and
    // closes the editor.
    m_writes->plan({{Fate::written}});
    universe()->save();
    ASSERT_TRUE(m_outcomes->waitFor(3));
    expectLatestShown(QString());
    expectEditorTook(QString());

    closeViews();
    openViews();
    m_writes->plan({{Fate::written}});
    m_editor->saveChanges();
    ASSERT_TRUE(m_outcomes->waitFor(4));
    expectEditorTook(QString());
    expectLatestShown(QString());
}

// Two writes reported at once, in every combination of outcomes, both holding the
// editor's change: the editor follows them to the first success, the others end on
// the second.
TEST_F(SaveStateViews, SeveralOutcomesInOnePass)
{
    for (const Fate first : {Fate::written, Fate::refused}) {
        for (const Fate second : {Fate::written, Fate::refused}) {
            SCOPED_TRACE(testing::Message() << int(first) << int(second));
            closeViews();
            openViews();
            const qsizetype before = m_outcomes->told().size();
            m_writes->plan({{first}, {second}});
            editorSaveAndAnotherInOnePass();
            ASSERT_EQ(m_outcomes->told().size(), before + 2);
            ASSERT_EQ(m_outcomes->fates().mid(before), (QList<Fate>{first, second}));
            const QString editorTook = first == Fate::written ? QString() : m_outcomes->told().at(before + 1);
            expectEditorTook(editorTook);
            expectLatestShown(m_outcomes->told().at(before + 1));
            // A retry waits while the latest write failed, whatever came before it.
            const SaveState &state = universe()->saveState();
            EXPECT_EQ(state.kind, second == Fate::written ? SaveState::Kind::clean : SaveState::Kind::failed);
            EXPECT_EQ(universe()->scheduledSaveRetry().has_value(), second == Fate::refused);
            EXPECT_EQ(state.nextRetry, universe()->scheduledSaveRetry());
            // The queued reports of those writes find nothing new.
            QCoreApplication::processEvents();
            expectEditorTook(editorTook);
            expectLatestShown(m_outcomes->told().at(before + 1));
        }
    }
}

// Two different failures in one pass (a snapshot that cannot be encoded, then a file
// that cannot be replaced), both of writes holding the editor's change: every view
// shows the second, and quitting asks with the failure of its own last try, which the
// editor then shows too.
TEST_F(SaveStateViews, DifferentFailuresInOnePassAndTheQuitQuestion)
{
    StarmapLabel unstorable = random_records::starmapLabel();
    unstorable.angle = std::numeric_limits<double>::quiet_NaN();
    universe()->setStarmapLabels({unstorable});
    m_writes->plan({{Fate::written}, {Fate::refused}});
    m_editor->saveChanges();
    universe()->setStarmapLabels({});
    universe()->save();
    universe()->waitForPendingSave();
    ASSERT_EQ(m_outcomes->told().size(), 2);
    const QString encodeFailure = m_outcomes->told().at(0), replaceFailure = m_outcomes->told().at(1);
    ASSERT_FALSE(encodeFailure.isEmpty());
    ASSERT_FALSE(replaceFailure.isEmpty());
    ASSERT_NE(encodeFailure, replaceFailure);
    expectEditorTook(replaceFailure);
    expectLatestShown(replaceFailure);

    // Quitting tries once more; that try fails as well and is what the question names.
    m_writes->plan({{Fate::refused}});
    const NextQuestion question(QStringLiteral("Cancel"));
    window()->quitAction()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return question.asked(); }, 30000));
    settle();
    ASSERT_EQ(m_outcomes->told().size(), 3);
    EXPECT_TRUE(question.informativeText().startsWith(m_outcomes->told().at(2)))
        << question.informativeText().toStdString();
    EXPECT_TRUE(window()->isVisible());
    expectLatestShown(m_outcomes->told().at(2));
    expectEditorTook(m_outcomes->told().at(2));
}

// A write held on the saving thread while the editor and others ask to save: they
// are coalesced into one write that follows it. The held write began before the
// editor's change and tells nothing of it: the editor takes the outcome of the write
// that holds its change, whatever the held one's was.
TEST_F(SaveStateViews, SavesJoiningAHeldWrite)
{
    for (const auto &[held, joined] : {std::pair{Fate::written, Fate::written},
                                       {Fate::written, Fate::refused},
                                       {Fate::refused, Fate::written},
                                       {Fate::refused, Fate::refused}}) {
        SCOPED_TRACE(testing::Message() << int(held) << int(joined));
        closeViews();
        openViews();
        const qsizetype before = m_outcomes->told().size();
        m_writes->plan({{held, true}, {joined, true}});
        universe()->save();
        ASSERT_TRUE(m_writes->awaitHeld());
        m_editor->saveChanges();
        for (int i = 0; i < 4; ++i) {
            universe()->setName(QStringLiteral("Edit %1").arg(i));
            universe()->save();
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(m_outcomes->told().size(), before);
        expectEditorUntouched();

        m_writes->release();
        ASSERT_TRUE(m_outcomes->waitFor(before + 1));
        ASSERT_TRUE(m_writes->awaitHeld()); // the coalesced write has begun and waits
        const QString heldOutcome = m_outcomes->told().at(before);
        EXPECT_EQ(m_outcomes->fates().at(before), held);
        expectEditorUntouched();
        expectLatestShown(heldOutcome);

        m_writes->release();
        ASSERT_TRUE(m_outcomes->waitFor(before + 2));
        EXPECT_EQ(m_outcomes->told().size(), before + 2);
        EXPECT_EQ(m_outcomes->fates().at(before + 1), joined);
        const QString joinedOutcome = m_outcomes->told().at(before + 1);
        expectEditorTook(joinedOutcome);
        expectLatestShown(joinedOutcome);
        if (joined == Fate::written) {
            EXPECT_EQ(StarfarerUniverse::readFile(universe()->filePath(), folder())->name(),
                      QStringLiteral("Edit 3"));
        }
    }
}

// A failed save retried on its own: the retry's success clears every view's failure,
// and closes the system editor, whose change it writes, as a first success does;
// unless the user edited on in the editor meanwhile: then it stays open with those
// edits, its failure gone.
TEST_F(SaveStateViews, ARetryWritesWhatFailed)
{
    universe()->setSaveRetryDelays(milliseconds(1), milliseconds(1));
    for (const bool editedSince : {false, true}) {
        SCOPED_TRACE(editedSince ? "edited since" : "untouched since");
        closeViews();
        openViews();
        const qsizetype before = m_outcomes->told().size();
        m_writes->plan({{Fate::refused}, {Fate::refused, true}, {Fate::written}});
        m_editor->saveChanges();
        ASSERT_TRUE(m_outcomes->waitFor(before + 1));
        ASSERT_TRUE(m_writes->awaitHeld()); // the first retry has begun and waits
        const QString failure = m_outcomes->told().at(before);
        expectEditorTook(failure);
        expectLatestShown(failure);
        if (editedSince) {
            auto *name = m_editor->findChild<QLineEdit *>(QStringLiteral("systemName"));
            ASSERT_NE(name, nullptr);
            QTest::keyClicks(name, QStringLiteral(" II"));
        }
        m_writes->release();

        ASSERT_TRUE(m_outcomes->waitFor(before + 3));
        EXPECT_EQ(m_outcomes->fates().mid(before),
                  (QList<Fate>{Fate::refused, Fate::refused, Fate::written}));
        expectLatestShown(QString());
        EXPECT_EQ(m_dismissals->size(), editedSince ? 0 : 1);
        EXPECT_TRUE(m_editor->saveFailure().isEmpty());
        const auto *status = m_editor->findChild<QLabel *>(QStringLiteral("saveStatus"));
        ASSERT_NE(status, nullptr);
        EXPECT_TRUE(status->isHidden());
        if (editedSince) {
            EXPECT_EQ(m_editor->state().system.name, m_hex.starSystem.name + QStringLiteral(" II"));
        }
        EXPECT_EQ(universe()->scheduledSaveRetry(), std::nullopt);
    }
}

// A failure equal to the one before (same file, same reason, same retry delay) is
// still news to views opened since it was first told.
TEST_F(SaveStateViews, ARepeatedFailureReachesViewsOpenedSince)
{
    m_writes->plan({{Fate::refused}});
    universe()->save();
    ASSERT_TRUE(m_outcomes->waitFor(1));
    closeViews();
    openViews();
    EXPECT_TRUE(m_form->saveFailure().isEmpty());

    // A wait for the pending save tries the failed write again.
    m_writes->plan({{Fate::refused}});
    EXPECT_FALSE(universe()->waitForPendingSave());
    ASSERT_EQ(m_outcomes->told().size(), 2);
    EXPECT_EQ(m_outcomes->told().at(1), m_outcomes->told().at(0));
    expectLatestShown(m_outcomes->told().at(1));
    expectEditorUntouched();
}
