// The rules vocabularies: every case survives its raw value, and per family the
// cases a fault would hide in — both ends, the odd spellings, the fallbacks and raw
// values that name no case.
#include "model/Base.h"
#include "model/LuminosityClass.h"
#include "model/Orbits.h"
#include "model/PlanetOrbits.h"
#include "model/Race.h"
#include "model/Random.h"
#include "model/SpectralType.h"
#include "model/Starport.h"
#include "model/TechnologyLevel.h"
#include "model/TradeClass.h"
#include "model/WorldTag.h"
#include "model/WorldType.h"
#include "json/DecodeError.h"
#include "json/Json.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Every case of each family reads back from its raw value, as text and from a file.
template <typename... Families> void expectEveryCaseRoundTrips()
{
    const auto check = [](auto family) {
        using E = decltype(family);
        for (const E value : allCases<E>()) {
            EXPECT_EQ(enumFromRaw<E>(rawValue(value)), value);
            EXPECT_EQ(readJson<E>(jsonValue(value)), value);
        }
    };
    (check(Families{}), ...);
}

// Each text names `expected` (or nothing, and then reading it from a file fails).
template <typename E> void expectReads(std::initializer_list<std::pair<const char *, std::optional<E>>> rows)
{
    for (const auto &[raw, expected] : rows) {
        SCOPED_TRACE(raw);
        EXPECT_EQ(enumFromRaw<E>(text(raw)), expected);
        if (!expected) {
            EXPECT_THROW(readJson<E>(JsonValue(text(raw))), DecodeError);
        }
    }
}

TEST(Vocabulary, EveryCaseOfEveryFamilyRoundTrips)
{
    expectEveryCaseRoundTrips<Starport, Base, WorldType, SpectralType, LuminosityClass, Orbits, PlanetOrbits,
                              TechnologyLevel, Race, TradeClass, WorldTag, WorldTagCategory>();
}

TEST(Vocabulary, EndsOddSpellingsAndUnknownRawValues)
{
    expectReads<Starport>({{"Excellent", Starport::typeA},
                           {"Good (Sp)", Starport::typeF},
                           {"Poor (Sp)", Starport::typeG},
                           {"None (Sp)", Starport::typeY},
                           {"excellent", {}},
                           {"A", {}},
                           {"None(Sp)", {}}});
    EXPECT_EQ(code(Starport::typeY), u"Y"_s);
    EXPECT_EQ(starportFromCode(u"H"), Starport::typeH);
    EXPECT_EQ(starportFromCode(u"a"), std::nullopt);
    EXPECT_EQ(starportFromCode(u"AB"), std::nullopt);

    expectReads<Base>({{"C", Base::corsairBase}, {"W", Base::wayStation}, {"n", {}}, {"NS", {}}});
    EXPECT_EQ(name(Base::imperialNavalBase), u"Imperial Naval Base"_s);
    EXPECT_EQ(referenceSymbol(Base::wayStation), u"\u25B2 red"_s);

    expectReads<WorldType>({{"planet", WorldType::planet},
                            {"Close satellite orbiting a GG", WorldType::closeSatelliteGG},
                            {"Ice Giant", WorldType::iceGiant},
                            {"Planet", {}},
                            {"closeSatelliteGG", {}}});
    EXPECT_EQ(description(WorldType::farSatelliteP), u"Satellite (F. planet)"_s);

    expectReads<SpectralType>({{"O", SpectralType::O}, {"M", SpectralType::M}, {"g", {}}, {"G2", {}}});
    expectReads<LuminosityClass>(
        {{"Ia", LuminosityClass::Ia}, {"D", LuminosityClass::D}, {"I", {}}, {"iii", {}}});
    EXPECT_EQ(description(LuminosityClass::D), u"White Dwarf"_s);

    expectReads<PlanetOrbits>({{"0", PlanetOrbits::planetOrbit0},
                               {"I", PlanetOrbits::planetOrbitI},
                               {"Z", PlanetOrbits::planetOrbitZ},
                               {"a", {}},
                               {"00", {}}});

    expectReads<TechnologyLevel>({{"0", TechnologyLevel::tl0},
                                  {"4+", TechnologyLevel::tl4Plus},
                                  {"TL0", TechnologyLevel::ttl0},
                                  {"TL22", TechnologyLevel::ttl22},
                                  {"tl4", {}},
                                  {"TL23", {}},
                                  {"7", {}},
                                  {"+4", {}}});
    EXPECT_EQ(name(TechnologyLevel::tl4Plus), u"Postech-Plus"_s);

    expectReads<Race>({{"corporation", Race::corporation},
                       {"kkree", Race::kkree},
                       {"mixedRIM", Race::mixedRIM},
                       {"Human", {}},
                       {"mixedrim", {}}});
    EXPECT_EQ(description(Race::kkree), u"K'kree"_s);

    expectReads<TradeClass>({{"As", TradeClass::asteroid},
                             {"Ab", TradeClass::dataRepository},
                             {"Rs", TradeClass::researchStation},
                             {"as", {}},
                             {"Asteroid Belt", {}}});

    expectReads<WorldTag>({{"abandoned-colony", WorldTag::abandonedColony},
                           {"area-51", WorldTag::area51},
                           {"sole-supplier", WorldTag::soleSuplier},
                           {"free-port", WorldTag::freeport},
                           {"No Government", WorldTag::gov0},
                           {"Reserved", WorldTag::reserved},
                           {"Civil War", {}},
                           {"reserved", {}},
                           {"", {}}});
}

