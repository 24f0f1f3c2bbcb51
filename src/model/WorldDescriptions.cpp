#include "WorldDescriptions.h"

#include "CapitalizedWords.h"
#include "EHex.h"
#include "NumberFormat.h"
#include "UWPDescriptions.h"
#include "WorldProfileGeneration.h"

#include <QStringList>

#include <cmath>

namespace {

constexpr double kHoursPerYear = 8766.0; // 365.25 days
constexpr double kKilometresPerMile = 1.609344;
constexpr double kEarthRadiusKm = 6371.0;

QString emDash()
{
    return QString(QChar(0x2014));
}

bool isBelt(WorldType type)
{
    return type == WorldType::asteroidBelt || type == WorldType::planetoidBelt;
}

qint64 roundedHalfAway(double value)
{
    return static_cast<qint64>(std::llround(value));
}

// The three digits of the population-belts-giants triple, written together.
QString pbgDigits(qint64 multiplier, qint64 belts, qint64 giants)
{
    return EHex::digit(multiplier) + EHex::digit(belts) + EHex::digit(giants);
}

// How one shape of the two duration formats writes each threshold's number.
struct DurationUnits
{
    QString hours;
    QString days;
    QString years;
    bool groupedYears;
};

QString formatDurationWith(qint64 hours, const DurationUnits &units)
{
    if (hours < 1)
        return emDash();
    if (hours <= 47)
        return QString::number(hours) + units.hours;
    const double days = static_cast<double>(hours) / 24.0;
    if (days < 365.0)
        return QString::number(roundedHalfAway(days)) + units.days;
    const double years = static_cast<double>(hours) / kHoursPerYear;
    if (years < 100.0)
        return NumberFormat::fixed(years, 1) + units.years;
    const qint64 wholeYears = roundedHalfAway(years);
    return (units.groupedYears ? NumberFormat::grouped(wholeYears) : QString::number(wholeYears)) +
           units.years;
}

QString basesText(const QSet<Base> &bases)
{
    QStringList parts;
    for (const Base base : allCases<Base>()) {
        if (bases.contains(base))
            parts << rawValue(base) + QStringLiteral(": ") + name(base);
    }
    return parts.isEmpty() ? QStringLiteral("None") : parts.join(QStringLiteral(", "));
}

QString dayLengthText(const WorldData &world)
{
    if (world.tideLocked && world.dayLength == world.yearLength)
        return QStringLiteral("Tide-locked (no day/night)");
    if (world.tideLocked)
        return formatDuration(world.dayLength) + QStringLiteral(" (tide-locked)");
    return formatDuration(world.dayLength);
}

} // namespace

QString kindText(const WorldData &world)
{
    if (world.uwp.size == 0)
        return QStringLiteral("Asteroid Belt");
    if (isGasGiant(world.type)) {
        const QString classText = gasGiantSizeClass(world.uwp.size).classText;
        if (classText.isEmpty())
            return rawValue(world.type);
        return rawValue(world.type) + QStringLiteral(" (") + classText + QLatin1Char(')');
    }
    return capitalizedWords(rawValue(world.type));
}

QString displayName(const WorldData &world)
{
    return world.name.isEmpty() ? kindText(world) : world.name;
}

QString dayYearSummary(const WorldData &world)
{
    const QString yearPart = QStringLiteral("Y:") + formatDurationCompact(world.yearLength);
    if (isBelt(world.type))
        return yearPart;
    QString dayPart = QStringLiteral("D:");
    if (world.tideLocked && world.dayLength == world.yearLength) {
        dayPart += QStringLiteral("Tz");
    } else {
        dayPart += formatDurationCompact(world.dayLength);
        if (world.tideLocked)
            dayPart += QStringLiteral("(L)");
    }
    return dayPart + QLatin1Char('\\') + yearPart;
}

QString tradeClassesText(const WorldData &world)
{
    QStringList codes;
    for (const TradeClass tradeClass : world.tradeClasses)
        codes << rawValue(tradeClass);
    return codes.join(QLatin1Char(' '));
}

QString formatDuration(qint64 hours)
{
    return formatDurationWith(hours, {QStringLiteral(" Std. hr"), QStringLiteral(" Std. days"),
                                      QStringLiteral(" Std. years"), true});
}

QString formatDurationCompact(qint64 hours)
{
    return formatDurationWith(hours, {QStringLiteral("h"), QStringLiteral("d"), QStringLiteral("y"), false});
}

