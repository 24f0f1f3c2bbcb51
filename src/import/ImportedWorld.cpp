#include "ImportedWorld.h"

#include "ImportText.h"
#include "StarsColumn.h"
#include "model/EHex.h"
#include "model/TradeClass.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

struct RaceName
{
    QLatin1StringView name;
    Race race;
};

// Four-letter sophont codes of the remarks ("Huma4"), lower case.
constexpr std::array<RaceName, 7> kSophontCodes{{
    {"huma"_L1, Race::human},
    {"asla"_L1, Race::aslan},
    {"varg"_L1, Race::vargr},
    {"droy"_L1, Race::droyne},
    {"hive"_L1, Race::hiver},
    {"k'kr"_L1, Race::kkree},
    {"zhod"_L1, Race::zhodani},
}};

// Peoples named in homeworld remarks ("(Vargr)3"), lower case.
constexpr std::array<RaceName, 11> kHomeworldNames{{
    {"human"_L1, Race::human},
    {"humaniti"_L1, Race::human},
    {"aslan"_L1, Race::aslan},
    {"vargr"_L1, Race::vargr},
    {"droyne"_L1, Race::droyne},
    {"hiver"_L1, Race::hiver},
    {"k'kree"_L1, Race::kkree},
    {"kkree"_L1, Race::kkree},
    {"solomani"_L1, Race::solomani},
    {"zhodani"_L1, Race::zhodani},
    {"vilani"_L1, Race::vilani},
}};

// Two-letter allegiance prefixes, compared exactly.
constexpr std::array<RaceName, 13> kAllegiancePrefixes{{
    {"Im"_L1, Race::human},
    {"Hu"_L1, Race::human},
    {"Sw"_L1, Race::human},
    {"Da"_L1, Race::human},
    {"Dn"_L1, Race::human},
    {"Fa"_L1, Race::human},
    {"So"_L1, Race::solomani},
    {"Zh"_L1, Race::zhodani},
    {"As"_L1, Race::aslan},
    {"Kk"_L1, Race::kkree},
    {"Hv"_L1, Race::hiver},
    {"Dr"_L1, Race::droyne},
    {"Va"_L1, Race::vargr},
}};

struct AllegianceEntry
{
    QLatin1StringView code;
    QLatin1StringView name;
};

// Names of the common allegiances, for codes the service's list lacks.
constexpr std::array<AllegianceEntry, 28> kKnownAllegiances{{
    {"Im"_L1, "Third Imperium"_L1},
    {"ImDd"_L1, "Domain of Deneb"_L1},
    {"ImDi"_L1, "Domain of Ilelish"_L1},
    {"ImLa"_L1, "Domain of Antares"_L1},
    {"ImLu"_L1, "Domain of Lucan"_L1},
    {"ImVd"_L1, "Domain of Vland"_L1},
    {"ImSy"_L1, "Domain of Sylea"_L1},
    {"ImDg"_L1, "Domain of Gateway"_L1},
    {"ImDc"_L1, "Domain of Corridor"_L1},
    {"Zh"_L1, "Zhodani Consulate"_L1},
    {"So"_L1, "Solomani Confederation"_L1},
    {"SoCf"_L1, "Solomani Confederation"_L1},
    {"Cs"_L1, "Client State"_L1},
    {"CsIm"_L1, "Imperial Client State"_L1},
    {"As"_L1, "Aslan Hierate"_L1},
    {"Kk"_L1, "Two Thousand Worlds (K'kree)"_L1},
    {"Dr"_L1, "Droyne"_L1},
    {"Hv"_L1, "Hive Federation"_L1},
    {"Va"_L1, "Vargr (Non-Aligned)"_L1},
    {"Sw"_L1, "Sword Worlds"_L1},
    {"SwCf"_L1, "Sword Worlds Confederation"_L1},
    {"Da"_L1, "Darrian Confederation"_L1},
    {"Dn"_L1, "Darrian Confederation"_L1},
    {"Fa"_L1, "Federation of Arden"_L1},
    {"Na"_L1, "Non-Aligned"_L1},
    {"NaHu"_L1, "Non-Aligned, Human"_L1},
    {"NaXX"_L1, "Non-Aligned"_L1},
    {"CsZh"_L1, "Zhodani Client State"_L1},
}};

template <std::size_t N> std::optional<Race> findRace(const std::array<RaceName, N> &table, QStringView key)
{
    for (const RaceName &entry : table) {
        if (key == entry.name)
            return entry.race;
    }
    return std::nullopt;
}

std::optional<QString> knownAllegianceName(QStringView code)
{
    for (const AllegianceEntry &entry : kKnownAllegiances) {
        if (code == entry.code)
            return QString(entry.name);
    }
    return std::nullopt;
}

// A profile character as an extended-hex digit: ASCII digits and capital letters
// only, 0 for anything else.
qint64 profileDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (isAsciiDigit(c) || (u >= u'A' && u <= u'Z'))
        return EHex::value(c).value_or(0);
    return 0;
}

