#include "AppTestSupport.h"

#include "app/MessageBanner.h"
#include "app/UniverseAlertDialog.h"

#include "ui/ReadOnlyNotesView.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>

using test_records::aFaction;

namespace {

using Failures = AppTest;

const QString kLoadError = QStringLiteral("Couldn\u2019t open that universe \u2014 its file may be corrupt.");
const QUuid kAtlas = QUuid::fromString(QStringLiteral("11111111-1111-4111-8111-111111111111"));
const QUuid kBroken = QUuid::fromString(QStringLiteral("44444444-4444-4444-8444-444444444444"));

} // namespace

class FailuresWithAlerts : public AppTest
{
protected:
    void renameTo(const QString &name)
    {
        chooseFromMenu(QStringLiteral("Rename\u2026"));
        auto *alert = qobject_cast<UniverseAlertDialog *>(shownAlert());
        ASSERT_NE(alert, nullptr);
        alert->nameField()->selectAll();
        QTest::keyClicks(alert->nameField(), name);
        press(alert, QStringLiteral("Rename"));
        // The rename is written in the background; its outcome is what the tests check.
        universe()->waitForPendingSave();
    }
};

// A folder where the universe's file belongs: the save cannot replace it.
TEST_F(FailuresWithAlerts, AFailedSaveIsShownUntilTheNextSaveSucceeds)
{
    startApp();
    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));

    renameTo(QStringLiteral("Renamed"));
    MessageBanner *banner = window()->saveFailureBanner();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(banner->message().contains(file)) << banner->message().toStdString();
    // The reason follows the file.
    EXPECT_GT(banner->message().size(), banner->message().indexOf(file) + file.size() + 2);
    EXPECT_EQ(banner->dismissButton(), nullptr);
    // The rename itself still shows; only the file is behind.
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Renamed \u2014 Vostrel"));

    // Another change that also fails keeps the banner.
    universe()->setFactions({aFaction(QStringLiteral("Guild")).category(FactionCategory::group)});
    EXPECT_FALSE(universe()->saveNow());
    EXPECT_TRUE(banner->isVisible());

    ASSERT_TRUE(QDir(file).removeRecursively());
    renameTo(QStringLiteral("Saved At Last"));
    EXPECT_FALSE(banner->isVisible());
    EXPECT_TRUE(contents(file).contains("Saved At Last"));
}

// "Universes" made a regular file: nothing can be written into the folder.
TEST_F(FailuresWithAlerts, ANewUniverseThatCannotBeSavedIsReportedAndNotOpened)
{
    startApp();
    const QUuid before = universe()->id();
    QPointer<ControlView> sidebar = view();
    const QString universes = folder().universesPath();
    ASSERT_TRUE(QDir(universes).removeRecursively());
    QFile blocker(universes);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    chooseFromMenu(QStringLiteral("New Universe\u2026"));
    QDialog *alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    QTest::keyClicks(alert->findChild<QLineEdit *>(QStringLiteral("nameField")), QStringLiteral("Doomed"));
    press(alert, QStringLiteral("Create"));

    EXPECT_EQ(universe()->id(), before);
    EXPECT_EQ(view(), sidebar.data());
    MessageBanner *banner = window()->operationFailureBanner();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(banner->message().contains(universes)) << banner->message().toStdString();
    EXPECT_TRUE(QFileInfo(universes).isFile()); // nothing was written in its place
}

