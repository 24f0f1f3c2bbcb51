#include "model/TradeClass.h"
#include "model/UWP.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
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
const DecisionCase kDecisions[] = {{8, 6, 7, 9, 4, "TL12", 3, false, "Ga Hi Pr Ht"},
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
                                   {5, 5, 5, 5, 0, "TL8", 5, false, "Ni Ag Co"},
                                   {7, 11, 4, 10, 3, "TL14", 3, false, "Fl Hi In Ht"},
                                   {7, 10, 0, 10, 3, "TL14", 3, false, "He Hi In Ht"},
                                   {6, 1, 3, 6, 3, "TL9", 7, false, "Ic Ni Na"},
                                   {10, 5, 10, 5, 3, "TL10", 7, false, "Oc Ni"},
                                   {6, 6, 10, 6, 6, "TL10", 7, false, "Wa Ni Ri"},
                                   {6, 6, 10, 6, 10, "TL10", 7, false, "Wa Ni"},
                                   {4, 2, 0, 9, 5, "TL5", 7, false, "De He Hi Na In Po Lt"},
                                   {4, 8, 5, 5, 5, "TL11", 7, false, "Ni Ag Pr"},
                                   {4, 8, 5, 6, 5, "4+", 7, false, "Ni Ag Ri"},
                                   {2, 3, -1, 7, 0, "TL7", 7, false, "Na Po"},
                                   {3, 4, -1, 7, 0, "TL7", 7, false, "Pi Po"},
                                   {-1, 15, 20, -2, 30, "TL7", 6, false, ""},
                                   {0, 0, 1, 3, 0, "TL2", 7, false, "As Ic Va Lo Lt"}};

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
    } cases[] = {{"0", "Lt"},   {"1", ""},     {"4", ""},   {"4+", ""},   {"5", ""},      {"6", "Ht"},
                 {"TL0", "Lt"}, {"TL5", "Lt"}, {"TL6", ""}, {"TL11", ""}, {"TL12", "Ht"}, {"TL22", "Ht"}};
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
