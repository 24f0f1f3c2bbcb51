#include "ScreenTestSupport.h"
#include "model/WorldDescriptions.h"
#include "screens/ui/StarSystemView.h"
#include "screens/ui/SystemWorldsModel.h"
#include "screens/ui/SystemWorldsView.h"
#include "screens/ui/WorldRowView.h"
#include "ui/ElidedLabel.h"

#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

StarSystem systemOf(const QList<Star> &stars)
{
    StarSystem system;
    system.id = QUuid::createUuid();
    system.stars = stars;
    return system;
}

StarSystem singleStar(const QList<WorldData> &worlds, SpectralType type = SpectralType::G,
                      LuminosityClass luminosity = LuminosityClass::V)
{
    Star primary = star(Orbits::starOrbitP, type, 2, luminosity);
    primary.worlds = worlds;
    return systemOf({primary});
}

} // namespace

class SummaryViewsTest : public ::testing::Test
{
protected:
    void SetUp() override { useEnglishNumbers(); }
};

// ---- Star system summary ----

TEST_F(SummaryViewsTest, TheStarLineNamesTheStarsByTheirCount)
{
    const Star g2 = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V);
    const Star m5 = star(Orbits::starOrbit3, SpectralType::M, 5, LuminosityClass::V);
    const Star k1 = star(Orbits::starOrbit8, SpectralType::K, 1, LuminosityClass::IV);
    const Star f0 = star(Orbits::starOrbit12, SpectralType::F, 0, LuminosityClass::III);
    const struct
    {
        QList<Star> stars;
        const char *label;
        const char *classifications;
        const char *description;
    } cases[] = {{{g2}, "Star:", "G2-V", "Yellow Main Sequence"},
                 {{g2, m5}, "B:", "G2-V / M5-V.o3", "P: Yellow Main Sequence"},
                 {{g2, m5, k1}, "T:", "G2-V / M5-V.o3 / K1-IV.o8", ""},
                 {{g2, m5, k1, f0}, "Stars:", "G2-V / M5-V.o3 / K1-IV.o8 / F0-III.o12", ""}};
    for (const auto &c : cases) {
        StarSystemView view(systemOf(c.stars), false, 400);
        EXPECT_EQ(view.texts().starsLabel, QString::fromUtf8(c.label));
        EXPECT_EQ(view.texts().classifications, QString::fromUtf8(c.classifications));
        EXPECT_EQ(view.texts().starDescription, QString::fromUtf8(c.description));
        const auto *description = view.findChild<ElidedLabel *>(QStringLiteral("starDescription"));
        EXPECT_EQ(description->isVisibleTo(&view), c.description[0] != '\0') << c.label;
    }
}

TEST_F(SummaryViewsTest, AStarLineTooLongForTheTileIsCutWithAnEllipsisOrWrappedNeverClipped)
{
    // The width the map's card gives its summary.
    constexpr int kCardWidth = 326;
    const Star f5 = star(Orbits::starOrbitP, SpectralType::F, 5, LuminosityClass::V);
    const Star m2 = star(Orbits::starOrbit5, SpectralType::M, 2, LuminosityClass::V);
    const Star k1 = star(Orbits::starOrbit12, SpectralType::K, 1, LuminosityClass::IV);
    const Star a0 = star(Orbits::starOrbit18, SpectralType::A, 0, LuminosityClass::III);
    const QList<QList<Star>> systems{{f5}, {f5, m2}, {f5, m2, k1, a0, m2, k1}};
    for (const QList<Star> &stars : systems) {
        // Shown as the card shows it: at the top of a column that scrolls.
        QScrollArea area;
        area.setWidgetResizable(true);
        area.setFrameShape(QFrame::NoFrame);
        auto *column = new QWidget;
        auto *layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *tile = new StarSystemView(systemOf(stars), false, kCardWidth);
        layout->addWidget(tile);
        layout->addStretch(1);
        area.setWidget(column);
        area.resize(tile->width(), 300);
        area.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
        QCoreApplication::processEvents();
        const StarSystemView &view = *tile;
        EXPECT_EQ(textsCutWithoutEllipsis(view), QStringList());
        // The description gives way first: the classifications stay whole on one line.
        const auto *description = view.findChild<ElidedLabel *>(QStringLiteral("starDescription"));
        if (description && description->isVisibleTo(&view)) {
            const auto *classifications = view.findChild<QLabel *>(QStringLiteral("classifications"));
            EXPECT_LE(classifications->height(), classifications->fontMetrics().lineSpacing() + 1);
        }
    }
}

