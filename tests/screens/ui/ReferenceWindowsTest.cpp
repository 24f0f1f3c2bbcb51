#include "ScreenTestSupport.h"
#include "model/EHex.h"
#include "screens/ui/ParameterView.h"
#include "screens/ui/ParametersView.h"
#include "screens/ui/UWPReferenceView.h"
#include "screens/ui/UWPView.h"
#include "screens/ui/WorldInfoPanel.h"
#include "screens/ui/WorldInfoWindow.h"
#include "ui/ContentUnavailableView.h"
#include "ui/DisclosureGroup.h"
#include "ui/ElidedLabel.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseManager.h"
#include "universe/StoreWaits.h"

#include <QLabel>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

// A store on a temporary documents folder, started with its new empty universe.
class ReferenceWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useEnglishNumbers();
        m_manager->start();
    }

    StarfarerUniverse &universe() const { return *m_manager->current(); }

    // A one-star system whose world `main` is flagged as the main world (unless
    // `flagged` is false), at `at`.
    static HexData hexWith(const GalacticCoordinates &at, const QString &name, WorldData main,
                           bool flagged = true)
    {
        main.mainWorld = flagged;
        HexData hex;
        hex.id = QUuid::createUuid();
        hex.coordinates = at;
        hex.starSystem.id = QUuid::createUuid();
        hex.starSystem.name = name;
        hex.starSystem.planetoidBelts = 2;
        hex.starSystem.gasGiant = 11;
        Star primary = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V);
        primary.worlds = {world({0, 0, 0, 0, 0, 0}), main};
        hex.starSystem.stars = {primary};
        return hex;
    }

    QTemporaryDir m_documents;
    QSettings m_settings{m_documents.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    std::unique_ptr<UniverseManager> m_manager =
        std::make_unique<UniverseManager>(UniverseFolder(m_documents.path()), &m_settings);
};

DisclosureGroup *group(const QWidget &view, const QString &title)
{
    for (DisclosureGroup *candidate : view.findChildren<DisclosureGroup *>()) {
        if (candidate->title() == title)
            return candidate;
    }
    ADD_FAILURE() << "no group " << title.toStdString();
    return nullptr;
}

// The texts of the labels named `part` in the rows of a group, in row order.
QStringList rowTexts(const QWidget &view, const QString &title,
                     const QString &part = QStringLiteral("rowCode"))
{
    QStringList texts;
    const DisclosureGroup *found = group(view, title);
    if (!found)
        return texts;
    for (const QWidget *row : found->content()->findChildren<QWidget *>(QStringLiteral("referenceRow"))) {
        if (const auto *label = row->findChild<QLabel *>(part))
            texts.append(label->text());
    }
    return texts;
}

QStringList eHexDigits(qint64 last)
{
    QStringList digits;
    for (qint64 value = 0; value <= last; ++value)
        digits.append(EHex::digit(value));
    return digits;
}

} // namespace

// Each digit lists its codes in eHex order; the eHex key skips I and O and ends at Z = 33.
TEST_F(ReferenceWindowsTest, ProfileDigitsListTheirCodesInEHexOrder)
{
    const UWPReferenceView view(m_manager.get());
    EXPECT_EQ(rowTexts(view, QStringLiteral("Law Level")), eHexDigits(18));
    const QStringList eHex = rowTexts(view, QStringLiteral("eHex"));
    ASSERT_EQ(eHex.size(), 34);
    EXPECT_FALSE(eHex.contains(QStringLiteral("I")) || eHex.contains(QStringLiteral("O")));
    EXPECT_EQ(rowTexts(view, QStringLiteral("eHex"), QStringLiteral("rowText")).last(), QStringLiteral("33"));
}