// A path of a megabyte with no break in it: the banner wraps it anywhere within the
// window and scrolls past a few lines; the window keeps its size.
TEST_F(Failures, ABannerOfAnUnbrokenPathNeverSizesTheWindow)
{
    startApp();
    window()->resize(1200, 800);
    settle();
    ASSERT_EQ(window()->size(), QSize(1200, 800));
    MessageBanner *banner = window()->operationFailureBanner();
    const QString message = QStringLiteral("Couldn\u2019t save /home/referee/") + QString(1'000'000, u'a') +
                            QStringLiteral("/Universes/Atlas.json: No space left on device");
    banner->showMessage(message);
    settle();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->message(), message);
    EXPECT_EQ(window()->size(), QSize(1200, 800));
    EXPECT_LE(window()->minimumSizeHint().width(), 1200);
    EXPECT_LE(banner->width(), 1200);
    const int lines = banner->messageView()->fontMetrics().lineSpacing();
    EXPECT_LE(banner->height(), 6 * lines);
    EXPECT_TRUE(banner->messageView()->verticalScrollBar()->isVisible());
    EXPECT_EQ(banner->messageView()->toPlainText(), message);

    // A short message is shown whole, without scrolling, on one line.
    banner->showMessage(QStringLiteral("Couldn\u2019t delete Atlas."));
    settle();
    settle(); // the banner's new height reaches the window's layout
    EXPECT_FALSE(banner->messageView()->verticalScrollBar()->isVisible());
    EXPECT_LT(banner->messageView()->height(), 2 * lines);
    banner->dismissButton()->click();
    EXPECT_FALSE(banner->isVisible());
    EXPECT_FALSE(banner->hasMessage());
}

TEST_F(Failures, ACorruptRememberedUniverseIsReportedAtStartUpAndLeftAlone)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    QDir().mkpath(folder().universesPath());
    const QString broken = folder().fileFor(kBroken);
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"id\": \"44444444-4444-4444-8444-444444444444\", \"name\": ");
    }
    const QByteArray bytes = contents(broken);
    remember(kBroken);
    startApp();

    EXPECT_EQ(universe()->id(), kAtlas);
    MessageBanner *banner = window()->loadErrorBanner();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->message(), kLoadError + QStringLiteral("\n") + QDir::toNativeSeparators(broken));
    EXPECT_EQ(contents(broken), bytes);
    EXPECT_FALSE(window()->saveFailureBanner()->isVisible());

    // The user can put the message away.
    ASSERT_NE(banner->dismissButton(), nullptr);
    QTest::mouseClick(banner->dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(banner->isVisible());
}

TEST_F(Failures, AUniverseThatCannotBeOpenedFromTheMenuIsReportedAndTheOpenOneStays)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    // Listed (its id and name read), but its systems are not a list.
    const QString broken = writeUniverse(kBroken, QStringLiteral("Broken"), ", \"data\": 5");
    const QByteArray bytes = contents(broken);
    remember(kAtlas);
    startApp();
    toggleGroup(FactionCategory::race);
    clickRowTitled(QStringLiteral("Systems"));
    QPointer<ControlView> before = view();

    chooseFromMenu(QStringLiteral("Broken"));
    EXPECT_EQ(universe()->id(), kAtlas);
    EXPECT_EQ(view(), before.data());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::systems));
    EXPECT_EQ(view()->expandedCategories(), QSet<FactionCategory>{FactionCategory::race});
    MessageBanner *banner = window()->loadErrorBanner();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->message(), kLoadError + QStringLiteral("\n") + QDir::toNativeSeparators(broken));
    EXPECT_EQ(contents(broken), bytes);

    // Dismissed, it comes back when the same failure happens again.
    QTest::mouseClick(banner->dismissButton(), Qt::LeftButton);
    chooseFromMenu(QStringLiteral("Broken"));
    EXPECT_TRUE(banner->isVisible());

    // Opening a universe that can be read puts the message away.
    chooseFromMenu(QStringLiteral("Atlas"));
    writeUniverse(kBroken, QStringLiteral("Broken"));
    manager()->open(manager()->headers().at(1));
    waitWhileOpening();
    EXPECT_EQ(universe()->id(), kBroken);
    EXPECT_FALSE(banner->isVisible());
}