TEST_F(SummaryViewsTest, TheOrbitLineAddsTheOffsetAndNotesIt)
{
    // A G2 V primary has its habitable zone in orbit 3.
    const struct
    {
        qint64 offset;
        const char *orbit;
        const char *note;
    } cases[] = {
        {0, "3", ""}, {2, "5", "(HZ+2)"}, {-1, "2", "(HZ-1)"}, {-5, "0", "(HZ-5)"}, {30, "20", "(HZ+30)"}};
    for (const auto &c : cases) {
        StarSystemView view(singleStar({world().main().hzOffset(c.offset)}), false, 400);
        EXPECT_EQ(view.texts().orbit, QString::fromUtf8(c.orbit)) << c.offset;
        EXPECT_EQ(view.texts().habitableZoneNote, QString::fromUtf8(c.note)) << c.offset;
    }
    // An O Ia primary's zone is orbit 15; four more clamp to the outermost orbit.
    StarSystemView far(singleStar({world().main().hzOffset(9)}, SpectralType::O, LuminosityClass::Ia), false,
                       400);
    EXPECT_EQ(far.texts().orbit, QStringLiteral("20"));
}

TEST_F(SummaryViewsTest, TheClimateFollowsTheOffsetAndTheWater)
{
    const struct
    {
        qint64 offset;
        Codes codes;
        const char *climate;
    } cases[] = {{1, {8, 6, 7, 5, 5, 5}, "Tundra"},    {1, {8, 6, 8, 5, 5, 5}, "Cold"},
                 {-1, {8, 6, 7, 5, 5, 5}, "Tropic"},   {-1, {8, 6, 8, 5, 5, 5}, "Hot"},
                 {0, {2, 0, 0, 0, 0, 0}, "Temperate"}, {-2, {8, 6, 7, 5, 5, 5}, "Hot"},
                 {2, {8, 6, 7, 5, 5, 5}, "Frozen"}};
    // An A V primary has its habitable zone in orbit 7, far from the twilight orbits.
    for (const auto &c : cases) {
        StarSystemView view(singleStar({world(c.codes).main().hzOffset(c.offset)}, SpectralType::A), false,
                            400);
        EXPECT_EQ(view.texts().climate, QString::fromUtf8(c.climate))
            << c.offset << " size " << c.codes.size << " hydro " << c.codes.hydrographics;
    }
}

TEST_F(SummaryViewsTest, APlanetInOrbitZeroOrOneOfTheFirstStarIsInTheTwilightZone)
{
    // An M V primary has its habitable zone in orbit 0; a G V primary in orbit 3.
    for (const qint64 offset : {0, 1}) {
        const StarSystem system =
            singleStar({world().main().hzOffset(offset)}, SpectralType::M, LuminosityClass::V);
        EXPECT_EQ(StarSystemView(system, false, 400).texts().climate, QStringLiteral("Twilight Zone"))
            << offset;
    }
    EXPECT_EQ(StarSystemView(singleStar({world().main().hzOffset(-2)}), false, 400).texts().climate,
              QStringLiteral("Twilight Zone"));
    // A belt there is judged by its offset alone.
    WorldData belt = world({0, 0, 0, 0, 0, 0}).main().hzOffset(1);
    belt.type = WorldType::asteroidBelt;
    EXPECT_EQ(
        StarSystemView(singleStar({belt}, SpectralType::M, LuminosityClass::V), false, 400).texts().climate,
        QStringLiteral("Cold"));
}

TEST_F(SummaryViewsTest, ASystemWithoutStarsShowsADashInsteadOfFailing)
{
    StarSystem system = systemOf({});
    const StarSystemView view(system, false, 400);
    EXPECT_EQ(view.texts().starsLabel, QStringLiteral("Stars:"));
    EXPECT_EQ(view.texts().classifications, QString());
    EXPECT_EQ(view.texts().orbit, QStringLiteral("\u2014"));
    EXPECT_EQ(view.texts().climate, QStringLiteral("\u2014"));
    EXPECT_EQ(view.texts().people, QStringLiteral("Human"));
}

// ---- Worlds tile ----