TEST_F(ReferenceWindowsTest, TradeCodesListEveryClassOnceUnderSevenCaptions)
{
    const UWPReferenceView view(m_manager.get());
    const QStringList codes = rowTexts(view, QStringLiteral("Trade Codes"));
    QSet<QString> expected;
    for (const TradeClass tradeClass : allCases<TradeClass>())
        expected.insert(rawValue(tradeClass));
    EXPECT_EQ(codes.size(), 49);
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()), expected);
    const DisclosureGroup *tradeCodes = group(view, QStringLiteral("Trade Codes"));
    ASSERT_NE(tradeCodes, nullptr);
    EXPECT_EQ(tradeCodes->content()->findChildren<QLabel *>(QStringLiteral("tradeCategory")).size(), 7);
    // The classes the star map marks carry their mark in the third column.
    const QStringList notes = rowTexts(view, QStringLiteral("Trade Codes"), QStringLiteral("rowNote"));
    EXPECT_EQ(notes.at(codes.indexOf(QStringLiteral("Re"))), QStringLiteral("R"));
}

TEST_F(ReferenceWindowsTest, NobilityCodesKeepTheirLetterCase)
{
    const UWPReferenceView view(m_manager.get());
    const QStringList codes = rowTexts(view, QStringLiteral("Nobility"));
    const QStringList ranks = rowTexts(view, QStringLiteral("Nobility"), QStringLiteral("rowText"));
    ASSERT_EQ(codes.size(), 10);
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()).size(), 10);
    EXPECT_EQ(ranks.at(codes.indexOf(QStringLiteral("c"))), QStringLiteral("Baronet"));
    EXPECT_EQ(ranks.at(codes.indexOf(QStringLiteral("C"))), QStringLiteral("Baron"));
}

TEST_F(ReferenceWindowsTest, GroupsStartCollapsedAndOpenOnAClick)
{
    UWPReferenceView view(m_manager.get());
    view.show();
    for (const DisclosureGroup *each : view.findChildren<DisclosureGroup *>())
        EXPECT_FALSE(each->content()->isVisible()) << each->title().toStdString();
    DisclosureGroup *size = group(view, QStringLiteral("Size"));
    ASSERT_NE(size, nullptr);
    size->header()->click();
    EXPECT_TRUE(size->content()->isVisible());
    EXPECT_FALSE(group(view, QStringLiteral("Atmosphere"))->content()->isVisible());
    size->header()->click();
    EXPECT_FALSE(size->content()->isVisible());
}

// The tech-level group lists the scale of the universe open now, and follows it
// through hex edits and a switch to another universe.
TEST_F(ReferenceWindowsTest, TechLevelsFollowTheOpenUniversesRules)
{
    const UWPReferenceView view(m_manager.get());
    const QStringList coarse = strings({"0", "1", "2", "3", "4", "4+", "5", "6"});
    EXPECT_EQ(rowTexts(view, QStringLiteral("Tech Level")), coarse);

    const HexData traveller = hexWith({0, 0, 1, 1}, QStringLiteral("Regina"), world());
    universe().insertHex(traveller);
    const QStringList levels = rowTexts(view, QStringLiteral("Tech Level"));
    ASSERT_EQ(levels.size(), 23);
    EXPECT_EQ(levels.first(), QStringLiteral("TL0"));
    EXPECT_EQ(levels.last(), QStringLiteral("TL22"));
    EXPECT_EQ(rowTexts(view, QStringLiteral("Tech Level"), QStringLiteral("rowText")).at(15),
              QStringLiteral("High Stellar"));

    // A first system on the coarse scale, then one without a main world.
    HexData coarseHex = traveller;
    coarseHex.starSystem.stars[0].worlds[1].uwp.techLevel = TechnologyLevel::tl4;
    ASSERT_TRUE(universe().replaceHex(coarseHex));
    EXPECT_EQ(rowTexts(view, QStringLiteral("Tech Level")), coarse);
    universe().setData({hexWith({0, 0, 1, 1}, QString(), world(), false), traveller});
    EXPECT_EQ(view.techLevelSystem(), TechnologyLevelSystem::swn);

    universe().setData({traveller});
    EXPECT_EQ(view.techLevelSystem(), TechnologyLevelSystem::traveller);
    ASSERT_TRUE(createAndWait(*m_manager, QStringLiteral("Fresh")));
    EXPECT_EQ(rowTexts(view, QStringLiteral("Tech Level")), coarse);
    // The new universe is followed, not the closed one.
    universe().insertHex(traveller);
    EXPECT_EQ(view.techLevelSystem(), TechnologyLevelSystem::traveller);
}

