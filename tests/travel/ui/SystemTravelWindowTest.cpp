#include "travel/ui/SystemTravelWindow.h"
#include "travel/TravelGeometry.h"
#include "travel/ui/SystemTravelView.h"
#include "ui/ContentUnavailableView.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"
#include "universe/UniverseManager.h"

#include "travel/TravelTestSupport.h"
#include "ui/ElidedComboBox.h"
#include "ui/ElidedLabel.h"
#include "universe/StoreWaits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace travel_test;

namespace {

const GalacticCoordinates kHex{0, 0, 1, 1};
const QString kDash = QStringLiteral("\u2014");

// A store on a temporary folder and a router whose "System Travel" windows show the
// travel sheet, as the application wires them.
class SystemTravelWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useEnglishNumbers();
        m_manager.start();
        m_router.setGroupContentFactory(WindowId::systemTravel, [this](const GalacticCoordinates &at) {
            return new SystemTravelWindow(&m_manager, at);
        });
    }

    StarfarerUniverse *universe() const { return m_manager.current(); }

    HexData store(const StarSystem &system)
    {
        const HexData hex = aHex(kHex).system(system);
        universe()->insertHex(hex);
        return hex;
    }

    SystemTravelWindow *open()
    {
        RoutedWindow *window = m_router.openWindow(WindowId::systemTravel, kHex);
        return window ? qobject_cast<SystemTravelWindow *>(window->content()) : nullptr;
    }

    static QStringList texts(const QWidget *root, const QString &objectName)
    {
        QStringList result;
        for (const QLabel *label : root->findChildren<QLabel *>(objectName))
            result.append(label->text());
        for (const ElidedLabel *name : root->findChildren<ElidedLabel *>(objectName))
            result.append(name->text());
        return result;
    }

    // The texts of one column of a time grid, header first.
    static QStringList column(const QWidget *table, int index)
    {
        const auto *grid = static_cast<const QGridLayout *>(table->layout());
        QStringList result;
        for (int row = 0; row < grid->rowCount(); ++row)
            result.append(static_cast<QLabel *>(grid->itemAtPosition(row, index)->widget())->text());
        return result;
    }

    // The window of the hex, shown at `width` and laid out.
    RoutedWindow *showAt(int width)
    {
        RoutedWindow *window = m_router.openWindow(WindowId::systemTravel, kHex);
        if (!window)
            return nullptr;
        window->resize(width, 620);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        QCoreApplication::processEvents();
        return window;
    }

    static void typeThrust(SystemTravelView *sheet, const QString &text)
    {
        auto *field = sheet->findChild<QLineEdit *>(QStringLiteral("customThrustField"));
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    QTemporaryDir m_documents;
    QSettings m_settings{m_documents.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    UniverseManager m_manager{UniverseFolder(m_documents.path()), &m_settings};
    WindowRouter m_router;
};

TEST_F(SystemTravelWindowTest, oneStarSheetAndABeltsOnlySystem)
{
    Star sun = star(Orbits::starOrbitP);
    sun.worlds = {aWorld().orbit(Orbits::starOrbit3).size(8).named(QStringLiteral("Terra")),
                  aWorld().orbit(Orbits::starOrbit1).size(0).type(WorldType::asteroidBelt)};
    HexData hex = store(system({sun}));
    SystemTravelWindow *window = open();
    ASSERT_TRUE(window && window->sheet());
    const SystemTravelView *sheet = window->sheet();
    EXPECT_EQ(texts(sheet, QStringLiteral("hexLine")),
              QStringList{QStringLiteral("HEX 00-0101 \u00B7 Travel times")});
    EXPECT_TRUE(texts(sheet, QStringLiteral("starTitle")).isEmpty());
    EXPECT_EQ(texts(sheet, QStringLiteral("rowTitle")), QStringList{QStringLiteral("3 \u00B7 Terra")});
    EXPECT_EQ(texts(sheet, QStringLiteral("distanceLine")),
              QStringList{QStringLiteral("Distance Asteroid Belt \u2192 Terra = 89,758,722 km")});
    EXPECT_EQ(texts(sheet, QStringLiteral("explanation")), QStringList{SystemTravelView::kExplanation});

    // Only belts: no jump point, but the belts can still be picked.
    hex.starSystem.name.clear();
    hex.starSystem.stars[0].worlds[0] =
        aWorld().orbit(Orbits::starOrbit5).size(0).type(WorldType::planetoidBelt);
    universe()->replaceHex(hex);
    EXPECT_EQ(texts(sheet, QStringLiteral("systemName")), QStringList{QStringLiteral("Unnamed System")});
    EXPECT_EQ(
        sheet->findChild<QWidget *>(QStringLiteral("jumpPoints"))->findChildren<QLabel *>().last()->text(),
        QStringLiteral("No body in this system has a surface to depart from."));
    const auto *message = sheet->findChild<QLabel *>(QStringLiteral("transitMessage"));
    EXPECT_TRUE(message->isHidden());
    hex.starSystem.stars[0].worlds.removeLast();
    universe()->replaceHex(hex);
    EXPECT_FALSE(message->isHidden());
}

TEST_F(SystemTravelWindowTest, twoStarsShowABlockForEachStarWithASurfaceBody)
{
    Star primary = star(Orbits::starOrbitP);
    Star companion = star(Orbits::starOrbit5, SpectralType::M);
    primary.worlds = {aWorld().orbit(Orbits::starOrbit3).size(8)};
    companion.worlds = {aWorld().orbit(Orbits::starOrbit1).size(4)};
    const HexData hex = store(system({companion, primary}));
    SystemTravelWindow *window = open();
    ASSERT_TRUE(window && window->sheet());
    EXPECT_EQ(texts(window->sheet(), QStringLiteral("starTitle")),
              QStringList({QStringLiteral("A \u00B7 G2-V"), QStringLiteral("B \u00B7 M2-V.o5")}));
    auto *from = window->sheet()->findChild<QComboBox *>(QStringLiteral("fromPicker"));
    // Two section headings, which cannot be chosen, a separator and two bodies.
    EXPECT_EQ(from->count(), 5);
    EXPECT_EQ(from->currentText(), QStringLiteral("B.1 \u00B7 Planet \u2014 0.4 AU"));

    HexData beltOnly = hex;
    beltOnly.starSystem.stars[0].worlds = {
        aWorld().orbit(Orbits::starOrbit1).size(0).type(WorldType::asteroidBelt)};
    universe()->replaceHex(beltOnly);
    EXPECT_EQ(texts(window->sheet(), QStringLiteral("starTitle")),
              QStringList{QStringLiteral("A \u00B7 G2-V")});
}

TEST_F(SystemTravelWindowTest, customThrustColumnFollowsFieldAndStepper)
{
    Star sun = star(Orbits::starOrbitP);
    sun.worlds = {aWorld().orbit(Orbits::starOrbit3).size(8), aWorld().orbit(Orbits::starOrbit7).size(6)};
    store(system({sun}));
    SystemTravelView *sheet = open()->sheet();
    const auto *transit = sheet->findChild<QWidget *>(QStringLiteral("transitTimes"));
    const double distance = 9.0 * TravelGeometry::kKilometresPerAU;
    EXPECT_EQ(column(transit, 6), QStringList({QStringLiteral("1G"), column(transit, 0)[1]}));

    typeThrust(sheet, QStringLiteral("0"));
    EXPECT_EQ(column(transit, 6), QStringList({QStringLiteral("0G"), kDash}));
    for (const QGridLayout *grid :
         sheet->findChild<QWidget *>(QStringLiteral("jumpPoints"))->findChildren<QGridLayout *>())
        EXPECT_EQ(column(grid->parentWidget(), 7), QStringList({QStringLiteral("0G"), kDash, kDash}));

    typeThrust(sheet, QStringLiteral("1.5"));
    EXPECT_EQ(column(transit, 6),
              QStringList({QStringLiteral("1.5G"), TravelGeometry::formatDuration(
                                                       TravelGeometry::travelTimeSeconds(distance, 1.5))}));
    QTest::mouseClick(sheet->findChild<QToolButton *>(QStringLiteral("thrustStepUp")), Qt::LeftButton);
    EXPECT_EQ(sheet->customThrust(), 2.0);
    auto *down = sheet->findChild<QToolButton *>(QStringLiteral("thrustStepDown"));
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(sheet->customThrust(), 0.1);
    EXPECT_FALSE(down->isEnabled());
    EXPECT_EQ(column(transit, 6)[0], QStringLiteral("0.1G"));

    // At the top of its range the stepper only goes down.
    auto *up = sheet->findChild<QToolButton *>(QStringLiteral("thrustStepUp"));
    typeThrust(sheet, QStringLiteral("11.5"));
    EXPECT_TRUE(up->isEnabled());
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(sheet->customThrust(), 12.0);
    EXPECT_FALSE(up->isEnabled());
    EXPECT_TRUE(down->isEnabled());
    EXPECT_EQ(column(transit, 6)[0], QStringLiteral("12G"));
}

TEST_F(SystemTravelWindowTest, placeholderUntilAHexStandsThereAndAFreshSheetAfterItLeaves)
{
    SystemTravelWindow *window = open();
    ASSERT_TRUE(window && window->findChild<ContentUnavailableView *>());
    EXPECT_EQ(window->sheet(), nullptr);
    EXPECT_EQ(window->findChild<ContentUnavailableView *>()->title(), QStringLiteral("System Not Found"));

    Star sun = star(Orbits::starOrbitP);
    sun.worlds = {aWorld().orbit(Orbits::starOrbit3).size(8), aWorld().orbit(Orbits::starOrbit4).size(5)};
    HexData hex = store(system({sun}));
    ASSERT_TRUE(window->sheet());
    window->sheet()->setCustomThrust(3.0);

    // Another system at the hex: the thrust stays and the old picks name nothing.
    hex.starSystem.stars[0].worlds = {aWorld().orbit(Orbits::starOrbit3).size(8),
                                      aWorld().orbit(Orbits::starOrbit4).size(5)};
    universe()->replaceHex(hex);
    EXPECT_EQ(window->sheet()->customThrust(), 3.0);
    EXPECT_EQ(texts(window->sheet(), QStringLiteral("distanceLine")),
              QStringList{QStringLiteral("Distance \u2014 \u2192 \u2014 = 0 km")});

    universe()->removeHex(hex.id);
    EXPECT_EQ(window->sheet(), nullptr);
    store(hex.starSystem);
    ASSERT_TRUE(window->sheet());
    EXPECT_EQ(window->sheet()->customThrust(), 1.0);
    EXPECT_TRUE(window->sheet()->picks().from.has_value());

    // Another universe has no system there.
    ASSERT_TRUE(createAndWait(m_manager, QStringLiteral("Elsewhere")));
    EXPECT_EQ(window->sheet(), nullptr);
}

// The left edges and widths of the columns of every body row of the jump tables,
// in the sheet's coordinates, one list per row.
QList<QList<std::pair<int, int>>> bodyRowColumns(const SystemTravelView *sheet)
{
    QList<QList<std::pair<int, int>>> rows;
    for (const QGridLayout *grid :
         sheet->findChild<QWidget *>(QStringLiteral("jumpPoints"))->findChildren<QGridLayout *>()) {
        const QPoint origin = grid->parentWidget()->mapTo(sheet, QPoint(0, 0));
        for (int row = 0; row < grid->rowCount(); ++row) {
            const QLayoutItem *first = grid->itemAtPosition(row, 0);
            if (!first || !first->widget() ||
                !first->widget()->findChild<ElidedLabel *>(QStringLiteral("rowTitle")))
                continue;
            QList<std::pair<int, int>> columns;
            for (int column = 0; column <= SystemTravelView::kFixedThrusts + 1; ++column) {
                const QRect cell = grid->cellRect(row, column);
                columns.append({cell.left() + origin.x(), cell.width()});
            }
            rows.append(columns);
        }
    }
    return rows;
}

// Every one-line text of the sheet is either shown whole or cut with an ellipsis:
// a label is never narrower than its text, and a name cut to its room ends in "…".
void expectNothingClipped(const SystemTravelView *sheet)
{
    for (const QLabel *label : sheet->findChildren<QLabel *>()) {
        if (label->isVisibleTo(sheet) && !label->wordWrap()) {
            EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
        }
    }
    for (const ElidedLabel *label : sheet->findChildren<ElidedLabel *>()) {
        if (label->isVisibleTo(sheet) && label->shownText() != label->text()) {
            EXPECT_TRUE(label->shownText().contains(QChar(0x2026))) << label->shownText().toStdString();
        }
    }
    for (const ElidedComboBox *picker : sheet->findChildren<ElidedComboBox *>()) {
        if (picker->shownText() != picker->currentText()) {
            EXPECT_TRUE(picker->shownText().endsWith(QChar(0x2026))) << picker->shownText().toStdString();
        }
    }
}

TEST_F(SystemTravelWindowTest, longNamesShowWholeWhereTheyFitAndTheStarsTablesLineUp)
{
    Star primary = star(Orbits::starOrbitP);
    Star companion = star(Orbits::starOrbit5, SpectralType::M);
    primary.worlds = {
        aWorld()
            .orbit(Orbits::starOrbit2)
            .size(6)
            .named(QStringLiteral("Stormwatch Reach of the Outer Dominion")),
        aWorld().orbit(Orbits::starOrbit3).size(8).named(QStringLiteral("Aurelian Principality Prime")),
        aWorld()
            .orbit(Orbits::starOrbit3)
            .size(2)
            .type(WorldType::closeSatelliteP)
            .named(QStringLiteral("Gleaming Satellite of Aurelian"))
            .satelliteOrbit(PlanetOrbits::planetOrbitG),
        aWorld().orbit(Orbits::starOrbit5).size(3).named(QStringLiteral("Tiny"))};
    companion.worlds = {aWorld()
                            .orbit(Orbits::starOrbit1)
                            .size(5)
                            .named(QStringLiteral("Farthest Companion Homeworld of Kesh")),
                        aWorld().orbit(Orbits::starOrbit2).size(4).named(QStringLiteral("Bo"))};
    store(system({primary, companion}));

    RoutedWindow *window = showAt(900);
    ASSERT_TRUE(window);
    const auto *sheet = qobject_cast<SystemTravelWindow *>(window->content())->sheet();
    const QList<ElidedLabel *> titles = sheet->findChildren<ElidedLabel *>(QStringLiteral("rowTitle"));
    ASSERT_EQ(titles.size(), 6);
    for (const ElidedLabel *title : titles)
        EXPECT_EQ(title->shownText(), title->text());
    for (const ElidedComboBox *picker : sheet->findChildren<ElidedComboBox *>())
        EXPECT_EQ(picker->shownText(), picker->currentText());
    expectNothingClipped(sheet);

    // The rows of both stars share their columns.
    const QList<QList<std::pair<int, int>>> rows = bodyRowColumns(sheet);
    ASSERT_EQ(rows.size(), 6);
    for (const QList<std::pair<int, int>> &row : rows)
        EXPECT_EQ(row, rows.first());

    // Narrower, the longest names give way first, and with an ellipsis.
    window->resize(560, 620);
    QCoreApplication::processEvents();
    const auto cut = std::count_if(titles.begin(), titles.end(), [](const ElidedLabel *title) {
        return title->shownText() != title->text();
    });
    EXPECT_GT(cut, 0);
    EXPECT_EQ(titles.last()->shownText(), QStringLiteral("2 \u00B7 Bo"));
    expectNothingClipped(sheet);
    for (const QList<std::pair<int, int>> &row : bodyRowColumns(sheet))
        EXPECT_EQ(row, bodyRowColumns(sheet).first());
}

TEST_F(SystemTravelWindowTest, aTinyCustomThrustCutsNothingWithoutAnEllipsis)
{
    Star primary = star(Orbits::starOrbitP);
    Star companion = star(Orbits::starOrbit5, SpectralType::M);
    primary.worlds = {aWorld()
                          .orbit(Orbits::starOrbit2)
                          .size(6)
                          .named(QStringLiteral("Stormwatch Reach of the Outer Dominion")),
                      aWorld().orbit(Orbits::starOrbit9).size(3).named(QStringLiteral("Tiny"))};
    companion.worlds = {aWorld().orbit(Orbits::starOrbit1).size(5).named(QStringLiteral("Bo"))};
    store(system({primary, companion}));
    RoutedWindow *window = showAt(560);
    ASSERT_TRUE(window);
    auto *sheet = qobject_cast<SystemTravelWindow *>(window->content())->sheet();
    sheet->setCustomThrust(0.001);
    QCoreApplication::processEvents();
    const QStringList subtitles = texts(sheet, QStringLiteral("rowSubtitle"));
    ASSERT_TRUE(std::any_of(subtitles.begin(), subtitles.end(), [](const QString &text) {
        return text.endsWith(QStringLiteral("\u2019s 100 D"));
    }));
    expectNothingClipped(sheet);
}

} // namespace
