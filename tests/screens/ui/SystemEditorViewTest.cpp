#include "screens/ui/SystemEditorView.h"
#include "ScreenTestSupport.h"
#include "screens/ui/WorldEditPanel.h"
#include "ui/ElidedLabel.h"
#include "universe/StarfarerUniverse.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

// A system named `name`, with notes naming it too: the stars given, or one G2 V primary
// holding the main world "Home".
HexData hexAt(const GalacticCoordinates &coordinates, const char *name, const QList<Star> &stars = {})
{
    const QString text = QString::fromUtf8(name);
    test_records::HexBuilder hex =
        aHex(coordinates).named(text).notes(QStringLiteral("notes of %1").arg(text));
    if (stars.isEmpty())
        return hex.worlds({world().main().named(QStringLiteral("Home"))});
    return hex.stars(stars);
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

template <typename T> T *child(const QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The list's rows as "orbit name" texts, with each section's header first.
QStringList listedRows(const QTreeWidget *list)
{
    QStringList rows;
    const auto rowText = [list](QTreeWidgetItem *item) {
        const QWidget *row = list->itemWidget(item, 0);
        return child<QLabel>(*row, "orbit")->text() + u' ' + child<ElidedLabel>(*row, "worldName")->text();
    };
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = list->topLevelItem(i);
        if (top->childCount() == 0 && top->data(0, Qt::UserRole).isValid()) {
            rows.append(rowText(top));
            continue;
        }
        rows.append(top->text(0));
        for (int c = 0; c < top->childCount(); ++c)
            rows.append(rowText(top->child(c)));
    }
    return rows;
}

QAbstractButton *buttonNamed(const QMessageBox *alert, const char *text)
{
    for (QAbstractButton *button : alert->buttons()) {
        if (button->text() == QString::fromLatin1(text))
            return button;
    }
    ADD_FAILURE() << text;
    return nullptr;
}

QTreeWidgetItem *itemFor(const QTreeWidget *list, const QUuid &id)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(list)); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toUuid() == id)
            return *it;
    }
    return nullptr;
}

} // namespace

class SystemEditorViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useEnglishNumbers();
        ASSERT_TRUE(m_documents.isValid());
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }

    std::unique_ptr<StarfarerUniverse> readBack() const
    {
        QString error;
        auto stored = StarfarerUniverse::readFile(m_universe->filePath(), m_universe->folder(), &error);
        EXPECT_NE(stored, nullptr) << error.toStdString();
        return stored;
    }

    // Presses "Save Changes" and waits for the editor to close after its save.
    void saveAndWait(SystemEditorView &view)
    {
        QSignalSpy dismissed(&view, &SystemEditorView::dismissed);
        child<QPushButton>(view, "saveChanges")->click();
        ASSERT_TRUE(dismissed.count() == 1 || dismissed.wait());
    }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

TEST_F(SystemEditorViewTest, AnUnnamedSystemIsTitledByItsUnsavedCoordinates)
{
    const HexData hex = hexAt({0, 0, 1, 1}, "");
    m_universe->setData({hex});
    SystemEditorView view(m_universe.get(), hex.id);
    EXPECT_EQ(view.title(), QStringLiteral("00-0101"));

    typeInto(child<QLineEdit>(view, "column"), QStringLiteral("5"));
    child<QAbstractSpinBox>(view, "sectorX")->stepDown();
    EXPECT_EQ(view.title(), QStringLiteral("A0-0501"));
    EXPECT_EQ(view.windowTitle(), view.title());
    EXPECT_EQ(child<QLabel>(view, "hexLabel")->text(), QStringLiteral("HEX: A0-0501"));
    EXPECT_EQ(m_universe->data(), QList<HexData>{hex});

    QTest::keyClicks(child<QLineEdit>(view, "systemName"), QStringLiteral("Kestrel"));
    EXPECT_EQ(view.title(), QStringLiteral("Kestrel"));
}

