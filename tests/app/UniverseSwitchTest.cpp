// Switching universes in the universe menu while the chosen universe's file is read
// on a worker thread: what the window shows meanwhile, what it lets the user do, and
// how the switch ends.
#include "AppTestSupport.h"

#include "app/MessageBanner.h"
#include "ui/ProgressSpinner.h"
#include "universe/ScriptedWrites.h"
#include "universe/StoreWaits.h"
#include "universe/WorkerPools.h"

#include <QPointer>
#include <QSignalSpy>

#include <optional>

namespace {

const QUuid kAtlas = QUuid::fromString(QStringLiteral("11111111-1111-4111-8111-111111111111"));
const QUuid kBorealis = QUuid::fromString(QStringLiteral("22222222-2222-4222-8222-222222222222"));

// What the universe menu showed when the store started reading a universe.
struct WhileOpening
{
    QString label;
    bool enabled = true;
    bool turning = false;
    bool menuShown = false;
    QUuid current;
    QString title;
};

} // namespace

class UniverseSwitch : public AppTest
{
protected:
    // Atlas open and remembered, Borealis stored beside it.
    void startOnAtlas()
    {
        writeUniverse(kAtlas, QStringLiteral("Atlas"));
        writeUniverse(kBorealis, QStringLiteral("Borealis"));
        remember(kAtlas);
        startApp();
    }

    StarfarerUniverse::Header borealis() const
    {
        const QList<StarfarerUniverse::Header> headers = manager()->headers();
        return headers.at(1).id == kBorealis ? headers.at(1) : headers.at(0);
    }
};

class UniverseSwitchWatch : public UniverseSwitch
{
protected:
    // Notes what the window shows as soon as a read starts, after trying to open the
    // menu once more as the user might.
    void watchOpening()
    {
        UniverseMenuButton *button = view()->universeMenuButton();
        QObject::connect(manager(), &UniverseManager::openingChanged, button, [this, button] {
            if (!manager()->opening() || m_seen)
                return;
            QTest::mouseClick(button, Qt::LeftButton);
            const auto *indicator = button->findChild<ProgressSpinner *>(QStringLiteral("openingSpinner"));
            m_seen = WhileOpening{button->labelName(),
                                  button->isEnabled(),
                                  indicator && indicator->isVisible() && indicator->isTurning(),
                                  button->menu()->isVisible(),
                                  universe()->id(),
                                  window()->windowTitle()};
        });
    }

    bool indicatorShown() const
    {
        const auto *indicator =
            view()->universeMenuButton()->findChild<ProgressSpinner *>(QStringLiteral("openingSpinner"));
        return indicator && indicator->isVisible();
    }

    std::optional<WhileOpening> m_seen;
};

// While the chosen universe is read, the open one stays on screen and the menu says
// “Opening “Borealis”…” beside the spinner and cannot be opened; once read, the
// new universe fills the window with the signals of a switch and the menu is back.
TEST_F(UniverseSwitchWatch, TheMenuShowsTheUniverseOpeningAndIsBackOnceItIsOpen)
{
    startOnAtlas();
    EXPECT_FALSE(indicatorShown());
    watchOpening();
    QPointer<ControlView> before = view();
    QSignalSpy current(manager(), &UniverseManager::currentChanged);
    QSignalSpy headers(manager(), &UniverseManager::headersChanged);
    QSignalSpy loadError(manager(), &UniverseManager::loadErrorChanged);

    chooseFromMenu(QStringLiteral("Borealis"));
    ASSERT_TRUE(m_seen.has_value());
    EXPECT_EQ(m_seen->label, QStringLiteral("Opening \u201CBorealis\u201D\u2026"));
    EXPECT_FALSE(m_seen->enabled);
    EXPECT_TRUE(m_seen->turning);
    EXPECT_FALSE(m_seen->menuShown);
    EXPECT_EQ(m_seen->current, kAtlas);
    EXPECT_EQ(m_seen->title, QStringLiteral("Atlas \u2014 Vostrel"));

    EXPECT_TRUE(before.isNull());
    EXPECT_EQ(universe()->id(), kBorealis);
    EXPECT_EQ(current.count(), 1);
    EXPECT_EQ(headers.count(), 0);
    EXPECT_EQ(loadError.count(), 0);
    EXPECT_TRUE(remembers(m_settings, uuidText(kBorealis)));
    UniverseMenuButton *button = view()->universeMenuButton();
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->labelName(), QStringLiteral("Borealis"));
    EXPECT_FALSE(indicatorShown());
}

