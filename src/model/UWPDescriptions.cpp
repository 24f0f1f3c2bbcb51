#include "UWPDescriptions.h"

#include "model/NumberFormat.h"

#include <array>

namespace {

constexpr const char *kUndefined = "Undefined";

// A table of texts indexed by code from 0; any other code gives the fallback.
template <std::size_t N>
QString textFor(const std::array<const char *, N> &table, qint64 code, const char *fallback = kUndefined)
{
    if (code < 0 || code >= static_cast<qint64>(N))
        return QString::fromUtf8(fallback);
    return QString::fromUtf8(table[static_cast<std::size_t>(code)]);
}

// Diameters by size code 0 to 16.
constexpr std::array<const char *, 17> kSizes{
    "800 km (Asteroid)", "1,600 km (Pluto)", "3,200 km (Moon)", "4,800 km (Mercury)", "6,400 km (Mars)",
    "8,000 km",          "9,600 km",         "11,200 km",       "12,800 km (Earth)",  "14,400 km",
    "16,000 km",         "17,600 km",        "19,200 km",       "20,800 km",          "22,400 km",
    "24,000 km",         "25,600 km",
};
// The one size code above 16 that has a text of its own.
constexpr qint64 kMegastructureSize = 35;

constexpr std::array<const char *, 16> kAtmospheres{
    "Vacuum (S3)",
    "Trace (S3)",
    "Very Thin, Tainted (P1, S2)",
    "Very Thin (S2)",
    "Thin, Tainted (P1, S1)",
    "Thin (S1)",
    "Standard",
    "Standard, Tainted (P1)",
    "Dense",
    "Dense, Tainted (P1)",
    "Exotic (P1)",
    "Corrosive (C1, P1)",
    "Insiduous (C2, P1)",
    "Dense High (varies)",
    "Thin Low (varies)",
    "Unusual (varies)",
};

// Pressure in standard atmospheres, by atmosphere code.
constexpr std::array<const char *, 16> kPressures{
    "0.00",     "0.001-0.09", "0.1-0.42", "0.1-0.42", "0.43-0.7", "0.43-0.7", "0.71-1.49", "0.71-1.49",
    "1.5-2.49", "1.5-2.49",   "Varies",   "Varies",   "Varies",   "Varies",   "Varies",    "Varies",
};

constexpr const char *kVaccSuit = "Vacc Suit";
constexpr const char *kSurvivalMask = "Survival Mask";
constexpr const char *kNoGear = "\u2013";
constexpr const char *kAirSupply = "Air Supply/Vacc Suit";

// Gear needed to breathe or survive, by atmosphere code.
constexpr std::array<const char *, 16> kGear{
    kVaccSuit, kVaccSuit,     kSurvivalMask, kSurvivalMask, kSurvivalMask, kNoGear,
    kNoGear,   kSurvivalMask, kNoGear,       kSurvivalMask, kAirSupply,    kVaccSuit,
    kVaccSuit, kVaccSuit,     kAirSupply,    kVaccSuit,
};

// Share of the surface under liquid, by hydrographics code.
constexpr std::array<const char *, 11> kHydrographics{
    "Desert world (0%-5%)",       "Dry world (6%-15%)",
    "A few small seas (16%-25%)", "Small seas and oceans (26%-35%)",
    "Wet world (36%-45%)",        "Large oceans (46%-55%)",
    "Large oceans (56%-65%)",     "Earth-like world (66%-75%)",
    "Water world (76%-85%)",      "Few small islands (86%-95%)",
    "Water world (96%-100%)",
};

constexpr std::array<const char *, 16> kPopulations{
    "None",
    "Tens",
    "Hundreds",
    "Thousands",
    "Tens of thousands",
    "Hundred of thousands",
    "Millions",
    "Tens of millions",
    "Hundreds of millions",
    "Billions",
    "Tens of billions",
    "Hundreds of billions",
    "Trillions",
    "Tens of trillions",
    "Hundreds of trillions",
    "Quadrillions",
};

constexpr std::array<const char *, 16> kGovernments{
    "No Government Structure. Family bonds predominate.",
    "Company/Corporation. Rule by a managerial elite.",
    "Participating Democracy. Rule by popular vote.",
    "Self-Perpetuating Oligarchy. Rule by an isolated minority.",
    "Representative Democracy. Government by proxy.",
    "Feudal Technocracy. Governmental relationships based on mutually beneficial technical activities.",
    "Captive Government/Colony. Rule by an externally imposed leadership.",
    "Balkanization. Rival governments compete for control.",
    "Civil Service Bureaucracy. Rule by agencies employing individuals selected by merit.",
    "Impersonal Bureaucracy. Rule by impersonal agencies isolated from the governed populations.",
    "Charismatic Dictatorship. Government by a single leader enjoying the confidence of the citizens.",
    "Non-Charismatic Dictatorship. Government by the successor to a charismatic dictator.",
    "Charismatic Oligarchy. Government by a select religious, mystic, or psionic group, organization, or "
    "class "
    "enjoying the overwhelming confidence of the citizenry.",
    "Religious Dictatorship. Rule by prophets.",
    "Religious Autocracy. Government by a single religious, mystic, or psionic leader wielding absolute "
    "power.",
    "Totalitarian Oligarchy. Rule by an all-powerful minority maintaining absolute control through coercion "
    "and "
    "oppression.",
};

constexpr std::array<const char *, 19> kLawLevels{
    "No Law. No prohibitions.",
    "Low Law. Prohibition of WMD, Psi weapons.",
    "Low Law. Prohibition of \u201CPortable\u201D Weapons.",
    "Low Law. Prohibition of Acid, Fire, Gas.",
    "Moderate Law. Prohibition of Laser, Beam.",
    "Moderate Law. No Shock, EMP, Rad, Mag, Grav.",
    "Moderate Law. Prohibition of MachineGuns.",
    "Moderate Law. Prohibition of Pistols.",
    "High Law. Open display of weapons prohibited.",
    "High Law. No weapons outside the home.",
    "Extreme Law. All weapons prohibited.",
    "Extreme Law. Continental passports required.",
    "Extreme Law. Unrestricted invasion of privacy.",
    "Extreme Law. Paramilitary law enforcement.",
    "Extreme Law. Full-fledged police state.",
    "Extreme Law. Daily life rigidly controlled.",
    "Extreme Law. Disproportionate punishment.",
    "Extreme Law. Legalized oppressive practices.",
    "Extreme Law. Routine oppression.",
};
// Law levels beyond the table are at least as strict as its last rows.
constexpr const char *kLawFallback = "Extreme";

// Sizes up to this code are rocky bodies whose gravity follows from size and
// density; above it the body is a gas giant or stranger, and gravity varies.
constexpr qint64 kLargestRockySize = 16;

} // namespace

