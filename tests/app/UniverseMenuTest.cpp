#include "AppTestSupport.h"

#include "app/UniverseAlertDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using test_records::aFaction;

namespace {

using UniverseMenu = AppTest;

const QString kNewUniverse = QStringLiteral("New Universe\u2026");
const QString kRename = QStringLiteral("Rename\u2026");
const QString kDelete = QStringLiteral("Delete\u2026");

const QUuid kAtlas = QUuid::fromString(QStringLiteral("11111111-1111-4111-8111-111111111111"));
const QUuid kBorealis = QUuid::fromString(QStringLiteral("22222222-2222-4222-8222-222222222222"));
const QUuid kCygnus = QUuid::fromString(QStringLiteral("33333333-3333-4333-8333-333333333333"));

QStringList headerNames(const QList<StarfarerUniverse::Header> &headers)
{
    QStringList names;
    for (const auto &header : headers)
        names.append(header.name);
    return names;
}

} // namespace

TEST_F(UniverseMenu, ListsTheStoredUniversesByNameWithTheOpenOneChecked)
{
    writeUniverse(kCygnus, QStringLiteral("Cygnus"));
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    writeUniverse(kBorealis, QStringLiteral("Borealis"));
    remember(kBorealis);
    startApp();
    EXPECT_EQ(menuTexts(),
              (QStringList{QStringLiteral("Atlas"), QStringLiteral("Borealis"), QStringLiteral("Cygnus"),
                           QStringLiteral("---"), kNewUniverse, kRename, kDelete}));
    EXPECT_EQ(checkedMenuTexts(), QStringList{QStringLiteral("Borealis")});
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Borealis \u2014 Vostrel"));
}

TEST_F(UniverseMenu, OpeningAnotherUniverseRebuildsTheSidebarOnTheStarMap)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    writeUniverse(kBorealis, QStringLiteral("Borealis"));
    remember(kAtlas);
    startApp();
    toggleGroup(FactionCategory::race);
    clickRowTitled(QStringLiteral("Systems"));
    QPointer<ControlView> before = view();

    chooseFromMenu(QStringLiteral("Borealis"));
    EXPECT_TRUE(before.isNull());
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(universe()->id(), kBorealis);
    EXPECT_EQ(view()->universe(), universe());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::starmap));
    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Star Map")});
    EXPECT_TRUE(view()->expandedCategories().isEmpty());
    EXPECT_FALSE(list()->groupHeader(FactionCategory::race)->isExpanded());
    EXPECT_EQ(view()->navigationTitle(), QStringLiteral("Borealis"));
    EXPECT_EQ(checkedMenuTexts(), QStringList{QStringLiteral("Borealis")});
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Borealis \u2014 Vostrel"));
    EXPECT_TRUE(view()->isVisible());
}

TEST_F(UniverseMenu, ChoosingTheOpenUniverseChangesNothing)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    remember(kAtlas);
    startApp();
    toggleGroup(FactionCategory::other);
    clickRowTitled(QStringLiteral("Labels"));
    QPointer<ControlView> before = view();
    QPointer<QWidget> page = view()->detailPage();
    chooseFromMenu(QStringLiteral("Atlas"));
    EXPECT_EQ(view(), before.data());
    EXPECT_EQ(view()->detailPage(), page.data());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::labels));
    EXPECT_EQ(view()->expandedCategories(), QSet<FactionCategory>{FactionCategory::other});
}

TEST_F(UniverseMenu, NewUniverseAsksForANameAndAnEmptyOneBecomesUntitled)
{
    startApp();
    clickRowTitled(QStringLiteral("Regions"));
    chooseFromMenu(kNewUniverse);
    auto *alert = qobject_cast<UniverseAlertDialog *>(shownAlert());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(view()->universeAlert(), ControlView::UniverseAlert::newUniverse);
    EXPECT_EQ(alert->name(), QString());

    const QUuid before = universe()->id();
    press(alert, QStringLiteral("Create"));
    EXPECT_EQ(shownAlert(), nullptr);
    EXPECT_NE(universe()->id(), before);
    EXPECT_EQ(universe()->name(), QStringLiteral("Untitled Universe"));
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::starmap));
    EXPECT_FALSE(view()->universeAlert().has_value());
    EXPECT_TRUE(QFile::exists(folder().fileFor(universe()->id())));
    EXPECT_EQ(headerNames(manager()->headers()),
              (QStringList{QStringLiteral("My Universe"), QStringLiteral("Untitled Universe")}));
}

