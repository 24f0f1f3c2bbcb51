#include "Star.h"

#include "Random.h"

#include <QHashFunctions>

#include <array>
#include <cstddef>

using namespace Qt::StringLiterals;

namespace {

// The colour of each spectral class, O to M.
constexpr std::array<const char *, EnumTraits<SpectralType>::rows.size()> kSpectralColour{
    "Blue", "Blue-White", "White (blue-white)", "White (yellow-white)", "Yellow", "Orange", "Orange-Red",
};

} // namespace

QString Star::classification() const
{
    QString text =
        rawValue(spectralType) + QString::number(temperature) + QLatin1Char('-') + rawValue(luminosity);
    if (orbit != Orbits::starOrbitP)
        text += ".o"_L1 + QString::number(rawValue(orbit));
    return text;
}

QString Star::description() const
{
    return QString::fromUtf8(kSpectralColour[static_cast<std::size_t>(spectralType)]) + QLatin1Char(' ') +
           ::description(luminosity);
}

Orbits Star::habitableZoneOrbit() const
{
    return StellarRules::habitableZoneOrbit(spectralType, luminosity);
}

qint64 Star::orbitalPeriodHours(Orbits orbit) const
{
    return StellarRules::orbitalPeriodHours(mass, orbit);
}

double Star::relativeSize() const
{
    return StellarRules::relativeSize(spectralType, luminosity);
}

MassRange Star::massRange(SpectralType spectralType, LuminosityClass luminosity)
{
    return StellarRules::massRange(spectralType, luminosity);
}

Orbits Star::randomCompanionOrbit()
{
    return StellarRules::randomCompanionOrbit();
}

LuminosityClass Star::randomSizeClass(SpectralType spectral, int decimal)
{
    return StellarRules::randomSizeClass(spectral, decimal);
}

Star Star::random(Orbits orbit)
{
    Star star;
    star.id = QUuid::createUuid();
    star.spectralType = StellarRules::spectralTypeForFlux(rollFlux());
    star.temperature = randomBelow(10);
    star.luminosity = randomSizeClass(star.spectralType, static_cast<int>(star.temperature));
    const MassRange range = massRange(star.spectralType, star.luminosity);
    star.mass = randomUniform(range.low, range.high);
    star.orbit = orbit;
    return star;
}

Star Star::fromJson(const JsonReader &r)
{
    Star star;
    star.id = r.required<QUuid>("id"_L1);
    star.name = r.required<QString>("name"_L1);
    star.spectralType = r.required<SpectralType>("spectralType"_L1);
    star.temperature = r.required<qint64>("temperature"_L1);
    star.luminosity = r.required<LuminosityClass>("luminosity"_L1);
    star.mass = r.required<double>("mass"_L1);
    star.orbit = r.required<Orbits>("orbit"_L1);
    star.worlds = r.required<QList<WorldData>>("worlds"_L1);
    return star;
}

JsonObject Star::toJson() const
{
    return JsonObject{
        {"id"_L1, jsonValue(id)},
        {"name"_L1, jsonValue(name)},
        {"spectralType"_L1, jsonValue(spectralType)},
        {"temperature"_L1, jsonValue(temperature)},
        {"luminosity"_L1, jsonValue(luminosity)},
        {"mass"_L1, jsonValue(mass)},
        {"orbit"_L1, jsonValue(orbit)},
        {"worlds"_L1, jsonValue(worlds)},
    };
}

size_t qHash(const Star &star, size_t seed)
{
    return qHashMulti(seed, star.id, star.name, star.spectralType, star.temperature, star.luminosity,
                      star.mass, star.orbit, star.worlds);
}