TEST_F(SystemEditorViewTest, ListsWorldsPerStarWithMoonsAfterTheirPlanet)
{
    Star primary = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V);
    const WorldData moon = world()
                               .orbit(Orbits::starOrbit3)
                               .satelliteOrbit(PlanetOrbits::planetOrbitA)
                               .named(QStringLiteral("Moonlet"));
    WorldData giant =
        world().orbit(Orbits::starOrbit3).type(WorldType::largeGasGiant).named(QStringLiteral("Jove"));
    const WorldData inner = world().orbit(Orbits::starOrbit1).named(QStringLiteral(""));
    primary.worlds = {moon, giant, inner};
    Star companion = star(Orbits::starOrbit8, SpectralType::M, 5, LuminosityClass::V);
    companion.worlds = {world().orbit(Orbits::starOrbit2).named(QStringLiteral("Far"))};
    const HexData hex = hexAt({0, 0, 3, 4}, "Pair", {primary, companion});
    m_universe->setData({hex});

    SystemEditorView view(m_universe.get(), hex.id);
    auto *list = child<QTreeWidget>(view, "worldList");
    EXPECT_EQ(listedRows(list), strings({"Primary \u2014 G2-V", "1 Planet", "3 Jove", "\u21B3A Moonlet",
                                         "Companion \u2014 M5-V.o8", "2 Far"}));
    // No main world: the first world in star order is selected; the stored order stays.
    EXPECT_EQ(view.state().selectedWorldID, moon.id);
    EXPECT_EQ(view.state().system.stars.first().worlds.first().id, moon.id);

    list->setCurrentItem(itemFor(list, giant.id));
    EXPECT_TRUE(child<QWidget>(view, "gasGiantMessage")->isVisibleTo(&view));
    EXPECT_FALSE(child<WorldEditPanel>(view, "worldEditor")->isVisibleTo(&view));
    EXPECT_EQ(child<ElidedLabel>(view, "worldTitle")->text(), QStringLiteral("Jove"));
    list->setCurrentItem(itemFor(list, moon.id));
    EXPECT_FALSE(child<QWidget>(view, "gasGiantMessage")->isVisibleTo(&view));
    auto *editor = child<WorldEditPanel>(view, "worldEditor");
    EXPECT_TRUE(editor->isVisibleTo(&view));
    editor->setName(QStringLiteral("Renamed"));
    EXPECT_EQ(view.state().selectedWorld()->name, QStringLiteral("Renamed"));
    EXPECT_TRUE(listedRows(list).contains(QStringLiteral("\u21B3A Renamed")));
}

TEST_F(SystemEditorViewTest, MovingOntoAnOccupiedHexAsksBeforeOverwriting)
{
    for (const char *occupantName : {"Kestrel", ""}) {
        const HexData edited = hexAt({0, 0, 1, 1}, "Edited");
        const HexData occupant = hexAt({0, 0, 2, 2}, occupantName);
        const HexData other = hexAt({1, 0, 1, 1}, "Other");
        m_universe->setData({edited, occupant, other});
        QFile::remove(m_universe->filePath());
        SystemEditorView view(m_universe.get(), edited.id);
        typeInto(child<QLineEdit>(view, "column"), QStringLiteral("2"));
        typeInto(child<QLineEdit>(view, "row"), QStringLiteral("2"));

        child<QPushButton>(view, "saveChanges")->click();
        auto *alert = view.findChild<QMessageBox *>(QStringLiteral("collisionAlert"));
        ASSERT_NE(alert, nullptr);
        const QString held =
            *occupantName ? QStringLiteral("\u201CKestrel\u201D") : QStringLiteral("an unnamed system");
        EXPECT_EQ(alert->windowTitle(), QStringLiteral("Coordinates in use"));
        EXPECT_EQ(alert->text(),
                  QStringLiteral("00-0202 already holds %1. Overwrite it, or cancel and choose "
                                 "different coordinates.")
                      .arg(held));
        EXPECT_EQ(alert->buttonRole(buttonNamed(alert, "Overwrite")), QMessageBox::DestructiveRole);
        buttonNamed(alert, "Cancel")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(view.state().collisionOccupant.has_value());
        EXPECT_EQ(m_universe->data(), (QList<HexData>{edited, occupant, other}));
        EXPECT_FALSE(QFile::exists(m_universe->filePath()));

        child<QPushButton>(view, "saveChanges")->click();
        alert = view.findChild<QMessageBox *>(QStringLiteral("collisionAlert"));
        ASSERT_NE(alert, nullptr);
        QSignalSpy dismissed(&view, &SystemEditorView::dismissed);
        buttonNamed(alert, "Overwrite")->click();
        ASSERT_TRUE(dismissed.count() == 1 || dismissed.wait());
        const QList<HexData> stored = readBack()->data().toList();
        ASSERT_EQ(stored.size(), 2);
        EXPECT_EQ(stored.at(0).id, edited.id);
        EXPECT_EQ(stored.at(0).coordinates, (GalacticCoordinates{0, 0, 2, 2}));
        EXPECT_EQ(stored.at(0).starSystem, edited.starSystem);
        EXPECT_EQ(stored.at(1), other);
    }
}