TEST(Vocabulary, IntegerRawValuesAndTheirRanges)
{
    EXPECT_EQ(enumFromRaw<Orbits>(-1), Orbits::starOrbitP);
    EXPECT_EQ(enumFromRaw<Orbits>(20), Orbits::starOrbit20);
    EXPECT_EQ(enumFromRaw<Orbits>(21), std::nullopt);
    EXPECT_EQ(enumFromRaw<Orbits>(-2), std::nullopt);
    for (const JsonValue &stored : {JsonValue(3.5), JsonValue(u"3"_s)})
        EXPECT_THROW(readJson<Orbits>(stored), DecodeError);
    EXPECT_EQ(distanceAU(Orbits::starOrbitP), 0.0);
    EXPECT_EQ(distanceAU(Orbits::starOrbit3), 1.0);
    EXPECT_DOUBLE_EQ(distanceAU(Orbits::starOrbit20), 78643.6);

    EXPECT_EQ(enumFromRaw<WorldTagCategory>(7), WorldTagCategory::government);
    EXPECT_EQ(enumFromRaw<WorldTagCategory>(8), std::nullopt);
    EXPECT_EQ(title(WorldTagCategory::society), u"Society & Politics"_s);
}

TEST(Vocabulary, TechnologyLevelScalesDigitsAndOrder)
{
    const QList<TechnologyLevel> coarse = technologyLevels(TechnologyLevelSystem::swn);
    ASSERT_EQ(coarse.size(), 8);
    EXPECT_EQ(coarse[5], TechnologyLevel::tl4Plus);
    const QList<TechnologyLevel> traveller = technologyLevels(TechnologyLevelSystem::traveller);
    ASSERT_EQ(traveller.size(), 23);
    for (int i = 0; i < traveller.size(); ++i) {
        EXPECT_EQ(rawValue(traveller[i]), u"TL%1"_s.arg(i));
        EXPECT_EQ(numericValue(traveller[i]), i);
    }
    EXPECT_EQ(numericValue(TechnologyLevel::tl4Plus), 4);
    EXPECT_EQ(uwpDigit(TechnologyLevel::ttl17), u"H"_s);
    EXPECT_EQ(uwpDigit(TechnologyLevel::ttl18), u"J"_s);
    EXPECT_TRUE(TechnologyLevel::tl6 < TechnologyLevel::ttl0);
    EXPECT_TRUE(TechnologyLevel::tl4 < TechnologyLevel::tl4Plus);
}

TEST(Vocabulary, TradeClassNotesAndClimateZones)
{
    int withNote = 0;
    for (const TradeClass tradeClass : allCases<TradeClass>())
        withNote += !referenceNote(tradeClass).isEmpty();
    EXPECT_EQ(withNote, 3);
    EXPECT_EQ(referenceNote(TradeClass::prisonCamp), u"X"_s);
    EXPECT_EQ(referenceNote(TradeClass::researchStation), u"\u0393 red"_s);

    const std::pair<int, std::optional<TradeClass>> zones[] = {{-1, {}},
                                                               {0, TradeClass::twilightZone},
                                                               {3, {}},
                                                               {4, TradeClass::tundra},
                                                               {5, TradeClass::cold},
                                                               {6, TradeClass::frozen},
                                                               {7, {}}};
    for (const auto &[zone, expected] : zones)
        EXPECT_EQ(climateTradeClass(zone), expected) << zone;
}