TEST_F(ReferenceWindowsTest, PanelSpellsOutBasesDayAndDensity)
{
    WorldData w = world({8, 6, 7, 8, 4, 4});
    w.uwp.bases = {Base::scoutBase, Base::imperialNavalBase, Base::corsairBase};
    w.uwp.density = 1.25;
    w.tideLocked = true;
    w.dayLength = 48;
    w.yearLength = 48;
    w.tradeClasses = {TradeClass::rich, TradeClass::agricultural};
    WorldInfoPanel panel(w, 2, 11, WorldInfoPanel::kViewWidth);

    QHash<QString, QString> values;
    for (const ParameterView *row : panel.findChildren<ParameterView *>())
        values.insert(row->title(), row->parameter());
    EXPECT_EQ(values.value(QStringLiteral("Bases")),
              QStringLiteral("C: Corsair Base, N: Imperial Naval Base, S: Scout Base"));
    EXPECT_EQ(values.value(QStringLiteral("Gravity")), QStringLiteral("1.25 G"));
    EXPECT_EQ(values.value(QStringLiteral("Trade Classes")), QStringLiteral("Rich, Agricultural"));
    EXPECT_EQ(values.value(QStringLiteral("Tech Level")), QStringLiteral("Average Stellar"));
    EXPECT_EQ(panel.findChild<UWPView *>()->text(), UWPView::profileLine(w.uwp, 2, 11, w, true));

    const QList<ParametersView *> multi = panel.findChildren<ParametersView *>();
    ASSERT_EQ(multi.size(), 2);
    EXPECT_EQ(multi[0]->parameters(), QList<ParameterValue>{ParameterValue(
                                          QStringLiteral("1.25 "), Symbol::eCircle, QStringLiteral("ρ"))});
    EXPECT_EQ(multi[1]->titles(), strings({"Day", "Year"}));
    EXPECT_EQ(multi[1]->parameters().at(0).text, QStringLiteral("Tide-locked (no day/night)"));
    EXPECT_EQ(multi[1]->parameters().at(1).text, QStringLiteral("2 Std. days"));

    // A locked world whose day differs from its year, without bases or trade codes.
    w.yearLength = 2000;
    w.uwp.bases.clear();
    w.tradeClasses.clear();
    w.uwp.size = 0;
    panel.setWorld(w, 0, 0);
    EXPECT_EQ(multi[1]->parameters().at(0).text, QStringLiteral("2 Std. days (tide-locked)"));
    EXPECT_EQ(multi[1]->parameters().at(1).text, QStringLiteral("83 Std. days"));
    for (const ParameterView *row : panel.findChildren<ParameterView *>())
        values.insert(row->title(), row->parameter());
    EXPECT_EQ(values.value(QStringLiteral("Bases")), QStringLiteral("None"));
    EXPECT_EQ(values.value(QStringLiteral("Trade Classes")), QString());
    EXPECT_EQ(values.value(QStringLiteral("Gravity")), QStringLiteral("Negligible G"));
    EXPECT_EQ(panel.findChild<QLabel *>(QStringLiteral("worldPeople"))->text(), QStringLiteral("PR: Human"));
}

// However long the world's name and its day and year, nothing of the panel is cut
// without an ellipsis: the name cut short keeps its distance from the people, and of
// the day and the year only the one too long for its share of the row is cut. The
// suite runs this again at screen scales of 2 and 1.5.
TEST_F(ReferenceWindowsTest, WorldInfoCutsNothingWithoutAnEllipsis)
{
    WorldData w = world({8, 6, 7, 8, 4, 4});
    w.name = QStringLiteral("Extraordinarily Long World Name of the Outer Rim Territories");
    w.yearLength = 8766;
    WorldInfoPanel panel(w, 2, 11);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const auto *name = panel.findChild<ElidedLabel *>(QStringLiteral("worldName"));
    const auto *people = panel.findChild<QLabel *>(QStringLiteral("worldPeople"));
    // The day's and the year's texts, made again with each world.
    const auto dayYear = [&panel] {
        return panel.findChildren<ParametersView *>().at(1)->findChildren<ElidedLabel *>();
    };
    // "Tide-locked (no day/night)" beside a year; a day of a million million years,
    // too long for the row even at scale 1, beside a year.
    for (const qint64 day : {qint64(8766), qint64(8766) * 1'000'000'000'000}) {
        w.tideLocked = day == w.yearLength;
        w.dayLength = day;
        panel.setWorld(w, 2, 11);
        QCoreApplication::processEvents();
        EXPECT_EQ(textsCutWithoutEllipsis(panel), QStringList()) << day;
        EXPECT_TRUE(name->shownText().endsWith(QChar(0x2026)));
        EXPECT_GE(people->x() - (name->x() + name->width()), name->fontMetrics().horizontalAdvance(u' '));
        ASSERT_EQ(dayYear().size(), 2);
        EXPECT_EQ(dayYear()[1]->shownText(), dayYear()[1]->text()) << day;
    }
    EXPECT_TRUE(dayYear()[0]->shownText().endsWith(QChar(0x2026)));
}