TEST_F(SystemEditorViewTest, ReturnInTheCollisionAlertNeverOverwrites)
{
    const HexData edited = hexAt({0, 0, 1, 1}, "Edited");
    const HexData occupant = hexAt({0, 0, 2, 2}, "Kestrel");
    m_universe->setData({edited, occupant});
    SystemEditorView view(m_universe.get(), edited.id);
    view.show();
    typeInto(child<QLineEdit>(view, "column"), QStringLiteral("2"));
    typeInto(child<QLineEdit>(view, "row"), QStringLiteral("2"));
    // Return as the alert opens, and Return while the destructive button holds the focus.
    for (bool focusOnOverwrite : {false, true}) {
        QSignalSpy dismissed(&view, &SystemEditorView::dismissed);
        child<QPushButton>(view, "saveChanges")->click();
        auto *alert = view.findChild<QMessageBox *>(QStringLiteral("collisionAlert"));
        ASSERT_NE(alert, nullptr);
        if (focusOnOverwrite)
            buttonNamed(alert, "Overwrite")->setFocus();
        QTest::keyClick(alert, Qt::Key_Return);
        EXPECT_FALSE(alert->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(m_universe->data(), (QList<HexData>{edited, occupant})) << focusOnOverwrite;
        EXPECT_EQ(dismissed.count(), 0);
        EXPECT_FALSE(view.state().collisionOccupant.has_value());
    }
}

TEST_F(SystemEditorViewTest, SavingInPlaceKeepsIdPositionAndFarSectors)
{
    const HexData first = hexAt({0, 0, 1, 1}, "First");
    // An imported hex far outside the steppers' range, in a row past the last.
    HexData edited = hexAt({5, -7, 3, 44}, "Far");
    edited.starSystem.sathar = true;
    const HexData last = hexAt({0, 0, 3, 3}, "Last");
    m_universe->setData({first, edited, last});

    SystemEditorView view(m_universe.get(), edited.id);
    EXPECT_EQ(child<QAbstractSpinBox>(view, "sectorX")->text(), QStringLiteral("X: 5"));
    child<QLineEdit>(view, "systemName")->clear();
    QTest::keyClicks(child<QLineEdit>(view, "systemName"), QStringLiteral("Far & Away"));
    child<QCheckBox>(view, "otherAware")->setChecked(true);
    saveAndWait(view);

    const QList<HexData> stored = readBack()->data().toList();
    ASSERT_EQ(stored.size(), 3);
    EXPECT_EQ(stored.at(0), first);
    EXPECT_EQ(stored.at(2), last);
    EXPECT_EQ(stored.at(1).id, edited.id);
    EXPECT_EQ(stored.at(1).coordinates, edited.coordinates);
    EXPECT_EQ(stored.at(1).notes, edited.notes);
    EXPECT_EQ(stored.at(1).starSystem.name, QStringLiteral("Far & Away"));
    EXPECT_TRUE(stored.at(1).starSystem.sathar);
    EXPECT_TRUE(stored.at(1).starSystem.other);
    // A step moves a far sector towards the range, never past its end.
    auto *x = child<QAbstractSpinBox>(view, "sectorX");
    x->stepUp();
    EXPECT_EQ(view.state().editedCoordinates.sectorX, 5);
    x->stepDown();
    EXPECT_EQ(view.state().editedCoordinates.sectorX, 4);
}

TEST_F(SystemEditorViewTest, GeneratedWorldsStayInTheEditorUntilSaved)
{
    HexData hex = hexAt({0, 0, 1, 1}, "Rolled");
    hex.starSystem.gasGiant = 2;
    hex.starSystem.planetoidBelts = 1;
    hex.starSystem.totalNumberOfWorlds = 6;
    m_universe->setData({hex});
    const QUuid mainID = hex.starSystem.mainWorld()->id;
    {
        SystemEditorView view(m_universe.get(), hex.id);
        child<QPushButton>(view, "generateWorlds")->click();
        EXPECT_GT(view.state().system.allWorlds().size(), 1);
        EXPECT_EQ(view.state().selectedWorldID, mainID);
        EXPECT_TRUE(child<WorldEditPanel>(view, "worldEditor")->isVisibleTo(&view));
    }
    EXPECT_EQ(m_universe->data(), QList<HexData>{hex});
    EXPECT_FALSE(QFile::exists(m_universe->filePath()));
}

TEST_F(SystemEditorViewTest, AFailedSaveIsShownAndKeepsTheEditorOpen)
{
    const HexData hex = hexAt({0, 0, 1, 1}, "Stuck");
    m_universe->setData({hex});
    ASSERT_TRUE(QDir().mkpath(m_universe->filePath()));
    SystemEditorView view(m_universe.get(), hex.id);
    QSignalSpy dismissed(&view, &SystemEditorView::dismissed);
    QSignalSpy failed(m_universe.get(), &StarfarerUniverse::saveFailed);
    child<QPushButton>(view, "saveChanges")->click();
    ASSERT_TRUE(failed.count() == 1 || failed.wait());
    QCoreApplication::processEvents();
    EXPECT_EQ(dismissed.count(), 0);
    EXPECT_TRUE(view.saveFailure().contains(m_universe->filePath()));
    EXPECT_TRUE(child<QWidget>(view, "saveStatus")->isVisibleTo(&view));
}
