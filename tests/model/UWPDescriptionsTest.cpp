#include "model/UWPDescriptions.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <functional>
#include <limits>
#include <vector>

namespace {

constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

struct CodeText
{
    qint64 code;
    const char *text;
};

// One description table: the function under test and the texts it must give,
// including codes past both ends.
struct DescriptionTable
{
    const char *name;
    std::function<QString(qint64)> describe;
    std::vector<CodeText> rows;
};

UWP withAtmosphere(qint64 atmosphere)
{
    UWP uwp;
    uwp.atmosphere = atmosphere;
    return uwp;
}

UWP withGovernment(qint64 government)
{
    UWP uwp;
    uwp.government = government;
    return uwp;
}

UWP withSize(qint64 size, double density)
{
    UWP uwp;
    uwp.size = size;
    uwp.density = density;
    return uwp;
}

UWP withPopulation(qint64 population, qint64 multiplier)
{
    UWP uwp;
    uwp.population = population;
    uwp.populationMultiplier = multiplier;
    return uwp;
}

const std::vector<DescriptionTable> &tables()
{
    static const std::vector<DescriptionTable> all{
        {"sizeDescription",
         sizeDescription,
         {{kMin, "Undefined"},     {-1, "Undefined"},        {0, "800 km (Asteroid)"},
          {1, "1,600 km (Pluto)"}, {2, "3,200 km (Moon)"},   {3, "4,800 km (Mercury)"},
          {4, "6,400 km (Mars)"},  {5, "8,000 km"},          {6, "9,600 km"},
          {7, "11,200 km"},        {8, "12,800 km (Earth)"}, {9, "14,400 km"},
          {10, "16,000 km"},       {11, "17,600 km"},        {12, "19,200 km"},
          {13, "20,800 km"},       {14, "22,400 km"},        {15, "24,000 km"},
          {16, "25,600 km"},       {17, "Undefined"},        {34, "Undefined"},
          {35, "Megastructure"},   {36, "Undefined"},        {kMax, "Undefined"}}},
        {"atmosphereDescription",
         atmosphereDescription,
         {{kMin, "Undefined"},
          {-1, "Undefined"},
          {0, "Vacuum (S3)"},
          {1, "Trace (S3)"},
          {2, "Very Thin, Tainted (P1, S2)"},
          {3, "Very Thin (S2)"},
          {4, "Thin, Tainted (P1, S1)"},
          {5, "Thin (S1)"},
          {6, "Standard"},
          {7, "Standard, Tainted (P1)"},
          {8, "Dense"},
          {9, "Dense, Tainted (P1)"},
          {10, "Exotic (P1)"},
          {11, "Corrosive (C1, P1)"},
          {12, "Insiduous (C2, P1)"},
          {13, "Dense High (varies)"},
          {14, "Thin Low (varies)"},
          {15, "Unusual (varies)"},
          {16, "Undefined"},
          {kMax, "Undefined"}}},
        {"atmosphericPressure",
         [](qint64 code) { return atmosphericPressure(withAtmosphere(code)); },
         {{kMin, "Undefined"}, {-1, "Undefined"}, {0, "0.00"},     {1, "0.001-0.09"}, {2, "0.1-0.42"},
          {3, "0.1-0.42"},     {4, "0.43-0.7"},   {5, "0.43-0.7"}, {6, "0.71-1.49"},  {7, "0.71-1.49"},
          {8, "1.5-2.49"},     {9, "1.5-2.49"},   {10, "Varies"},  {11, "Varies"},    {12, "Varies"},
          {13, "Varies"},      {14, "Varies"},    {15, "Varies"},  {16, "Undefined"}, {kMax, "Undefined"}}},
        {"requiredGear",
         [](qint64 code) { return requiredGear(withAtmosphere(code)); },
         {{kMin, "Undefined"},
          {-1, "Undefined"},
          {0, "Vacc Suit"},
          {1, "Vacc Suit"},
          {2, "Survival Mask"},
          {3, "Survival Mask"},
          {4, "Survival Mask"},
          {5, "\u2013"},
          {6, "\u2013"},
          {7, "Survival Mask"},
          {8, "\u2013"},
          {9, "Survival Mask"},
          {10, "Air Supply/Vacc Suit"},
          {11, "Vacc Suit"},
          {12, "Vacc Suit"},
          {13, "Vacc Suit"},
          {14, "Air Supply/Vacc Suit"},
          {15, "Vacc Suit"},
          {16, "Undefined"},
          {kMax, "Undefined"}}},
        {"hydrographicsDescription",
         hydrographicsDescription,
         {{kMin, "Undefined"},
          {-1, "Undefined"},
          {0, "Desert world (0%-5%)"},
          {1, "Dry world (6%-15%)"},
          {2, "A few small seas (16%-25%)"},
          {3, "Small seas and oceans (26%-35%)"},
          {4, "Wet world (36%-45%)"},
          {5, "Large oceans (46%-55%)"},
          {6, "Large oceans (56%-65%)"},
          {7, "Earth-like world (66%-75%)"},
          {8, "Water world (76%-85%)"},
          {9, "Few small islands (86%-95%)"},
          {10, "Water world (96%-100%)"},
          {11, "Undefined"},
          {kMax, "Undefined"}}},
        {"lawLevelDescription",
         lawLevelDescription,
         {{kMin, "Extreme"},
          {-1, "Extreme"},
          {0, "No Law. No prohibitions."},
          {1, "Low Law. Prohibition of WMD, Psi weapons."},
          {2, "Low Law. Prohibition of \u201CPortable\u201D Weapons."},
          {3, "Low Law. Prohibition of Acid, Fire, Gas."},
          {4, "Moderate Law. Prohibition of Laser, Beam."},
          {5, "Moderate Law. No Shock, EMP, Rad, Mag, Grav."},
          {6, "Moderate Law. Prohibition of MachineGuns."},
          {7, "Moderate Law. Prohibition of Pistols."},
          {8, "High Law. Open display of weapons prohibited."},
          {9, "High Law. No weapons outside the home."},
          {10, "Extreme Law. All weapons prohibited."},
          {11, "Extreme Law. Continental passports required."},
          {12, "Extreme Law. Unrestricted invasion of privacy."},
          {13, "Extreme Law. Paramilitary law enforcement."},
          {14, "Extreme Law. Full-fledged police state."},
          {15, "Extreme Law. Daily life rigidly controlled."},
          {16, "Extreme Law. Disproportionate punishment."},
          {17, "Extreme Law. Legalized oppressive practices."},
          {18, "Extreme Law. Routine oppression."},
          {19, "Extreme"},
          {kMax, "Extreme"}}},
        {"populationDescription",
         populationDescription,
         {{kMin, "Undefined"},
          {-1, "Undefined"},
          {0, "None"},
          {1, "Tens"},
          {2, "Hundreds"},
          {3, "Thousands"},
          {4, "Tens of thousands"},
          {5, "Hundred of thousands"},
          {6, "Millions"},
          {7, "Tens of millions"},
          {8, "Hundreds of millions"},
          {9, "Billions"},
          {10, "Tens of billions"},
          {11, "Hundreds of billions"},
          {12, "Trillions"},
          {13, "Tens of trillions"},
          {14, "Hundreds of trillions"},
          {15, "Quadrillions"},
          {16, "Undefined"},
          {kMax, "Undefined"}}},
        {"governmentLongDescription",
         [](qint64 code) { return governmentLongDescription(withGovernment(code)); },
         {{kMin, "Undefined"},
          {-1, "Undefined"},
          {0, "No Government Structure. Family bonds predominate."},
          {1, "Company/Corporation. Rule by a managerial elite."},
          {2, "Participating Democracy. Rule by popular vote."},
          {3, "Self-Perpetuating Oligarchy. Rule by an isolated minority."},
          {4, "Representative Democracy. Government by proxy."},
          {5, "Feudal Technocracy. Governmental relationships based on mutually beneficial technical "
              "activities."},
          {6, "Captive Government/Colony. Rule by an externally imposed leadership."},
          {7, "Balkanization. Rival governments compete for control."},
          {8, "Civil Service Bureaucracy. Rule by agencies employing individuals selected by merit."},
          {9, "Impersonal Bureaucracy. Rule by impersonal agencies isolated from the governed populations."},
          {10, "Charismatic Dictatorship. Government by a single leader enjoying the confidence of the "
               "citizens."},
          {11, "Non-Charismatic Dictatorship. Government by the successor to a charismatic dictator."},
          {12, "Charismatic Oligarchy. Government by a select religious, mystic, or psionic group, "
               "organization, or class enjoying the overwhelming confidence of the citizenry."},
          {13, "Religious Dictatorship. Rule by prophets."},
          {14, "Religious Autocracy. Government by a single religious, mystic, or psionic leader wielding "
               "absolute power."},
          {15,
           "Totalitarian Oligarchy. Rule by an all-powerful minority maintaining absolute control through "
           "coercion and oppression."},
          {16, "Undefined"},
          {kMax, "Undefined"}}},
        {"governmentDescription",
         governmentDescription,
         {{kMin, "Undefined"},
          {-1, "Undefined"},
          {0, "No Government Structure"},
          {1, "Company/Corporation"},
          {2, "Participating Democracy"},
          {3, "Self-Perpetuating Oligarchy"},
          {4, "Representative Democracy"},
          {5, "Feudal Technocracy"},
          {6, "Captive Government/Colony"},
          {7, "Balkanization"},
          {8, "Civil Service Bureaucracy"},
          {9, "Impersonal Bureaucracy"},
          {10, "Charismatic Dictatorship"},
          {11, "Non-Charismatic Dictatorship"},
          {12, "Charismatic Oligarchy"},
          {13, "Religious Dictatorship"},
          {14, "Religious Autocracy"},
          {15, "Totalitarian Oligarchy"},
          {16, "Undefined"},
          {kMax, "Undefined"}}},
    };
    return all;
}

class UWPDescriptionsTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

} // namespace