// A file that cannot be read gives the menu back as it was, on the universe that is
// still open, and the banner names the file.
TEST_F(UniverseSwitchWatch, AUniverseThatCannotBeReadGivesTheMenuBackAsItWas)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    const QString broken = writeUniverse(kBorealis, QStringLiteral("Borealis"), ", \"rutters\": {}");
    remember(kAtlas);
    startApp();
    clickRowTitled(QStringLiteral("Labels"));
    watchOpening();
    QPointer<ControlView> before = view();

    chooseFromMenu(QStringLiteral("Borealis"));
    ASSERT_TRUE(m_seen.has_value());
    EXPECT_EQ(m_seen->label, QStringLiteral("Opening \u201CBorealis\u201D\u2026"));
    EXPECT_EQ(view(), before.data());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::labels));
    UniverseMenuButton *button = view()->universeMenuButton();
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->labelName(), QStringLiteral("Atlas"));
    EXPECT_FALSE(indicatorShown());
    EXPECT_TRUE(window()->loadErrorBanner()->isVisible());
    EXPECT_TRUE(window()->loadErrorBanner()->message().endsWith(QDir::toNativeSeparators(broken)));
}

// Quitting while a universe is read closes the window at once and drops the read:
// the universe that was open stays the remembered one, and the next start opens it.
TEST_F(UniverseSwitch, QuittingWhileAUniverseIsReadDropsTheRead)
{
    startOnAtlas();
    manager()->open(borealis());
    ASSERT_TRUE(manager()->opening().has_value());

    window()->quit();
    EXPECT_FALSE(window()->isVisible());
    m_app.reset();
    waitForWorkers();
    settle();
    EXPECT_EQ(m_settings.value(QStringLiteral("lastUniverseID")).toString(), uuidText(kAtlas));

    startApp();
    EXPECT_EQ(universe()->id(), kAtlas);
}

// While a quit waits for the open universe's last write, the universe menu cannot be
// opened and the store takes no other choice. When that write fails, the user who
// stays keeps the window and gets the menu back.
TEST_F(UniverseSwitch, WhileAQuitWaitsTheMenuIsOffAndStayingGivesItBack)
{
    startOnAtlas();
    UniverseMenuButton *button = view()->universeMenuButton();
    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file)); // a folder: saving fails
    {
        saving_test::HeldWrite held(*universe());
        universe()->setName(QStringLiteral("Atlas, unsaved"));
        universe()->save();
        ASSERT_TRUE(held.started());
        window()->quit();
        settle();
        EXPECT_TRUE(window()->isVisible());
        EXPECT_TRUE(manager()->quitting());
        EXPECT_FALSE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(button->menu()->isVisible());
        manager()->open(borealis()); // a choice made in the menu just before
        EXPECT_FALSE(manager()->opening().has_value());

        const NextQuestion question(QStringLiteral("Cancel"));
        held.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !manager()->quitting(); }, 30000));
        EXPECT_TRUE(question.asked());
    }
    settle();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(universe()->id(), kAtlas);

    const NextQuestion question(QStringLiteral("Switch Anyway"));
    chooseFromMenu(QStringLiteral("Borealis"));
    EXPECT_TRUE(question.asked());
    EXPECT_EQ(universe()->id(), kBorealis);
}

// Quitting right after deleting the open universe, while its last write still runs,
// ends the program only once its file is gone and another universe is remembered.
TEST_F(UniverseSwitch, AQuitRightAfterADeleteClosesOnceTheFileIsGone)
{
    startOnAtlas();
    const QString file = universe()->filePath();
    saving_test::HeldWrite held(*universe());
    universe()->setName(QStringLiteral("Atlas, edited"));
    universe()->save();
    ASSERT_TRUE(held.started());

    QAction *remove = nullptr;
    for (QAction *action : universeMenu()->actions()) {
        if (action->objectName() == QStringLiteral("deleteUniverse"))
            remove = action;
    }
    ASSERT_NE(remove, nullptr);
    remove->trigger();
    settle();
    ASSERT_NE(shownAlert(), nullptr);
    QTest::mouseClick(buttonTitled(shownAlert(), QStringLiteral("Delete")), Qt::LeftButton);
    settle();
    window()->quitAction()->trigger();
    settle();
    EXPECT_TRUE(window()->isVisible());

    bool goneAtClose = false;
    held.release();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            goneAtClose = !QFile::exists(file);
            return !window()->isVisible();
        },
        30000));
    EXPECT_TRUE(goneAtClose);
    m_app.reset();
    waitForWorkers();
    m_settings.sync();
    EXPECT_EQ(m_settings.value(QStringLiteral("lastUniverseID")).toString(), uuidText(kBorealis));
}