TEST(Vocabulary, PeoplesPerFlavourSortByTheirDisplayNames)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QList<Race> swn = races(TechnologyLevelSystem::swn);
    const QList<Race> traveller = races(TechnologyLevelSystem::traveller);
    EXPECT_EQ(swn.size(), 15);
    EXPECT_EQ(traveller.size(), 13);
    EXPECT_TRUE(swn.contains(Race::sathar) && !traveller.contains(Race::sathar));
    EXPECT_TRUE(traveller.contains(Race::zhodani) && !swn.contains(Race::zhodani));
    for (const Race race : {Race::human, Race::unknown})
        EXPECT_TRUE(swn.contains(race) && traveller.contains(race));

    auto all = allCases<Race>();
    std::sort(all.begin(), all.end());
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(description(all[i - 1]).toLower(), description(all[i]).toLower());
    EXPECT_FALSE(Race::human < Race::human);
    EXPECT_TRUE(Race::zhodani > Race::yazirian);
}

TEST(Vocabulary, WorldTagsSortWithinTheirCategoryIgnoringLetterCase)
{
    qsizetype total = 0;
    for (const WorldTagCategory group : allCases<WorldTagCategory>()) {
        const QList<WorldTag> list = tags(group);
        total += list.size();
        for (qsizetype i = 0; i < list.size(); ++i) {
            EXPECT_EQ(category(list[i]), group);
            if (i > 0) {
                EXPECT_LT(rawValue(list[i - 1]).toLower(), rawValue(list[i]).toLower());
            }
        }
    }
    EXPECT_EQ(total, qsizetype(allCases<WorldTag>().size()));
    EXPECT_EQ(category(WorldTag::plague), WorldTagCategory::zone);
    EXPECT_EQ(category(WorldTag::gov15), WorldTagCategory::government);
    EXPECT_EQ(tags(WorldTagCategory::government).front(), WorldTag::gov7); // "Balkanization"
    EXPECT_TRUE(WorldTag::abandonedColony < WorldTag::gov7);
    EXPECT_TRUE(sortsBefore(WorldTag::gov10, WorldTag::civilWar));
    EXPECT_TRUE(WorldTag::plague < WorldTag::zombies);
    EXPECT_FALSE(sortsBefore(WorldTag::civilWar, WorldTag::civilWar));
    EXPECT_EQ(
        std::count(kWorldTagPickerCases.begin(), kWorldTagPickerCases.end(), WorldTagCategory::government),
        0);
    EXPECT_EQ(kWorldTagPickerCases.size(), allCases<WorldTagCategory>().size() - 1);
}

TEST(Vocabulary, DensityOptionsAndRandomDensity)
{
    for (const WorldType type : allCases<WorldType>()) {
        const QList<double> options = densityOptions(type, 0.05);
        ASSERT_FALSE(options.isEmpty());
        for (qsizetype i = 1; i < options.size(); ++i)
            EXPECT_NEAR(options[i] - options[i - 1], 0.05, 1e-9) << rawValue(type).toStdString();
    }
    EXPECT_EQ(densityOptions(WorldType::planet, 0.1), (QList<double>{0.85, 0.95, 1.05}));
    EXPECT_EQ(densityOptions(WorldType::asteroidBelt, 0.05), QList<double>{0.5});
    EXPECT_EQ(densityOptions(WorldType::iceGiant, 0.05), (QList<double>{0.25, 0.3, 0.35}));
    for (const double step : {0.0, -0.05, std::nan("")})
        EXPECT_EQ(densityOptions(WorldType::planet, step), QList<double>{0.85});

    // Flux moves the density a fifth of the spread per point from the middle.
    class Dice : public RandomSource
    {
    public:
        QList<int> faces;
        quint64 next64() override { return 0; }
        qint64 below(qint64) override { return faces.takeFirst() - 1; }
    } dice;
    ScopedRandomSource scope(dice);
    const struct
    {
        WorldType type;
        int first, second;
        double density;
    } rolls[] = {{WorldType::planet, 6, 1, 1.05},
                 {WorldType::planet, 1, 6, 0.85},
                 {WorldType::smallGasGiant, 4, 2, 0.22},
                 {WorldType::asteroidBelt, 1, 6, 0.5}};
    for (const auto &roll : rolls) {
        dice.faces = {roll.first, roll.second};
        EXPECT_NEAR(randomDensity(roll.type), roll.density, 1e-12) << rawValue(roll.type).toStdString();
    }
}

} // namespace
