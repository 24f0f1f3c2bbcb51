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

QString numbered(qint64 code, const QString &description)
{
    return QLocale().toString(code) + QStringLiteral(": ") + description;
}

EditOptions<qint64> codeOptions(UWP::CodeRange range, qint64 current, QString (*describe)(qint64))
{
    EditOptions<qint64> options;
    for (qint64 code = range.low; code <= range.high; ++code) {
        if (code == current)
            options.current = static_cast<int>(options.values.size());
        options.values.append(code);
        options.texts.append(numbered(code, describe(code)));
    }
    return options;
}

} // namespace

namespace WorldEditOptions {

EditOptions<Starport> starport(const UWP &uwp)
{
    EditOptions<Starport> options;
    for (const Starport port : allCases<Starport>()) {
        if (port == uwp.starport)
            options.current = static_cast<int>(options.values.size());
        options.values.append(port);
        options.texts.append(code(port) + QStringLiteral(": ") + rawValue(port));
    }
    return options;
}

EditOptions<qint64> size(const UWP &uwp)
{
    return codeOptions({0, kLargestSize}, uwp.size, sizeDescription);
}

EditOptions<qint64> atmosphere(const UWP &uwp)
{
    return codeOptions(UWP::atmosphereRange(uwp.size), uwp.atmosphere, atmosphereDescription);
}

EditOptions<qint64> hydrographics(const UWP &uwp)
{
    return codeOptions(UWP::hydrographicsRange(uwp.size, uwp.atmosphere), uwp.hydrographics,
                       hydrographicsDescription);
}

EditOptions<qint64> population(const UWP &uwp)
{
    return codeOptions({0, kLargestPopulation}, uwp.population, populationDescription);
}

EditOptions<qint64> government(const UWP &uwp)
{
    return codeOptions(UWP::governmentRange(uwp.population), uwp.government, governmentDescription);
}

EditOptions<qint64> lawLevel(const UWP &uwp)
{
    return codeOptions(UWP::lawLevelRange(uwp.government), uwp.lawLevel, lawLevelDescription);
}

EditOptions<TechnologyLevel> techLevel(const UWP &uwp)
{
    EditOptions<TechnologyLevel> options;
    for (const TechnologyLevel level : technologyLevels(technologyLevelSystem(uwp.techLevel))) {
        if (level == uwp.techLevel)
            options.current = static_cast<int>(options.values.size());
        options.values.append(level);
        options.texts.append(rawValue(level) + QStringLiteral(": ") + name(level));
    }
    return options;
}

bool gravityEditable(const UWP &uwp)
{
    return uwp.size >= 1 && uwp.size <= kLargestSize;
}

EditOptions<double> gravity(const WorldData &world)
{
    EditOptions<double> options;
    if (!gravityEditable(world.uwp))
        return options;
    const double perDensity = static_cast<double>(world.uwp.size) * kGravityPerSizeAndDensity;
    const QList<double> densities = densityOptions(world.type, kDensityStep);
    // The first of the nearest densities: a tie keeps the earlier, lower one.
    double nearestDistance = 0.0;
    for (qsizetype i = 0; i < densities.size(); ++i) {
        const double distance = std::abs(densities.at(i) - world.uwp.density);
        if (options.current < 0 || distance < nearestDistance) {
            options.current = static_cast<int>(i);
            nearestDistance = distance;
        }
    }
    for (const double density : densities) {
        const double g = density * perDensity;
        options.values.append(g);
        options.texts.append(NumberFormat::fixed(g, 2) + QStringLiteral(" G"));
    }
    return options;
}

double densityForGravity(const UWP &uwp, double g)
{
    return g * 8.0 / static_cast<double>(uwp.size);
}

QList<Race> peoples(TechnologyLevelSystem system)
{
    QList<Race> list = races(system);
    std::stable_sort(list.begin(), list.end(), [](Race a, Race b) { return a < b; });
    return list;
}

QList<Faction> factionMenu(const QList<Faction> &factions)
{
    QList<Faction> list = factions;
    std::stable_sort(list.begin(), list.end(), [](const Faction &a, const Faction &b) { return a < b; });
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

ParameterValue densityValue(const UWP &uwp)
{
    return ParameterValue(NumberFormat::decimal(uwp.density) + QLatin1Char(' '), Symbol::eCircle,
                          QStringLiteral("ρ"));
}

QString tagTitle(WorldTag tag)
{
    const QString raw = rawValue(tag);
    // Tags compare alphabetically; the government types are told by case position.
    if (static_cast<int>(tag) >= static_cast<int>(WorldTag::gov0))
        return raw;
    QStringList words = raw.split(QLatin1Char('-'));
    for (QString &word : words) {
        word = word.toLower();
        if (!word.isEmpty())
            word[0] = word.at(0).toUpper();
    }
    return words.join(QLatin1Char(' '));
}

} // namespace WorldEditOptions