TEST_F(UniverseMenu, NewUniverseTakesTheTypedNameAndCancelMakesNothing)
{
    startApp();
    chooseFromMenu(kNewUniverse);
    QDialog *alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    QTest::keyClicks(alert->findChild<QLineEdit *>(QStringLiteral("nameField")), QStringLiteral("Spinward"));
    EXPECT_EQ(view()->draftName(), QStringLiteral("Spinward"));
    press(alert, QStringLiteral("Cancel"));
    EXPECT_EQ(shownAlert(), nullptr);
    EXPECT_EQ(headerNames(manager()->headers()), QStringList{QStringLiteral("My Universe")});
    EXPECT_FALSE(view()->universeAlert().has_value());
    EXPECT_EQ(view()->draftName(), QStringLiteral("Spinward")); // kept until the next alert

    chooseFromMenu(kNewUniverse);
    alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(view()->draftName(), QString()); // a new universe starts with an empty name
    QTest::keyClicks(alert->findChild<QLineEdit *>(QStringLiteral("nameField")), QStringLiteral("Spinward"));
    press(alert, QStringLiteral("Create"));
    EXPECT_EQ(universe()->name(), QStringLiteral("Spinward"));
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Spinward \u2014 Vostrel"));
}

TEST_F(UniverseMenu, RenameStartsFromTheNameTrimsItAndKeepsTheSidebar)
{
    startApp();
    universe()->setFactions({aFaction(QStringLiteral("Guild")).category(FactionCategory::group)});
    toggleGroup(FactionCategory::group);
    clickRowTitled(QStringLiteral("Guild"));
    QPointer<ControlView> before = view();
    QPointer<QWidget> page = view()->detailPage();

    chooseFromMenu(kRename);
    auto *alert = qobject_cast<UniverseAlertDialog *>(shownAlert());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->name(), QStringLiteral("My Universe"));
    EXPECT_EQ(view()->draftName(), QStringLiteral("My Universe"));
    alert->nameField()->selectAll();
    QTest::keyClicks(alert->nameField(), QStringLiteral("Other"));
    press(alert, QStringLiteral("Cancel"));
    EXPECT_EQ(universe()->name(), QStringLiteral("My Universe"));

    chooseFromMenu(kRename);
    alert = qobject_cast<UniverseAlertDialog *>(shownAlert());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->name(), QStringLiteral("My Universe")); // not the cancelled text
    alert->nameField()->selectAll();
    QTest::keyClicks(alert->nameField(), QStringLiteral("  Trailing Stars \t"));
    press(alert, QStringLiteral("Rename"));

    EXPECT_EQ(universe()->name(), QStringLiteral("Trailing Stars"));
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Trailing Stars \u2014 Vostrel"));
    EXPECT_EQ(view(), before.data());
    EXPECT_EQ(view()->navigationTitle(), QStringLiteral("Trailing Stars"));
    EXPECT_EQ(view()->universeMenuButton()->labelName(), QStringLiteral("Trailing Stars"));
    EXPECT_EQ(menuTexts().first(), QStringLiteral("Trailing Stars"));
    EXPECT_EQ(view()->detailPage(), page.data());
    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Guild")});
    EXPECT_EQ(view()->expandedCategories(), QSet<FactionCategory>{FactionCategory::group});
    // Written in the background.
    ASSERT_TRUE(universe()->waitForPendingSave());
    EXPECT_TRUE(contents(folder().fileFor(universe()->id())).contains("Trailing Stars"));
}