TEST_F(SummaryViewsTest, TheHeaderCountsBodiesAndInhabitedWorlds)
{
    StarSystem empty = singleStar({world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit2),
                                   world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit4)});
    SystemWorldsView view(empty, 400, 300, false);
    EXPECT_EQ(view.bodiesText(), QStringLiteral("2 bodies:"));
    EXPECT_EQ(view.summaryText(), QStringLiteral("0 inhabited, total population: 0"));
    EXPECT_EQ(view.findChild<QLabel *>(QStringLiteral("summary"))->text(), view.summaryText());
    EXPECT_EQ(SystemWorldsView::summaryText(empty, true), QStringLiteral("0 w/pop, T: 0"));

    // 2,000,000,000 + 100,000,000 inhabitants on two of three bodies.
    const StarSystem inhabited = singleStar({world({8, 6, 7, 9, 0, 0}).populationMultiplier(2),
                                             world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit5),
                                             world({8, 6, 7, 8, 0, 0}).populationMultiplier(1)});
    EXPECT_EQ(SystemWorldsView::totalPopulation(inhabited), 2'100'000'000);
    EXPECT_EQ(SystemWorldsView::summaryText(inhabited, false),
              QStringLiteral("2 inhabited, total population: 2.1B"));
    EXPECT_EQ(SystemWorldsView::summaryText(inhabited, true), QStringLiteral("2 w/pop, T: 2.1B"));
}

TEST_F(SummaryViewsTest, MoonsFollowTheirPlanetInLetterOrder)
{
    Star primary = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V);
    primary.worlds = {
        world({4, 0, 0, 0, 0, 0})
            .orbit(Orbits::starOrbit3)
            .satelliteOrbit(PlanetOrbits::planetOrbitB)
            .named(QStringLiteral("Moon B")),
        world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit5).named(QStringLiteral("Outer")),
        world({4, 0, 0, 0, 0, 0})
            .orbit(Orbits::starOrbit3)
            .satelliteOrbit(PlanetOrbits::planetOrbitA)
            .named(QStringLiteral("Moon A")),
        world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit3).named(QStringLiteral("Planet")),
        world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbitP).named(QStringLiteral("Close")),
        world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit5).named(QStringLiteral("Outer twin"))};
    SystemWorldsView view(systemOf({primary}), 400, 300, false);
    const SystemWorldsModel *model = view.model();
    QStringList names;
    QStringList orbits;
    QList<bool> moons;
    for (int row = 0; row < model->rowCount(); ++row) {
        const SystemWorldsModel::Entry *entry = model->entry(row);
        ASSERT_FALSE(entry->heading); // one star: no headings
        names.append(entry->row.nameText());
        orbits.append(entry->row.orbitLabel());
        moons.append(entry->row.isMoon());
    }
    EXPECT_EQ(names, strings({"Close", "Planet", "Moon A", "Moon B", "Outer", "Outer twin"}));
    EXPECT_EQ(orbits, strings({"-1", "3", "\u21B3A", "\u21B3B", "5", "5"}));
    EXPECT_EQ(moons, (QList<bool>{false, false, true, true, false, false}));
    EXPECT_EQ(model->entry(model->rowCount()), nullptr);
}

TEST_F(SummaryViewsTest, TwoStarsGetAPrimaryAndACompanionHeading)
{
    Star primary = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V);
    primary.worlds = {world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit1)};
    Star companion = star(Orbits::starOrbit9, SpectralType::M, 5, LuminosityClass::V);
    companion.worlds = {world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbit0),
                        world({4, 0, 0, 0, 0, 0}).orbit(Orbits::starOrbitP)};
    SystemWorldsView view(systemOf({primary, companion}), 400, 300, false);
    const SystemWorldsModel *model = view.model();
    ASSERT_EQ(model->rowCount(), 5);
    EXPECT_TRUE(model->entry(0)->heading);
    EXPECT_EQ(model->entry(0)->headingText, QStringLiteral("Primary \u2014 G2-V"));
    EXPECT_FALSE(model->entry(0)->companion);
    EXPECT_FALSE(model->entry(1)->heading);
    EXPECT_TRUE(model->entry(2)->heading);
    EXPECT_TRUE(model->entry(2)->companion);
    EXPECT_EQ(model->entry(2)->headingText, QStringLiteral("Companion \u2014 M5-V.o9"));
    EXPECT_EQ(model->entry(3)->row.orbitLabel(), QStringLiteral("-1"));
    EXPECT_EQ(model->entry(4)->row.orbitLabel(), QStringLiteral("0"));
    EXPECT_EQ(view.bodiesText(), QStringLiteral("3 bodies:"));
}
