#include "VocabularyTestSupport.h"

#include "model/TradeClass.h"
#include "model/UWP.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace vocabulary_test;

namespace {

struct TradeClassCase
{
    TradeClass value;
    const char *raw;
    const char *name;
};
const TradeClassCase kTradeClasses[] = {
    {TradeClass::asteroid, "As", "Asteroid Belt"},
    {TradeClass::desert, "De", "Desert"},
    {TradeClass::fluidOceans, "Fl", "Fluid Oceans"},
    {TradeClass::garden, "Ga", "Garden World"},
    {TradeClass::hellworld, "He", "Hellworld"},
    {TradeClass::iceCapped, "Ic", "Ice-Capped"},
    {TradeClass::ocean, "Oc", "Ocean"},
    {TradeClass::vacuum, "Va", "Vacuum"},
    {TradeClass::water, "Wa", "Water World"},
    {TradeClass::barren, "Ba", "Barren"},
    {TradeClass::dieback, "Di", "Dieback"},
    {TradeClass::lowPopulation, "Lo", "Low Population"},
    {TradeClass::nonIndustrial, "Ni", "Non-Industrial"},
    {TradeClass::preHighPopulation, "Ph", "Pre-High Population"},
    {TradeClass::highPopulation, "Hi", "High Population"},
    {TradeClass::preAgricultural, "Pa", "Pre-Agricultural"},
    {TradeClass::agricultural, "Ag", "Agricultural"},
    {TradeClass::nonAgricultural, "Na", "Non-Agricultural"},
    {TradeClass::preIndustrial, "Pi", "Pre-Industrial"},
    {TradeClass::industrial, "In", "Industrial"},
    {TradeClass::poor, "Po", "Poor"},
    {TradeClass::preRich, "Pr", "Pre-Rich"},
    {TradeClass::rich, "Ri", "Rich"},
    {TradeClass::lowTechnology, "Lt", "Low Technology"},
    {TradeClass::highTechnology, "Ht", "High Technology"},
    {TradeClass::frozen, "Fr", "Frozen"},
    {TradeClass::hot, "Ho", "Hot"},
    {TradeClass::tropic, "Tr", "Tropic"},
    {TradeClass::cold, "Co", "Cold"},
    {TradeClass::tundra, "Tu", "Tundra"},
    {TradeClass::twilightZone, "Tz", "Twilight Zone"},
    {TradeClass::locked, "Lk", "Locked"},
    {TradeClass::farming, "Fa", "Farming"},
    {TradeClass::mining, "Mi", "Mining"},
    {TradeClass::militaryRule, "Mr", "Military Rule"},
    {TradeClass::prisonCamp, "Px", "Prison/Exile Camp"},
    {TradeClass::penalColony, "Pe", "Penal Colony"},
    {TradeClass::reserve, "Re", "Reserve"},
    {TradeClass::subsectorCapital, "Cp", "Subsector Capital"},
    {TradeClass::sectorCapital, "Cs", "Sector Capital"},
    {TradeClass::capital, "Cx", "Capital"},
    {TradeClass::colony, "Cy", "Colony"},
    {TradeClass::satellite, "Sa", "Satellite"},
    {TradeClass::forbidden, "Fo", "Forbidden"},
    {TradeClass::puzzle, "Pz", "Puzzle"},
    {TradeClass::danger, "Da", "Danger"},
    {TradeClass::dataRepository, "Ab", "Data Repository"},
    {TradeClass::ancientSite, "An", "Ancient Site"},
    {TradeClass::researchStation, "Rs", "Research Station"},
};

TEST(TradeClassTest, EveryClassInOrderWithCodeAndName)
{
    expectCasesAndRawValues<TradeClass>(kTradeClasses);
    for (const auto &row : kTradeClasses)
        EXPECT_EQ(name(row.value), text(row.name)) << row.raw;
    expectRejected<TradeClass>({"as", "AS", "Asteroid Belt", "asteroid", "Xx"});
    EXPECT_EQ(enumFromRaw<TradeClass>(text("Ab")), TradeClass::dataRepository);
}

TEST(TradeClassTest, ReferenceNotes)
{
    for (const auto &row : kTradeClasses) {
        QString expected;
        if (row.value == TradeClass::prisonCamp)
            expected = text("X");
        else if (row.value == TradeClass::reserve)
            expected = text("R");
        else if (row.value == TradeClass::researchStation)
            expected = QString(QChar(0x0393)) + text(" red");
        EXPECT_EQ(referenceNote(row.value), expected) << row.raw;
    }
}

TEST(TradeClassTest, ClimateClassOfEachZone)
{
    EXPECT_EQ(climateTradeClass(0), TradeClass::twilightZone);
    EXPECT_EQ(climateTradeClass(1), TradeClass::hot);
    EXPECT_EQ(climateTradeClass(2), TradeClass::tropic);
    EXPECT_EQ(climateTradeClass(3), std::nullopt);
    EXPECT_EQ(climateTradeClass(4), TradeClass::tundra);
    EXPECT_EQ(climateTradeClass(5), TradeClass::cold);
    EXPECT_EQ(climateTradeClass(6), TradeClass::frozen);
    EXPECT_EQ(climateTradeClass(7), std::nullopt);
    EXPECT_EQ(climateTradeClass(-1), std::nullopt);
}

UWP profile(qint64 size, qint64 atmosphere, qint64 hydrographics, qint64 population, qint64 government,
            const char *techLevel)
{
    UWP uwp;
    uwp.size = size;
    uwp.atmosphere = atmosphere;
    uwp.hydrographics = hydrographics;
    uwp.population = population;
    uwp.government = government;
    uwp.techLevel = *enumFromRaw<TechnologyLevel>(text(techLevel));
    return uwp;
}

QString codes(const QList<TradeClass> &classes)
{
    QStringList list;
    for (const TradeClass tradeClass : classes)
        list.append(rawValue(tradeClass));
    return list.join(QLatin1Char(' '));
}

struct DecisionCase
{
    qint64 size, atmosphere, hydrographics, population, government;
    const char *techLevel;
    int zone;
    bool locked;
    const char *expected;
};

// Profiles worked out by hand from the rules, each touching a different set of them.
const DecisionCase kDecisions[] = {
    {8, 6, 7, 9, 4, "TL12", 3, false, "Ga Hi Pr Ht"},
    {0, 0, 0, 0, 0, "0", 7, false, "As Va Ba Lt"},
    {0, 0, 0, 0, 0, "TL0", 7, false, "As Va Di Lt"},
    {0, 0, 0, 0, 0, "3", 7, false, "As Va Di"},
    {5, 5, 9, 7, 0, "TL8", 7, false, ""},
    {5, 4, 5, 7, 0, "TL8", 7, false, "Ag Pi"},
    {5, 4, 5, 8, 0, "TL8", 7, false, "Ph Pa Pi"},
    {5, 4, 5, 4, 0, "TL8", 7, false, "Ni Pa"},
    {1, 5, 3, 2, 0, "TL8", 6, false, "Lo Po"},
    {5, 5, 0, 2, 0, "TL8", 6, false, "De Lo Po"},
    {5, 5, 3, 2, 0, "TL8", 6, false, "Lo Po Fr"},
    {2, 5, 1, 2, 0, "TL8", 6, false, "Lo Po Fr"},
    {10, 5, 1, 2, 0, "TL8", 6, false, "Lo Po"},
    {5, 5, 5, 5, 0, "TL8", 0, true, "Ni Ag Tz Lk"},
    {5, 5, 5, 5, 0, "TL8", 4, true, "Ni Ag Tu Lk"},
    {5, 5, 5, 5, 0, "TL8", 3, true, "Ni Ag Lk"},
    {5, 5, 5, 5, 0, "TL8", 1, false, "Ni Ag Ho"},
    {5, 5, 5, 5, 0, "TL8", 2, false, "Ni Ag Tr"},
    {5, 5, 5, 5, 0, "TL8", 5, false, "Ni Ag Co"},
    {7, 11, 4, 10, 3, "TL14", 3, false, "Fl Hi In Ht"},
    {7, 10, 0, 10, 3, "TL14", 3, false, "He Hi In Ht"},
    {6, 1, 3, 6, 3, "TL9", 7, false, "Ic Ni Na"},
    {12, 7, 10, 5, 3, "TL10", 7, false, "Oc Ni"},
    {6, 6, 10, 6, 6, "TL10", 7, false, "Wa Ni Ri"},
    {6, 6, 10, 6, 10, "TL10", 7, false, "Wa Ni"},
    {4, 2, 0, 9, 5, "TL5", 7, false, "De He Hi Na In Po Lt"},
    {4, 8, 5, 5, 5, "TL11", 7, false, "Ni Ag Pr"},
    {4, 8, 5, 6, 5, "4+", 7, false, "Ni Ag Ri"},
    {4, 8, 5, 6, 5, "6", 7, false, "Ni Ag Ri Ht"},
    {4, 8, 5, 6, 5, "5", 7, false, "Ni Ag Ri"},
    {4, 8, 5, 6, 5, "TL12", 7, false, "Ni Ag Ri Ht"},
    {4, 8, 5, 6, 5, "TL22", 7, false, "Ni Ag Ri Ht"},
    {2, 3, -1, 7, 0, "TL7", 7, false, "Na Po"},
    {3, 4, -1, 7, 0, "TL7", 7, false, "Pi Po"},
    {-1, 15, 20, -2, 30, "TL7", 6, false, ""},
    {0, 0, 1, 3, 0, "TL2", 7, false, "As Ic Va Lo Lt"},
};

TEST(TradeClassTest, DecisionForASpreadOfProfiles)
{
    for (const auto &c : kDecisions) {
        const UWP uwp =
            profile(c.size, c.atmosphere, c.hydrographics, c.population, c.government, c.techLevel);
        EXPECT_EQ(codes(tradeClasses(uwp, c.zone, c.locked)), text(c.expected))
            << uwp.code().toStdString() << " " << c.techLevel << " zone " << c.zone;
    }
}

TEST(TradeClassTest, TechnologyClassesOnBothScales)
{
    // A profile that meets no other rule, so only the technology class can appear.
    const struct
    {
        const char *level;
        const char *expected;
    } cases[] = {
        {"0", "Lt"},   {"1", ""},     {"4", ""},   {"4+", ""},   {"5", ""},      {"6", "Ht"},
        {"TL0", "Lt"}, {"TL5", "Lt"}, {"TL6", ""}, {"TL11", ""}, {"TL12", "Ht"}, {"TL22", "Ht"},
    };
    for (const auto &c : cases) {
        const UWP uwp = profile(5, 5, 9, 7, 0, c.level);
        EXPECT_EQ(codes(tradeClasses(uwp, 7, false)), text(c.expected)) << c.level;
    }
}

TEST(TradeClassTest, PopulationZeroIsBarrenOnlyAtTheLowestCoarseLevel)
{
    for (const auto &level : allCases<TechnologyLevel>()) {
        UWP uwp = profile(5, 5, 5, 0, 0, "0");
        uwp.techLevel = level;
        const QList<TradeClass> classes = tradeClasses(uwp, 7, false);
        const bool barren = level == TechnologyLevel::tl0;
        EXPECT_EQ(classes.contains(TradeClass::barren), barren) << rawValue(level).toStdString();
        EXPECT_EQ(classes.contains(TradeClass::dieback), !barren) << rawValue(level).toStdString();
    }
}

} // namespace