// A failed delete is not a failed save: a later good save leaves its message alone.
TEST_F(Failures, AFailedDeleteStaysShownAfterAGoodSave)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    startApp();
    // A folder where the listed file should be cannot be removed as a file.
    const QString blocked = folder().universesPath() + QStringLiteral("/blocked.json");
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    manager()->deleteUniverse({kBroken, QStringLiteral("Blocked"), blocked});
    MessageBanner *failure = window()->operationFailureBanner();
    ASSERT_TRUE(failure->isVisible());
    EXPECT_TRUE(failure->message().contains(blocked)) << failure->message().toStdString();

    universe()->setName(QStringLiteral("Atlas Renamed"));
    ASSERT_TRUE(universe()->saveNow());
    EXPECT_TRUE(failure->isVisible());
    EXPECT_FALSE(window()->saveFailureBanner()->isVisible());

    // The user puts it away.
    QTest::mouseClick(failure->dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(failure->isVisible());
}

// Quitting writes the pending save first; when the last save failed, the user is
// told (with the file) and may stay, or quit anyway.
TEST_F(Failures, QuitWritesThePendingSaveAndAsksWhenItFailed)
{
    startApp();
    EXPECT_TRUE(window()->quitAction()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Q)));
    QString asked;
    // The window answers while the pending save is written: the question, or the end
    // of the program, comes once it is.
    const auto quitAnswering = [&](const QString &answer) {
        const NextQuestion question(answer);
        window()->quitAction()->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return question.asked() || !window()->isVisible(); }, 30000));
        settle();
        asked = question.informativeText();
    };

    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file)); // a folder: saving fails
    universe()->setName(QStringLiteral("Unsaved"));
    universe()->save();
    quitAnswering(QStringLiteral("Cancel"));
    EXPECT_TRUE(asked.contains(file)) << asked.toStdString();
    EXPECT_TRUE(window()->isVisible());

    ASSERT_TRUE(QDir(file).removeRecursively());
    window()->aboutAction()->trigger();
    QPointer<RoutedWindow> about = m_app->router()->window(WindowId::about);
    universe()->setName(QStringLiteral("Last Words"));
    universe()->save();
    quitAnswering(QStringLiteral("Cancel"));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(contents(file).contains("Last Words"));
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(!about || !about->isVisible());
}

// Switching to another universe when the latest edits could not be saved asks, as
// quitting does; staying keeps the sidebar as it was. Edits that can be written by
// the time of the switch are written, without a question.
TEST_F(Failures, SwitchingAwayFromUnsavedEditsAsks)
{
    const QUuid borealis = QUuid::createUuid();
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    writeUniverse(borealis, QStringLiteral("Borealis"));
    remember(kAtlas);
    startApp();
    clickRowTitled(QStringLiteral("Systems"));
    QPointer<ControlView> before = view();

    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
    universe()->setName(QStringLiteral("Atlas, edited"));
    universe()->save();
    {
        const NextQuestion question(QStringLiteral("Cancel"));
        chooseFromMenu(QStringLiteral("Borealis"));
        ASSERT_TRUE(question.asked());
        EXPECT_EQ(question.text(),
                  QStringLiteral("The latest changes to \u201CAtlas, edited\u201D couldn\u2019t be saved."));
        EXPECT_TRUE(question.informativeText().contains(file)) << question.informativeText().toStdString();
        EXPECT_TRUE(question.informativeText().endsWith(
            QStringLiteral("If you switch now, those changes are lost.")));
    }
    EXPECT_EQ(universe()->id(), kAtlas);
    EXPECT_EQ(view(), before.data());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::systems));
    {
        const NextQuestion question(QStringLiteral("Cancel"));
        chooseFromMenu(QStringLiteral("New Universe\u2026"));
        press(shownAlert(), QStringLiteral("Create"));
        EXPECT_TRUE(question.asked());
    }
    EXPECT_EQ(universe()->id(), kAtlas);

    ASSERT_TRUE(QDir(file).removeRecursively());
    {
        const NextQuestion none(QStringLiteral("Cancel"));
        chooseFromMenu(QStringLiteral("Borealis"));
        EXPECT_FALSE(none.asked());
    }
    EXPECT_EQ(universe()->id(), borealis);
    EXPECT_TRUE(contents(file).contains("Atlas, edited"));

    // The user may also leave the unsaved edits behind.
    const QString borealisFile = universe()->filePath();
    ASSERT_TRUE(QFile::remove(borealisFile) && QDir().mkpath(borealisFile));
    universe()->setName(QStringLiteral("Borealis, edited"));
    universe()->save();
    const NextQuestion question(QStringLiteral("Switch Anyway"));
    chooseFromMenu(QStringLiteral("Atlas"));
    EXPECT_TRUE(question.asked());
    EXPECT_EQ(universe()->id(), kAtlas);
}

