#include "import/ImportedWorld.h"
#include "import/SectorTable.h"
#include "model/Random.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace TravellerMapImporter;
using namespace Qt::StringLiterals;

namespace {

QList<SectorRow> fixtureRows()
{
    QFile file(QStringLiteral(VOSTREL_TEST_DATA_DIR "/import-sector.tab"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return parseTabDelimited(QString::fromUtf8(file.readAll()));
}

SectorRow row(std::initializer_list<std::pair<QString, QString>> fields)
{
    SectorRow result;
    for (const auto &[key, value] : fields)
        result.insert(key, value);
    return result;
}

std::optional<ImportedWorld> worldOf(const QString &hex, const QString &uwp, SectorRow extra = {})
{
    extra.insert(u"Hex"_s, hex);
    extra.insert(u"UWP"_s, uwp);
    return makeWorld(extra, SectorPosition{2, -3}, {});
}

// Gas giants, belts and all worlds of an imported system.
std::tuple<qint64, qint64, qint64> counts(const ImportedWorld &world)
{
    const StarSystem &system = world.hexData.starSystem;
    return {system.gasGiant, system.planetoidBelts, system.totalNumberOfWorlds};
}

// An imported world's fields, each on its own, in one line.
QString summary(const ImportedWorld &imported)
{
    const HexData &hex = imported.hexData;
    const StarSystem &system = hex.starSystem;
    const WorldData &world = system.stars[0].worlds[0];
    const GalacticCoordinates &c = imported.coordinates;
    const auto [giants, belts, worlds] = counts(imported);
    QStringList stars, classes;
    for (const Star &star : system.stars)
        stars.append(star.name + u' ' +
                     star.classification().section(u".o"_s, 0, 0)); // orbits are drawn at random
    for (const TradeClass tradeClass : world.tradeClasses)
        classes.append(rawValue(tradeClass));
    return QStringList{QStringLiteral("%1,%2,%3,%4").arg(c.sectorX).arg(c.sectorY).arg(c.column).arg(c.row),
                       system.name + u'/' + world.name,
                       rawValue(world.type) + u' ' + world.uwp.code() + u" x"_s +
                           QString::number(world.uwp.populationMultiplier),
                       rawValue(world.prevalentRace),
                       world.worldTags.isEmpty() ? QString() : rawValue(world.worldTags[0]),
                       classes.join(u' '),
                       QStringLiteral("giants %1 belts %2 worlds %3").arg(giants).arg(belts).arg(worlds),
                       stars.join(u", "_s),
                       imported.allegiance,
                       hex.notes,
                       world.notes}
        .join(u" | "_s);
}

} // namespace

TEST(SectorTable, ReadsHeaderCommentsShortRowsAndEveryLineBreak)
{
    const QString text = u"# lead\r\n\r\nHex\tName\tHex\n# mid\u2028"_s
                         u"0101\tA\t0202\textra\n0303\x0b"_s
                         u"0404\t\f0505\tB\u0085"_s;
    const SectorTable table = SectorTable::read(text);
    EXPECT_EQ(table.columns, (QStringList{u"Hex"_s, u"Name"_s, u"Hex"_s}));
    ASSERT_EQ(table.rows.size(), 4);
    EXPECT_EQ(table.rows[0], (row({{u"Hex"_s, u"0202"_s}, {u"Name"_s, u"A"_s}})));
    EXPECT_EQ(table.rows[1], (row({{u"Hex"_s, u"0303"_s}})));
    EXPECT_EQ(table.rows[2], (row({{u"Hex"_s, u"0404"_s}, {u"Name"_s, QString()}})));
    EXPECT_EQ(table.rows[3], (row({{u"Hex"_s, u"0505"_s}, {u"Name"_s, u"B"_s}})));
    EXPECT_TRUE(table.isSectorData());

    EXPECT_TRUE(parseTabDelimited(u"# only comments\n\n"_s).isEmpty());
    EXPECT_FALSE(SectorTable::read(u"<html>\n<body>Hex</body>"_s).isSectorData());
    // Text that only looks like a JSON string stays as it is.
    EXPECT_EQ(normalizeResponseText(u" \"Hex\tUWP\n"_s), u" \"Hex\tUWP\n"_s);
    EXPECT_EQ(normalizeResponseText(u"\n\"Hex\\tUWP\"\n"_s), u"Hex\tUWP"_s);
}

TEST(SectorRows, FixtureSectorGivesItsWorlds)
{
    const QList<SectorRow> rows = fixtureRows();
    ASSERT_EQ(rows.size(), 8);
    const AllegianceTable service{{u"NaHu"_s, u"Human Worlds"_s}};
    QList<ImportedWorld> worlds;
    for (const SectorRow &r : rows) {
        if (auto world = makeWorld(r, SectorPosition{-4, 1}, service))
            worlds.append(*world);
    }
    // 0000, 3341, 101 and a short profile give nothing.
    ASSERT_EQ(worlds.size(), 4);

    const ImportedWorld &alpha = worlds[0];
    EXPECT_EQ(alpha.coordinates, (GalacticCoordinates{-4, 1, 1, 1}));
    EXPECT_EQ(alpha.allegiance, u"ImDd"_s);
    EXPECT_EQ(alpha.hexData.notes, u"Allegiance: Domain of Deneb (ImDd)"_s);
    const StarSystem &system = alpha.hexData.starSystem;
    EXPECT_EQ(counts(alpha), std::tuple(3, 0, 12));
    EXPECT_TRUE(system.starfarers && system.surveyed && !system.sathar && !system.other);
    ASSERT_EQ(system.stars.size(), 2);
    ASSERT_EQ(system.stars[0].worlds.size(), 1);
    const WorldData &world = system.stars[0].worlds[0];
    EXPECT_TRUE(world.mainWorld && world.dayLength == 24 && system.stars[1].worlds.isEmpty());
    EXPECT_EQ(world.uwp.code(), u"A788899-C NS"_s);
    EXPECT_EQ(world.uwp.populationMultiplier, 7);
    EXPECT_EQ(world.sunOrbit, system.stars[0].habitableZoneOrbit());
    EXPECT_EQ(world.yearLength, system.stars[0].orbitalPeriodHours(world.sunOrbit));
    EXPECT_EQ(world.prevalentRace, Race::human); // Huma4 beats (Vargr)3
    EXPECT_EQ(world.tradeClasses,
              (QList<TradeClass>{TradeClass::rich, TradeClass::preAgricultural, TradeClass::preHighPopulation,
                                 TradeClass::researchStation}));
    EXPECT_EQ(world.worldTags, QList<WorldTag>{WorldTag::amberZone});
    EXPECT_EQ(world.notes,
              u"RsB (Vargr)3 Huma4 O:0102\nBases (other): Z\nImportance: { +2 }\nEconomic: (A46+2)\n"
              u"Cultural: [4A3C]\nNobility: BcC\nResource Units: 1234"_s);

    const WorldData belt = worlds[1].hexData.starSystem.stars[0].worlds[0];
    EXPECT_EQ(worlds[1].coordinates, (GalacticCoordinates{-4, 1, 32, 40}));
    EXPECT_EQ(belt.type, WorldType::asteroidBelt);
    EXPECT_EQ(counts(worlds[1]), std::tuple(3, 0, 4)); // "713" on a belt
    EXPECT_EQ(worlds[1].hexData.notes, u"Allegiance: Human Worlds (NaHu)"_s);
    EXPECT_EQ(worlds[1].hexData.starSystem.stars[0].classification(), u"G2-V"_s); // the default star

    const WorldData gamma = worlds[2].hexData.starSystem.stars[0].worlds[0];
    EXPECT_EQ(gamma.prevalentRace, Race::vargr); // a homeworld without digit counts 9, earlier wins ties
    EXPECT_EQ(gamma.worldTags, QList<WorldTag>{WorldTag::redZone});
    EXPECT_EQ(gamma.tradeClasses,
              tradeClasses(gamma.uwp, gamma.sunOrbit <= Orbits::starOrbit1 ? 0 : 3, false));
    EXPECT_EQ(counts(worlds[2]), std::tuple(0, 0, 1));
    EXPECT_EQ(worlds[2].hexData.notes, u"Allegiance: XxYy (XxYy)"_s);
    EXPECT_EQ(worlds[2].hexData.starSystem.stars[0].luminosity, LuminosityClass::D);

    const WorldData delta = worlds[3].hexData.starSystem.stars[0].worlds[0];
    EXPECT_EQ(delta.prevalentRace, Race::zhodani);
    EXPECT_EQ(delta.uwp.bases, QSet<Base>{Base::navalBase});
    EXPECT_EQ(delta.notes, QString()); // "Lo" is a trade class, the blank is no base
    EXPECT_EQ(worlds[3].hexData.starSystem.stars.size(), 1);
}

TEST(SectorRows, ProfileAndHexEdgeCases)
{
    EXPECT_FALSE(worldOf(u"01A1"_s, u"A788899-C"_s));
    EXPECT_FALSE(worldOf(u"0141"_s, u"A788899-C"_s));
    EXPECT_FALSE(worldOf(u"-101"_s, u"A788899-C"_s));
    EXPECT_TRUE(worldOf(u"+1+1"_s, u"A788899-C"_s));
    EXPECT_EQ(worldOf(u"3240"_s, u"A788899-C"_s)->coordinates, (GalacticCoordinates{2, -3, 32, 40}));

    EXPECT_EQ(worldOf(u"0101"_s, u"A788899-c"_s)->hexData.starSystem.stars[0].worlds[0].uwp.techLevel,
              TechnologyLevel::ttl0);
    const UWP odd = *parseUWP(u"Qz\u00e9ZZZZ"_s, u"CDEKMNRSTVW xy"_s, u"F"_s);
    EXPECT_EQ(std::tuple(odd.starport, odd.size, odd.lawLevel), std::tuple(Starport::typeX, 0, 33));
    EXPECT_EQ(odd.techLevel, TechnologyLevel::ttl22); // no "-": its first character, clamped
    EXPECT_EQ(std::tuple(odd.bases.size(), odd.populationMultiplier), std::tuple(11, 15));
    EXPECT_EQ(parseUWP(u"A788899--"_s, {}, {})->techLevel, TechnologyLevel::ttl10);
    EXPECT_EQ(parseUWP(u"-------"_s, {}, {})->techLevel, TechnologyLevel::ttl0);

    SectorRow worlds{{u"Worlds"_s, u"x"_s}, {u"W"_s, u"-7"_s}, {u"PBG"_s, u"123"_s}};
    EXPECT_EQ(worldOf(u"0101"_s, u"A788899-C"_s, worlds)->hexData.starSystem.totalNumberOfWorlds, 6);
    worlds.insert(u"Worlds"_s, QString());
    EXPECT_EQ(worldOf(u"0101"_s, u"A788899-C"_s, worlds)->hexData.starSystem.totalNumberOfWorlds, -7);
    worlds.insert(u"W"_s, u"99999999999999999999"_s);
    EXPECT_EQ(worldOf(u"0101"_s, u"A788899-C"_s, worlds)->hexData.starSystem.totalNumberOfWorlds, 6);
}

TEST(SectorRows, PeoplesAndAllegianceNames)
{
    EXPECT_EQ(sophontRaceFromRemarks(u"Droy2 K'kr5 )x(Zhod3 Di(Vargr)"_s), Race::kkree);
    EXPECT_EQ(sophontRaceFromRemarks(u"(Vilani)7 (Unknown)9 Hive7"_s), Race::vilani);
    EXPECT_EQ(sophontRaceFromRemarks(u"Humax Huma Ri"_s), std::nullopt);
    EXPECT_EQ(raceForAllegiance(u"NaHu"_s), Race::human);
    EXPECT_EQ(raceForAllegiance(u"NaXX"_s), std::nullopt);
    EXPECT_EQ(raceForAllegiance(u"CsVa"_s), Race::vargr);
    EXPECT_EQ(raceForAllegiance(u"Cs"_s), std::nullopt);
    EXPECT_EQ(raceForAllegiance(u"i"_s), std::nullopt);

    const AllegianceTable service{{u"ImDd"_s, u"Deneb Domain"_s}, {u"Xy"_s, QString()}};
    EXPECT_EQ(allegianceName(u"ImDd"_s, service), u"Deneb Domain"_s);
    EXPECT_EQ(allegianceName(u"ImDd"_s, {}), u"Domain of Deneb"_s);
    EXPECT_EQ(allegianceName(u"ImZz"_s, {}), u"Third Imperium"_s);
    EXPECT_EQ(allegianceName(u"Xy"_s, service), u"Xy"_s);
    EXPECT_EQ(allegianceName(QString(), {}), u"Unknown Allegiance"_s);
    EXPECT_EQ(tradeClassesFromRemarks(u"Ri  Ri Rs RsG Rx ri"_s),
              (QList<TradeClass>{TradeClass::rich, TradeClass::rich, TradeClass::researchStation,
                                 TradeClass::researchStation}));
}

// Every column of a row lands in its own field: each value differs from every other
// (the profile's digits, the population, belt and giant digits, the sector's X and Y,
// the hex's column and row), under the long column names and the short ones alike, on
// a world and on a belt, in sectors on both sides of the origin.
TEST(SectorRows, EveryColumnLandsInItsOwnField)
{
    struct Column
    {
        QString name, shortName, world, belt;
    };
    const QList<Column> columns{
        {u"Hex"_s, u"Hex"_s, u"1723"_s, u"0940"_s},
        {u"Name"_s, u"Name"_s, u"Vesta"_s, u"Rubble"_s},
        {u"UWP"_s, u"UWP"_s, u"B56789A-C"_s, u"E0123AB-9"_s},
        {u"Bases"_s, u"B"_s, u"NSQ"_s, u"K"_s},
        {u"Remarks"_s, u"Remarks"_s, u"Ri Ag (Aslan)4 Xb"_s, u"Lo"_s},
        {u"Zone"_s, u"Z"_s, u"R"_s, u"A"_s},
        {u"PBG"_s, u"PBG"_s, u"314"_s, u"468"_s},
        {u"Allegiance"_s, u"A"_s, u"ZhCa"_s, u"CsVa"_s},
        {u"Stars"_s, u"Stellar"_s, u"F3 IV M2 V"_s, u"K1 III"_s},
        {u"{Ix}"_s, u"Ix"_s, u"{ +1 }"_s, QString()},
        {u"(Ex)"_s, u"Ex"_s, u"(B35+1)"_s, QString()},
        {u"[Cx]"_s, u"Cx"_s, u"[6C4D]"_s, QString()},
        {u"Nobility"_s, u"Nobility"_s, u"BcE"_s, QString()},
        {u"Worlds"_s, u"W"_s, u"13"_s, QString()},
        {u"RU"_s, u"RU"_s, u"2345"_s, QString()},
    };
    const AllegianceTable service{{u"ZhCa"_s, u"Consulate Arm"_s}};
    for (const bool shortNames : {false, true}) {
        SCOPED_TRACE(shortNames ? "short column names" : "long column names");
        SectorRow world, belt;
        for (const Column &column : columns) {
            world.insert(shortNames ? column.shortName : column.name, column.world);
            belt.insert(shortNames ? column.shortName : column.name, column.belt);
        }
        const auto madeWorld = makeWorld(world, SectorPosition{-5, 3}, service);
        const auto madeBelt = makeWorld(belt, SectorPosition{6, -2}, service);
        ASSERT_TRUE(madeWorld && madeBelt);
        EXPECT_EQ(summary(*madeWorld),
                  u"-5,3,17,23 | Vesta/Vesta | planet B56789A-C NS x3 | aslan | red-zone | Ri Ag | "
                  u"giants 4 belts 1 worlds 13 | A F3-IV, B M2-V | ZhCa | Allegiance: Consulate Arm (ZhCa) | "
                  u"(Aslan)4 Xb\nBases (other): Q\nImportance: { +1 }\nEconomic: (B35+1)\nCultural: [6C4D]\n"
                  u"Nobility: BcE\nResource Units: 2345"_s);
        // A belt counts one belt less; without a people's remark the allegiance names it.
        EXPECT_EQ(summary(*madeBelt),
                  u"6,-2,9,40 | Rubble/Rubble | Asteroid belt E0123AB-9 K x4 | vargr | amber-zone | Lo | "
                  u"giants 8 belts 5 worlds 14 | A K1-III | CsVa | Allegiance: Client State (CsVa) | "_s);
    }
}
