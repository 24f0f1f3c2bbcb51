#include "WorldEditOptions.h"

#include "model/Base.h"
#include "model/NumberFormat.h"
#include "model/TradeClass.h"
#include "model/UWPDescriptions.h"
#include "model/WorldDescriptions.h"
#include "model/WorldType.h"
#include "universe/Faction.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kLargestSize = 16;
constexpr qint64 kLargestPopulation = 15;
constexpr double kGravityPerSizeAndDensity = 0.125;
constexpr double kDensityStep = 0.05;

// `values` as entries, with `current` held.
template <typename Values, typename T, typename Text>
EditOptions<T> entries(const Values &values, const T &current, Text text)
{
    EditOptions<T> options;
    for (const T &value : values)
        options.append({value, text(value), value == current});
    return options;
}

// The codes of a range, each as its decimal number and description ("10: …").
EditOptions<qint64> codes(UWP::CodeRange range, qint64 current, QString (*describe)(qint64))
{
    QList<qint64> values;
    for (qint64 code = range.low; code <= range.high; ++code)
        values.append(code);
    return entries(values, current, [describe](qint64 code) {
        return QLocale().toString(code) + QStringLiteral(": ") + describe(code);
    });
}

} // namespace

namespace WorldEditOptions {

EditOptions<Starport> starport(const WorldData &world)
{
    return entries(allCases<Starport>(), world.uwp.starport,
                   [](Starport port) { return code(port) + QStringLiteral(": ") + rawValue(port); });
}

EditOptions<Base> bases(const WorldData &world)
{
    EditOptions<Base> options;
    for (const Base base : allCases<Base>())
        options.append(
            {base, rawValue(base) + QStringLiteral(": ") + name(base), world.uwp.bases.contains(base)});
    return options;
}

EditOptions<qint64> size(const WorldData &world)
{
    return codes({0, kLargestSize}, world.uwp.size, sizeDescription);
}

EditOptions<qint64> atmosphere(const WorldData &world)
{
    return codes(UWP::atmosphereRange(world.uwp.size), world.uwp.atmosphere, atmosphereDescription);
}

EditOptions<qint64> hydrographics(const WorldData &world)
{
    const UWP &uwp = world.uwp;
    return codes(UWP::hydrographicsRange(uwp.size, uwp.atmosphere), uwp.hydrographics,
                 hydrographicsDescription);
}

EditOptions<qint64> population(const WorldData &world)
{
    return codes({0, kLargestPopulation}, world.uwp.population, populationDescription);
}

EditOptions<qint64> government(const WorldData &world)
{
    return codes(UWP::governmentRange(world.uwp.population), world.uwp.government, governmentDescription);
}

EditOptions<qint64> lawLevel(const WorldData &world)
{
    return codes(UWP::lawLevelRange(world.uwp.government), world.uwp.lawLevel, lawLevelDescription);
}

EditOptions<TechnologyLevel> techLevel(const WorldData &world)
{
    const TechnologyLevel current = world.uwp.techLevel;
    return entries(technologyLevels(technologyLevelSystem(current)), current, [](TechnologyLevel level) {
        return rawValue(level) + QStringLiteral(": ") + name(level);
    });
}

EditOptions<double> gravity(const WorldData &world)
{
    EditOptions<double> options;
    if (world.uwp.size < 1 || world.uwp.size > kLargestSize)
        return options;
    const double perDensity = static_cast<double>(world.uwp.size) * kGravityPerSizeAndDensity;
    const QList<double> densities = densityOptions(world.type, kDensityStep);
    // The first of the nearest densities: a tie keeps the earlier, lower one.
    qsizetype nearest = -1;
    double nearestDistance = 0.0;
    for (qsizetype i = 0; i < densities.size(); ++i) {
        const double distance = std::abs(densities.at(i) - world.uwp.density);
        if (nearest < 0 || distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    for (qsizetype i = 0; i < densities.size(); ++i) {
        const double g = densities.at(i) * perDensity;
        options.append({g, NumberFormat::fixed(g, 2) + QStringLiteral(" G"), i == nearest});
    }
    return options;
}

QList<Race> peoples(TechnologyLevelSystem system)
{
    QList<Race> list = races(system);
    std::stable_sort(list.begin(), list.end(), [](Race a, Race b) { return a < b; });
    return list;
}

QString basesText(const UWP &uwp)
{
    QStringList names;
    for (const Base base : allCases<Base>()) {
        if (uwp.bases.contains(base))
            names.append(name(base));
    }
    return names.isEmpty() ? QStringLiteral("None") : names.join(QStringLiteral(", "));
}

QString tradeClassNames(const WorldData &world)
{
    QStringList names;
    for (const TradeClass tradeClass : world.tradeClasses)
        names.append(name(tradeClass));
    return names.join(QStringLiteral(", "));
}

QString dayText(const WorldData &world)
{
    if (world.tideLocked && world.dayLength == world.yearLength)
        return QStringLiteral("Tide-locked (no day/night)");
    QString text = formatDuration(world.dayLength);
    if (world.tideLocked)
        text += QStringLiteral(" (tide-locked)");
    return text;
}

} // namespace WorldEditOptions