// The digit at a 1-based position of the population-belts-giants field; 0 past its end.
qint64 ehexDigit(const QString &pbg, qsizetype position)
{
    return position <= pbg.size() ? profileDigit(pbg[position - 1]) : 0;
}

TechnologyLevel techLevel(qint64 digit)
{
    return TechnologyLevel(int(TechnologyLevel::ttl0) + int(std::clamp<qint64>(digit, 0, 22)));
}

std::optional<Base> baseOfLetter(QChar letter)
{
    return enumFromRaw<Base>(QString(letter));
}

QSet<Base> basesFromCodes(const QString &codes)
{
    QSet<Base> bases;
    for (const QChar c : codes) {
        if (const auto base = baseOfLetter(c))
            bases.insert(*base);
    }
    return bases;
}

} // namespace

QString value(const SectorRow &row, std::initializer_list<QLatin1StringView> keys)
{
    for (const QLatin1StringView key : keys) {
        const auto found = row.constFind(QString(key));
        if (found != row.cend() && !found->isEmpty())
            return *found;
    }
    return QString();
}

std::optional<UWP> parseUWP(const QString &profile, const QString &bases, const QString &pbg)
{
    if (profile.size() < 7)
        return std::nullopt;
    UWP uwp;
    uwp.starport = starportFromCode(QStringView(profile).first(1)).value_or(Starport::typeX);
    uwp.size = profileDigit(profile[1]);
    uwp.atmosphere = profileDigit(profile[2]);
    uwp.hydrographics = profileDigit(profile[3]);
    uwp.population = profileDigit(profile[4]);
    uwp.government = profileDigit(profile[5]);
    uwp.lawLevel = profileDigit(profile[6]);
    const QList<QStringView> pieces = QStringView(profile).split(u'-', Qt::SkipEmptyParts);
    uwp.techLevel = techLevel(pieces.isEmpty() ? 0 : profileDigit(pieces.last().front()));
    uwp.bases = basesFromCodes(bases);
    uwp.populationMultiplier = ehexDigit(pbg, 1);
    uwp.density = 1.0;
    return uwp;
}

QList<TradeClass> tradeClassesFromRemarks(const QString &remarks)
{
    QList<TradeClass> classes;
    for (const QStringView token : splitAtSpaces(remarks)) {
        if (const auto found = enumFromRaw<TradeClass>(token.toString()))
            classes.append(*found);
        else if (token.size() > 2 && token.startsWith(u"Rs"))
            classes.append(TradeClass::researchStation);
    }
    return classes;
}

std::optional<Race> sophontRaceFromRemarks(const QString &remarks)
{
    std::optional<Race> best;
    qint64 bestDigit = -1;
    for (const QStringView token : splitAtSpaces(remarks)) {
        std::optional<Race> candidate;
        qint64 digit = 0;
        const qsizetype open = token.indexOf(u'(');
        const qsizetype close = token.indexOf(u')');
        if (open >= 0 && close >= 0 && token.startsWith(u"Di("))
            continue;
        if (open >= 0 && close > open) {
            candidate =
                findRace(kHomeworldNames, token.sliced(open + 1, close - open - 1).toString().toLower());
            const bool hasDigit = close + 1 < token.size() && isAsciiDigit(token[close + 1]);
            digit = hasDigit ? token[close + 1].unicode() - u'0' : 9;
        } else if (token.size() == 5 && isAsciiDigit(token[4])) {
            candidate = findRace(kSophontCodes, token.first(4).toString().toLower());
            digit = token[4].unicode() - u'0';
        }
        if (candidate && digit > bestDigit) {
            best = candidate;
            bestDigit = digit;
        }
    }
    return best;
}

std::optional<Race> raceForAllegiance(const QString &allegiance)
{
    if (allegiance.isEmpty())
        return std::nullopt;
    const QStringView code(allegiance);
    const QStringView prefix = code.first(qMin<qsizetype>(2, code.size()));
    if ((prefix == u"Na" || prefix == u"Cs") && code.size() >= 4) {
        if (const auto found = findRace(kAllegiancePrefixes, code.sliced(2, 2)))
            return found;
    }
    return findRace(kAllegiancePrefixes, prefix);
}

QList<WorldTag> zoneTags(const QString &zone)
{
    const QString upper = zone.toUpper();
    if (upper == u"A")
        return {WorldTag::amberZone};
    if (upper == u"R")
        return {WorldTag::redZone};
    return {};
}