QString starportDescription(const UWP &uwp)
{
    // The description is the quality word that files also store.
    return rawValue(uwp.starport);
}

QString surfaceGravity(const UWP &uwp)
{
    if (uwp.size == 0)
        return QStringLiteral("Negligible");
    if (uwp.size > kLargestRockySize)
        return QStringLiteral("Varies");
    const double gravity = uwp.size < 0 ? 0.0 : static_cast<double>(uwp.size) * 0.125 * uwp.density;
    return NumberFormat::fixed(gravity, 2);
}

QString atmosphericPressure(const UWP &uwp)
{
    return textFor(kPressures, uwp.atmosphere);
}

QString requiredGear(const UWP &uwp)
{
    return textFor(kGear, uwp.atmosphere);
}

QString populationText(const UWP &uwp)
{
    return NumberFormat::compact(uwp.populationCount());
}

QString governmentLongDescription(const UWP &uwp)
{
    return textFor(kGovernments, uwp.government);
}

QString sizeDescription(qint64 size)
{
    if (size == kMegastructureSize)
        return QStringLiteral("Megastructure");
    return textFor(kSizes, size);
}

QString atmosphereDescription(qint64 atmosphere)
{
    return textFor(kAtmospheres, atmosphere);
}

QString hydrographicsDescription(qint64 hydrographics)
{
    return textFor(kHydrographics, hydrographics);
}

QString lawLevelDescription(qint64 lawLevel)
{
    return textFor(kLawLevels, lawLevel, kLawFallback);
}

QString populationDescription(qint64 population)
{
    return textFor(kPopulations, population);
}

QString governmentDescription(qint64 government)
{
    const QString text = textFor(kGovernments, government);
    const qsizetype stop = text.indexOf(u'.');
    return stop < 0 ? text : text.left(stop);
}