double mass(const WorldData &world)
{
    double diameterKm = 0.0;
    double gravity = 0.0;
    const qint64 size = world.uwp.size;
    if (isGasGiant(world.type)) {
        const GasGiantSizeClass sizeClass = gasGiantSizeClass(size);
        diameterKm = static_cast<double>(sizeClass.miles) * kKilometresPerMile;
        gravity = sizeClass.gravity;
    } else {
        diameterKm = static_cast<double>(size) * kKilometresPerMile * 1000.0;
        gravity = size >= 1 && size <= 16 ? static_cast<double>(size) * 0.125 * world.uwp.density : 0.0;
    }
    const double radius = diameterKm * 0.5 / kEarthRadiusKm;
    return gravity * radius * radius;
}

QString markdownExport(const WorldData &world, qint64 planetoidBelts, qint64 gasGiants,
                       const QList<FactionLabel> &factions, const HexData &hex)
{
    const UWP &uwp = world.uwp;
    const QChar tick(0x0060);
    const QString shownName = uwp.population >= 9 ? displayName(world).toUpper() : displayName(world);

    QStringList lines;
    lines << QStringLiteral("**WORLD**:\t") + tick + shownName + tick;
    lines << QStringLiteral("**HEX**:\t") + tick + hex.coordinates.description() +
                 QStringLiteral(" Subsector-") + hex.coordinates.subsectorLetter() + tick;
    lines << QStringLiteral("**UWP**:\t") + tick + uwp.code() + QLatin1Char(' ') +
                 pbgDigits(uwp.populationMultiplier, planetoidBelts, gasGiants) + QLatin1Char(' ') +
                 dayYearSummary(world) + QStringLiteral(" [") + tradeClassesText(world) + QLatin1Char(']') +
                 tick;
    lines << QStringLiteral("**Prevalent Race**: ") + description(world.prevalentRace);
    lines << QStringLiteral("**Starport**: ") + starportDescription(uwp);
    lines << QStringLiteral("**Bases**: ") + basesText(uwp.bases);
    lines << QStringLiteral("**Size**: ") + sizeDescription(uwp.size);
    lines << QStringLiteral("**Density**: ") + NumberFormat::decimal(uwp.density) +
                 QStringLiteral(" \u03C1\u2295");
    lines << QStringLiteral("**Gravity**: ") + surfaceGravity(uwp) + QStringLiteral(" G");
    lines << QStringLiteral("**Day length**: ") + dayLengthText(world);
    lines << QStringLiteral("**Year length**: ") + formatDuration(world.yearLength);
    lines << QStringLiteral("**Atmosphere**: ") + atmosphereDescription(uwp.atmosphere);
    lines << QStringLiteral("**Pressure**: ") + atmosphericPressure(uwp);
    lines << QStringLiteral("**Gear Required**: ") + requiredGear(uwp);
    lines << QStringLiteral("**Hydrographics**: ") + hydrographicsDescription(uwp.hydrographics);
    lines << QStringLiteral("**Population**: ") + populationText(uwp);
    lines << QStringLiteral("**Government**: ") + governmentLongDescription(uwp);
    lines << QStringLiteral("**Law Level**: ") + lawLevelDescription(uwp.lawLevel);
    lines << QStringLiteral("**Tech Level**: ") + name(uwp.techLevel);

    QStringList tradeNames;
    for (const TradeClass tradeClass : world.tradeClasses)
        tradeNames << name(tradeClass);
    lines << QStringLiteral("**Trade Classes**: ") + tradeNames.join(QStringLiteral(", "));

    if (!world.worldTags.isEmpty()) {
        QStringList tagTexts;
        for (const WorldTag tag : world.worldTags)
            tagTexts << tagTitle(tag);
        lines << QStringLiteral("**World Tags**: ") + tagTexts.join(QStringLiteral(", "));
    }
    if (!factions.isEmpty()) {
        QStringList factionTexts;
        for (const FactionLabel &faction : factions)
            factionTexts << faction.name + QStringLiteral(" (") + faction.shortName + QLatin1Char(')');
        lines << QStringLiteral("**Factions**: ") + factionTexts.join(QStringLiteral(", "));
    }
    if (!world.notes.isEmpty())
        lines << QStringLiteral("**Notes**:\n") + world.notes;
    lines << QStringLiteral("\n---\n");
    return lines.join(QLatin1Char('\n'));
}

QString mainWorldUWPLine(const StarSystem &system, const WorldData &world, QChar beforeTradeCodes)
{
    return world.uwp.code() + QLatin1Char(' ') +
           pbgDigits(world.uwp.populationMultiplier, system.planetoidBelts, system.gasGiant) +
           QLatin1Char(' ') + dayYearSummary(world) + beforeTradeCodes + QLatin1Char('[') +
           tradeClassesText(world) + QLatin1Char(']');
}