TEST_F(UWPDescriptionsTest, everyCodeOfEveryTableAndTheFallbacksPastItsEnds)
{
    for (const DescriptionTable &table : tables()) {
        for (const CodeText &row : table.rows)
            EXPECT_EQ(table.describe(row.code), QString::fromUtf8(row.text)) << table.name << " " << row.code;
    }
}

TEST_F(UWPDescriptionsTest, starportDescriptionIsTheQualityOfEachPort)
{
    const std::pair<Starport, const char *> expected[] = {
        {Starport::typeA, "Excellent"}, {Starport::typeB, "Good"},      {Starport::typeC, "Routine"},
        {Starport::typeD, "Poor"},      {Starport::typeE, "Frontier"},  {Starport::typeX, "None"},
        {Starport::typeF, "Good (Sp)"}, {Starport::typeG, "Poor (Sp)"}, {Starport::typeH, "Basic (Sp)"},
        {Starport::typeY, "None (Sp)"},
    };
    for (const auto &[starport, text] : expected) {
        UWP uwp;
        uwp.starport = starport;
        EXPECT_EQ(starportDescription(uwp), QString::fromUtf8(text));
    }
}

TEST_F(UWPDescriptionsTest, surfaceGravityBySizeAndDensity)
{
    struct Case
    {
        qint64 size;
        double density;
        const char *text;
    };
    const Case cases[] = {
        {0, 1.0, "Negligible"}, {0, 5.0, "Negligible"}, {8, 1.0, "1.00"},  {4, 0.5, "0.25"},
        {1, 1.0, "0.13"},       {16, 1.0, "2.00"},      {16, 1.5, "3.00"}, {17, 1.0, "Varies"},
        {25, 1.0, "Varies"},    {kMax, 1.0, "Varies"},  {-1, 1.0, "0.00"}, {kMin, 2.0, "0.00"},
        {8, 0.0, "0.00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(surfaceGravity(withSize(c.size, c.density)), QString::fromUtf8(c.text))
            << c.size << " " << c.density;
}

TEST_F(UWPDescriptionsTest, surfaceGravityFollowsTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(surfaceGravity(withSize(8, 1.0)), QStringLiteral("1,00"));
}

TEST_F(UWPDescriptionsTest, populationTextIsTheCompactCount)
{
    struct Case
    {
        qint64 population;
        qint64 multiplier;
        const char *text;
    };
    const Case cases[] = {
        {0, 5, "0"},     {-3, 5, "0"},  {1, 0, "10"},     {2, 9, "900"},         {3, 0, "1K"},
        {3, 4, "4K"},    {7, 1, "10M"}, {7, 1, "10M"},    {9, 0, "1B"},          {9, 4, "4B"},
        {8, 21, "2.1B"}, {12, 3, "3T"}, {15, 9, "9000T"}, {40, 9, "9,223,372T"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(populationText(withPopulation(c.population, c.multiplier)), QString::fromUtf8(c.text))
            << c.population << " " << c.multiplier;
}