QString worldNotes(const QString &remarks, const QString &bases, const SectorRow &row)
{
    QStringList lines;
    QStringList otherRemarks;
    for (const QStringView token : splitAtSpaces(remarks)) {
        if (!enumFromRaw<TradeClass>(token.toString()))
            otherRemarks.append(token.toString());
    }
    if (!otherRemarks.isEmpty())
        lines.append(otherRemarks.join(u' '));

    QString otherBases;
    for (const QChar c : bases) {
        if (!baseOfLetter(c) && !c.isSpace())
            otherBases.append(c);
    }
    if (!otherBases.isEmpty())
        lines.append(u"Bases (other): "_s + otherBases);

    struct Extension
    {
        QLatin1StringView label;
        std::initializer_list<QLatin1StringView> keys;
    };
    const std::array<Extension, 5> extensions{{
        {"Importance"_L1, {"{Ix}"_L1, "Ix"_L1}},
        {"Economic"_L1, {"(Ex)"_L1, "Ex"_L1}},
        {"Cultural"_L1, {"[Cx]"_L1, "Cx"_L1}},
        {"Nobility"_L1, {"Nobility"_L1}},
        {"Resource Units"_L1, {"RU"_L1}},
    }};
    for (const Extension &extension : extensions) {
        const QString text = value(row, extension.keys);
        if (!text.isEmpty())
            lines.append(extension.label + u": "_s + text);
    }
    return lines.join(u'\n');
}

QString allegianceName(const QString &code, const AllegianceTable &allegiances)
{
    if (const QString name = allegiances.value(code); !name.isEmpty())
        return name;
    if (auto known = knownAllegianceName(code))
        return *known;
    if (code.size() >= 3) {
        if (auto known = knownAllegianceName(QStringView(code).first(2)))
            return *known;
    }
    return code.isEmpty() ? u"Unknown Allegiance"_s : code;
}

std::optional<ImportedWorld> makeWorld(const SectorRow &row, SectorPosition sector,
                                       const AllegianceTable &allegiances)
{
    const auto hex = parseHex(value(row, {"Hex"_L1}));
    // A hex outside the sector's columns and rows (such as "0000") names no hex of it.
    if (!hex || hex->column < 1 || hex->column > 32 || hex->row < 1 || hex->row > 40)
        return std::nullopt;

    const QString name = value(row, {"Name"_L1});
    const QString bases = value(row, {"Bases"_L1, "B"_L1});
    const QString remarks = value(row, {"Remarks"_L1});
    const QString pbg = value(row, {"PBG"_L1});
    const QString allegiance = value(row, {"Allegiance"_L1, "A"_L1});
    const auto uwp = parseUWP(value(row, {"UWP"_L1}), bases, pbg);
    if (!uwp)
        return std::nullopt;

    qint64 belts = ehexDigit(pbg, 2);
    const qint64 giants = ehexDigit(pbg, 3);
    if (uwp->size == 0)
        belts = qMax<qint64>(0, belts - 1);

    QList<Star> stars = parseStars(value(row, {"Stars"_L1, "Stellar"_L1}));
    if (stars.isEmpty())
        stars.append(defaultStar());
    Star &primary = stars.first();
    const Orbits orbit = primary.habitableZoneOrbit();

    WorldData world;
    world.id = QUuid::createUuid();
    world.name = name;
    world.mainWorld = true;
    world.type = uwp->size == 0 ? WorldType::asteroidBelt : WorldType::planet;
    world.sunOrbit = orbit;
    world.satelliteOrbit = PlanetOrbits::planetOrbit0;
    world.hzOffset = 0;
    world.uwp = *uwp;
    world.dayLength = 24;
    world.yearLength = primary.orbitalPeriodHours(orbit);
    world.tideLocked = false;
    world.prevalentRace =
        sophontRaceFromRemarks(remarks).value_or(raceForAllegiance(allegiance).value_or(Race::human));
    world.worldTags = zoneTags(value(row, {"Zone"_L1, "Z"_L1}));
    world.tradeClasses = tradeClassesFromRemarks(remarks);
    if (world.tradeClasses.isEmpty()) {
        const bool innerOrbit = orbit == Orbits::starOrbit0 || orbit == Orbits::starOrbit1;
        world.tradeClasses = tradeClasses(*uwp, innerOrbit ? 0 : 3, false);
    }
    world.notes = worldNotes(remarks, bases, row);
    primary.worlds = {world};

    HexData hexData;
    hexData.id = QUuid::createUuid();
    hexData.coordinates = GalacticCoordinates{sector.x, sector.y, hex->column, hex->row};
    StarSystem &system = hexData.starSystem;
    system.id = QUuid::createUuid();
    system.name = name;
    system.stars = std::move(stars);
    system.gasGiant = giants;
    system.planetoidBelts = belts;
    system.totalNumberOfWorlds = parseDecimal(value(row, {"Worlds"_L1, "W"_L1})).value_or(belts + giants + 1);
    system.starfarers = true;
    system.sathar = false;
    system.other = false;
    system.surveyed = true;
    if (!allegiance.isEmpty())
        hexData.notes =
            u"Allegiance: "_s + allegianceName(allegiance, allegiances) + u" ("_s + allegiance + u")"_s;

    return ImportedWorld{hexData.coordinates, std::move(hexData), allegiance};
}

} // namespace TravellerMapImporter