// Cancel keeps everything; Delete removes the open universe and opens the first left.
TEST_F(UniverseMenu, DeleteAsksWithTheNameAndRemovesTheOpenUniverse)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    writeUniverse(kBorealis, QStringLiteral("Borealis"));
    writeUniverse(kCygnus, QStringLiteral("Cygnus"));
    remember(kCygnus);
    startApp();
    clickRowTitled(QStringLiteral("Nebulae"));
    chooseFromMenu(kDelete);
    auto *alert = qobject_cast<UniverseAlertDialog *>(shownAlert());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(view()->universeAlert(), ControlView::UniverseAlert::deleteUniverse);
    EXPECT_EQ(alert->message(), QStringLiteral("Delete \u201CCygnus\u201D? This can\u2019t be undone."));
    EXPECT_EQ(alert->nameField(), nullptr);
    auto *box = alert->findChild<QDialogButtonBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->buttonRole(alert->confirmButton()), QDialogButtonBox::DestructiveRole);
    // Return never deletes.
    EXPECT_TRUE(alert->cancelButton()->isDefault());
    press(alert, QStringLiteral("Cancel"));
    EXPECT_EQ(shownAlert(), nullptr);
    EXPECT_TRUE(QFile::exists(folder().fileFor(kCygnus)));
    EXPECT_EQ(universe()->id(), kCygnus);

    chooseFromMenu(kDelete);
    ASSERT_NE(shownAlert(), nullptr);
    press(shownAlert(), QStringLiteral("Delete"));
    EXPECT_FALSE(QFile::exists(folder().fileFor(kCygnus)));
    EXPECT_TRUE(QFile::exists(folder().fileFor(kAtlas)));
    EXPECT_TRUE(QFile::exists(folder().fileFor(kBorealis)));
    EXPECT_EQ(universe()->id(), kAtlas);
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::starmap));
    EXPECT_EQ(menuTexts().mid(0, 3),
              (QStringList{QStringLiteral("Atlas"), QStringLiteral("Borealis"), QStringLiteral("---")}));
    EXPECT_EQ(checkedMenuTexts(), QStringList{QStringLiteral("Atlas")});
}

TEST_F(UniverseMenu, DeletingTheOnlyUniverseLeavesANewMyUniverse)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    startApp();
    ASSERT_EQ(universe()->id(), kAtlas);
    chooseFromMenu(kDelete);
    QDialog *alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    press(alert, QStringLiteral("Delete"));
    EXPECT_NE(universe()->id(), kAtlas);
    EXPECT_EQ(universe()->name(), QStringLiteral("My Universe"));
    EXPECT_EQ(headerNames(manager()->headers()), QStringList{QStringLiteral("My Universe")});
    EXPECT_EQ(checkedMenuTexts(), QStringList{QStringLiteral("My Universe")});
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("My Universe \u2014 Vostrel"));
}

TEST_F(UniverseMenu, TwoUniversesOfOneNameAreBothListedAndOnlyTheOpenOneChecked)
{
    writeUniverse(kAtlas, QStringLiteral("Twin"));
    writeUniverse(kBorealis, QStringLiteral("Twin"));
    remember(kBorealis);
    startApp();
    EXPECT_EQ(menuTexts().mid(0, 2), (QStringList{QStringLiteral("Twin"), QStringLiteral("Twin")}));
    EXPECT_EQ(checkedMenuTexts(), QStringList{QStringLiteral("Twin")});
    const int checkedRow = universeMenu()->actions().at(0)->isChecked() ? 0 : 1;
    // The other entry opens the other universe.
    chooseFromMenu(QStringLiteral("Twin"), 1 - checkedRow);
    EXPECT_EQ(universe()->id(), kAtlas);
    EXPECT_TRUE(universeMenu()->actions().at(1 - checkedRow)->isChecked());
    EXPECT_FALSE(universeMenu()->actions().at(checkedRow)->isChecked());
}

// An "&" in a name is part of the name, not a keyboard marker, wherever it is shown.
TEST_F(UniverseMenu, ANameWithAnAmpersandIsShownAndOpenedLiterally)
{
    writeUniverse(kAtlas, QStringLiteral("Atlas"));
    writeUniverse(kBorealis, QStringLiteral("Rock & Roll Sector"));
    remember(kAtlas);
    startApp();
    EXPECT_EQ(menuTexts().mid(0, 2),
              (QStringList{QStringLiteral("Atlas"), QStringLiteral("Rock & Roll Sector")}));
    for (const QAction *action : universeMenu()->actions())
        EXPECT_TRUE(QKeySequence::mnemonic(action->text()).isEmpty()) << action->text().toStdString();

    chooseFromMenu(QStringLiteral("Rock & Roll Sector"));
    EXPECT_EQ(universe()->id(), kBorealis);
    EXPECT_EQ(checkedMenuTexts(), QStringList{QStringLiteral("Rock & Roll Sector")});
    EXPECT_EQ(view()->navigationTitle(), QStringLiteral("Rock & Roll Sector"));
}
