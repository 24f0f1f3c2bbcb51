#pragma once

// Hand-made records with fresh ids, shared by the tests of every layer.

#include "model/Star.h"

#include <QUuid>

namespace test_records {

// A star with a fresh id: by default a G2 V in the primary's place.
inline Star star(Orbits orbit = Orbits::starOrbitP, SpectralType type = SpectralType::G, qint64 decimal = 2,
                 LuminosityClass luminosity = LuminosityClass::V, const QString &name = QString())
{
    Star made;
    made.id = QUuid::createUuid();
    made.name = name;
    made.spectralType = type;
    made.temperature = decimal;
    made.luminosity = luminosity;
    made.orbit = orbit;
    return made;
}

} // namespace test_records