// A window opened through the router on a hex: titled with the system's name, and
// turned to "No World" and back as the hex changes in the open universe.
TEST_F(ReferenceWindowsTest, WorldWindowFollowsItsHex)
{
    const GalacticCoordinates at{0, 0, 4, 7};
    WindowRouter router;
    router.setGroupContentFactory(WindowId::worldInfo, [this](const GalacticCoordinates &coordinates) {
        return new WorldInfoWindow(m_manager.get(), coordinates);
    });
    RoutedWindow *window = router.openWindow(WindowId::worldInfo, at);
    ASSERT_NE(window, nullptr);
    auto *content = qobject_cast<WorldInfoWindow *>(window->content());
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(content->panel(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("World Info"));

    HexData hex = hexWith(at, QStringLiteral("Regina"), world());
    universe().insertHex(hex);
    ASSERT_NE(content->panel(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Regina"));

    hex.starSystem.name.clear();
    hex.starSystem.stars[0].worlds[1].name = QStringLiteral("Capital");
    ASSERT_TRUE(universe().replaceHex(hex));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("World Info"));
    EXPECT_EQ(content->panel()->findChild<ElidedLabel *>(QStringLiteral("worldName"))->text(),
              QStringLiteral("Capital"));

    // A system with worlds but no main world, a move away, a deletion.
    HexData unflagged = hexWith(at, QStringLiteral("Regina"), world(), false);
    unflagged.id = hex.id;
    ASSERT_TRUE(universe().replaceHex(unflagged));
    EXPECT_EQ(content->panel(), nullptr);
    ASSERT_TRUE(universe().replaceHex(hex));
    ASSERT_NE(content->panel(), nullptr);
    HexData moved = hex;
    moved.coordinates.row = 8;
    ASSERT_TRUE(universe().replaceHex(moved));
    EXPECT_EQ(content->panel(), nullptr);
    ASSERT_TRUE(universe().replaceHex(hex));
    ASSERT_TRUE(universe().removeHex(hex.id));
    EXPECT_EQ(content->panel(), nullptr);
    EXPECT_EQ(content->findChild<ContentUnavailableView *>()->title(), QStringLiteral("No World"));

    // Another universe opens: its own hex at these coordinates is shown.
    ASSERT_TRUE(createAndWait(*m_manager, QStringLiteral("Fresh")));
    universe().insertHex(hexWith(at, QStringLiteral("Terra"), world()));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Terra"));
}

TEST_F(ReferenceWindowsTest, WorldWindowWithoutCoordinatesOrStoreShowsNoWorld)
{
    universe().insertHex(hexWith({}, QStringLiteral("Regina"), world()));
    const WorldInfoWindow unplaced(m_manager.get(), std::nullopt);
    EXPECT_EQ(unplaced.panel(), nullptr);
    EXPECT_EQ(unplaced.title(), QStringLiteral("World Info"));
    const WorldInfoWindow placed(m_manager.get(), GalacticCoordinates{});
    EXPECT_NE(placed.panel(), nullptr);

    // A window left open after the store is gone reads nothing from it.
    const WorldInfoWindow orphan(m_manager.get(), GalacticCoordinates{});
    m_manager.reset();
    EXPECT_NE(orphan.panel(), nullptr);
    const WorldInfoWindow late(nullptr, GalacticCoordinates{});
    EXPECT_EQ(late.panel(), nullptr);
}
