#pragma once

#include "json/Json.h"
#include "LuminosityClass.h"
#include "Orbits.h"
#include "SpectralType.h"
#include "StellarRules.h"
#include "WorldData.h"

#include <QList>
#include <QString>
#include <QUuid>

// One star of a system, the primary or a companion, with the bodies that orbit it
// (moons included, stored flat). Its type, decimal, class, mass and orbit are set
// when the star is made; the stellar rules derive everything else from them.
struct Star
{
    QUuid id;
    QString name; // "A", "B", ... for generated stars
    SpectralType spectralType = SpectralType::G;
    qint64 temperature = 0; // the spectral decimal, 0 to 9
    LuminosityClass luminosity = LuminosityClass::V;
    double mass = 1.0; // solar masses
    Orbits orbit = Orbits::starOrbitP;
    QList<WorldData> worlds;

    // "G2-V" for a primary; a companion adds its orbit: "M5-V.o3".
    QString classification() const;
    // The colour of the spectral class and the name of the luminosity class
    // ("Yellow Main Sequence").
    QString description() const;

    Orbits habitableZoneOrbit() const;
    // The year, in whole hours, of a body in `orbit` around this star.
    qint64 orbitalPeriodHours(Orbits orbit) const;
    // The star's diameter relative to the Sun's.
    double relativeSize() const;

    static MassRange massRange(SpectralType spectralType, LuminosityClass luminosity);
    static Orbits randomCompanionOrbit();
    static LuminosityClass randomSizeClass(SpectralType spectral, int decimal);
    // A random star in `orbit`: never O or B, a random decimal and class, a mass
    // drawn from the class's range, a new id, no name and no worlds.
    static Star random(Orbits orbit);

    // Every key is required.
    static Star fromJson(const JsonReader &r);
    JsonObject toJson() const;

    friend bool operator==(const Star &, const Star &) = default;
};

size_t qHash(const Star &star, size_t seed = 0);