// A failed save is tried again on its own: once the way is clear, the banner goes
// without another edit.
TEST_F(Failures, AFailedSaveBannerClearsWhenARetryWritesTheEdit)
{
    startApp();
    universe()->setSaveRetryDelays(std::chrono::milliseconds(1), std::chrono::milliseconds(1));
    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
    QSignalSpy failed(universe(), &StarfarerUniverse::saveFailed);
    QSignalSpy saved(universe(), &StarfarerUniverse::saved);
    universe()->setName(QStringLiteral("Written Later"));
    universe()->save();
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_TRUE(window()->saveFailureBanner()->isVisible());

    ASSERT_TRUE(QDir(file).removeRecursively());
    ASSERT_TRUE(saved.wait(10000));
    EXPECT_FALSE(window()->saveFailureBanner()->isVisible());
    EXPECT_TRUE(contents(file).contains("Written Later"));
}

// A file another program replaced is kept, and the banner names both files.
TEST_F(Failures, AnExternalChangeIsKeptAndNamedInTheBanner)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    remember(kAtlas);
    startApp();
    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file));
    writeUniverse(kAtlas, QStringLiteral("Atlas from the other computer"));
    universe()->setName(QStringLiteral("Atlas, here"));
    ASSERT_TRUE(universe()->saveNow());

    const QStringList kept =
        QDir(folder().universesPath())
            .entryList({QStringLiteral("* (changed elsewhere *).json.bak")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    const QString keptPath = QDir(folder().universesPath()).filePath(kept.first());
    EXPECT_TRUE(contents(keptPath).contains("Atlas from the other computer"));
    MessageBanner *banner = window()->operationFailureBanner();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->message(),
              QStringLiteral(
                  "Another program changed the file of \u201CAtlas, here\u201D. Its version is kept in %1; "
                  "this universe stays in %2.")
                  .arg(QDir::toNativeSeparators(keptPath), QDir::toNativeSeparators(file)));
    EXPECT_FALSE(window()->saveFailureBanner()->isVisible());
}

// A lock that Vostrel on another computer left names that computer; the user takes
// the universes over, or quits and leaves the lock as it is.
TEST_F(Failures, ALockFromAnotherComputerAsksToTakeOver)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    const QString lock = folder().lockFilePath();
    const QByteArray foreign = "4242\nvostrel\nchart-room.example\n";
    {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(foreign);
    }
    {
        m_app = std::make_unique<VostrelApp>(folder(), &m_settings);
        const NextQuestion question(QStringLiteral("Quit"));
        EXPECT_FALSE(m_app->start());
        EXPECT_EQ(question.text(),
                  QStringLiteral(
                      "Vostrel on the computer \u201Cchart-room.example\u201D is using these universes."));
        EXPECT_FALSE(m_app->mainWindow()->isVisible());
        m_app.reset();
        EXPECT_EQ(contents(lock), foreign);
    }
    m_app = std::make_unique<VostrelApp>(folder(), &m_settings);
    const NextQuestion question(QStringLiteral("Take Over"));
    EXPECT_TRUE(m_app->start());
    EXPECT_TRUE(question.asked());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(universe()->id(), kAtlas);
    EXPECT_NE(contents(lock), foreign);
}
