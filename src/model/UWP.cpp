#include "UWP.h"

#include "EHex.h"

#include <QHashFunctions>

#include <algorithm>
#include <limits>

QString UWP::basesCode() const
{
    if (bases.isEmpty())
        return QStringLiteral("\u2014");
    // Cases are declared in letter order, so walking them gives the sorted letters.
    QString letters;
    for (const Base base : allCases<Base>()) {
        if (bases.contains(base))
            letters += rawValue(base);
    }
    return letters;
}

QString UWP::code() const
{
    QString line = ::code(starport);
    for (const qint64 value : {size, atmosphere, hydrographics, population, government, lawLevel})
        line += EHex::digit(value);
    line += QLatin1Char('-');
    line += uwpDigit(techLevel);
    line += QLatin1Char(' ');
    line += basesCode();
    return line;
}

UWP::CodeRange UWP::atmosphereRange(qint64 size)
{
    if (size < 1)
        return {0, 0};
    // Written without size + 5 so that no stored size can overflow.
    const qint64 high = size >= 10 ? 15 : size + 5;
    const qint64 low = std::min(std::max(size - 5, qint64(0)), high);
    return {low, high};
}

UWP::CodeRange UWP::hydrographicsRange(qint64 size, qint64 atmosphere)
{
    if (size < 2)
        return {0, 0};
    // Beyond -1 and 19 the range would be empty (low above high); such codes are
    // first brought to the nearest one that still has a range.
    const qint64 a = std::clamp(atmosphere, qint64(-1), qint64(19));
    const qint64 modifier = (a >= 2 && a <= 9) ? 0 : -4;
    return {std::max(a - 5 + modifier, qint64(0)), std::min(a + 5 + modifier, qint64(10))};
}

UWP::CodeRange UWP::governmentRange(qint64 population)
{
    // The range is empty beyond -5 and 20; see hydrographicsRange().
    const qint64 p = std::clamp(population, qint64(-5), qint64(20));
    return {std::max(p - 5, qint64(0)), std::min(p + 5, qint64(15))};
}

UWP::CodeRange UWP::lawLevelRange(qint64 government)
{
    // The range is empty beyond -5 and 23; see hydrographicsRange().
    const qint64 g = std::clamp(government, qint64(-5), qint64(23));
    return {std::max(g - 5, qint64(0)), std::min(g + 5, qint64(18))};
}

void UWP::clampToAllowedRanges()
{
    atmosphere = atmosphereRange(size).clamp(atmosphere);
    hydrographics = hydrographicsRange(size, atmosphere).clamp(hydrographics);
    government = governmentRange(population).clamp(government);
    lawLevel = lawLevelRange(government).clamp(lawLevel);
}

qint64 UWP::populationCount() const
{
    if (population < 1)
        return 0;
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    qint64 count = std::max(populationMultiplier, qint64(1));
    for (qint64 i = 0; i < population; ++i) {
        if (count > largest / 10)
            return largest;
        count *= 10;
    }
    return count;
}

namespace {

constexpr QLatin1StringView kStarport("starport");
constexpr QLatin1StringView kSize("size");
constexpr QLatin1StringView kDensity("density");
constexpr QLatin1StringView kAtmosphere("atmosphere");
constexpr QLatin1StringView kHydrographics("hydrographics");
constexpr QLatin1StringView kPopulation("population");
constexpr QLatin1StringView kGovernment("government");
constexpr QLatin1StringView kLawLevel("lawLevel");
constexpr QLatin1StringView kTechLevel("techLevel");
constexpr QLatin1StringView kBases("bases");
constexpr QLatin1StringView kPopulationMultiplier("populationMultiplier");
constexpr QLatin1StringView kTags("tags");
constexpr QLatin1StringView kNavalBase("navalBase");
constexpr QLatin1StringView kScoutBase("scoutBase");

// Base letters that name no kind of base are skipped rather than failing the file:
// imported and older profiles carry letters this vocabulary does not know.
QSet<Base> readBases(const JsonReader &r)
{
    QSet<Base> bases;
    if (const auto letters = r.optional<QList<QString>>(kBases)) {
        for (const QString &letter : *letters) {
            if (const auto base = enumFromRaw<Base>(letter))
                bases.insert(*base);
        }
        return bases;
    }
    // The older form: two flags, read only when there is no list.
    if (r.legacy<bool>(kNavalBase).value_or(false))
        bases.insert(Base::imperialNavalBase);
    if (r.legacy<bool>(kScoutBase).value_or(false))
        bases.insert(Base::scoutBase);
    return bases;
}

} // namespace

UWP UWP::fromJson(const JsonReader &r)
{
    UWP uwp;
    uwp.starport = r.required<Starport>(kStarport);
    uwp.size = r.required<qint64>(kSize);
    uwp.density = r.optional<double>(kDensity, 1.0);
    uwp.atmosphere = r.required<qint64>(kAtmosphere);
    uwp.hydrographics = r.required<qint64>(kHydrographics);
    uwp.population = r.required<qint64>(kPopulation);
    uwp.government = r.required<qint64>(kGovernment);
    uwp.lawLevel = r.required<qint64>(kLawLevel);
    uwp.techLevel = r.required<TechnologyLevel>(kTechLevel);
    uwp.bases = readBases(r);
    uwp.populationMultiplier = r.optional<qint64>(kPopulationMultiplier, 0);
    uwp.tags = r.optional<QList<WorldTag>>(kTags, {});
    return uwp;
}

JsonObject UWP::toJson() const
{
    // QSet's writer sorts by case, which is letter order.
    return {
        {kStarport, jsonValue(starport)},
        {kSize, jsonValue(size)},
        {kDensity, jsonValue(density)},
        {kAtmosphere, jsonValue(atmosphere)},
        {kHydrographics, jsonValue(hydrographics)},
        {kPopulation, jsonValue(population)},
        {kGovernment, jsonValue(government)},
        {kLawLevel, jsonValue(lawLevel)},
        {kTechLevel, jsonValue(techLevel)},
        {kBases, jsonValue(bases)},
        {kPopulationMultiplier, jsonValue(populationMultiplier)},
        {kTags, jsonValue(tags)},
    };
}

size_t qHash(const UWP &uwp, size_t seed)
{
    seed = qHashMulti(seed, uwp.starport, uwp.size, uwp.density, uwp.atmosphere, uwp.hydrographics,
                      uwp.population, uwp.government, uwp.lawLevel, uwp.techLevel, uwp.populationMultiplier);
    seed = qHashRangeCommutative(uwp.bases.cbegin(), uwp.bases.cend(), seed);
    return qHashRange(uwp.tags.cbegin(), uwp.tags.cend(), seed);
}
