#pragma once

// The fixed astronomical rules that tie a star's spectral type and luminosity class
// to the rest of the model: where its habitable zone lies, what mass it may have,
// how long a year lasts in an orbit, its size relative to the Sun, where a companion
// orbits and which luminosity class a random star gets. Pure functions of the
// stellar vocabularies (plus the dice for the two random rules), so that the
// importer can call them on its background thread; Star offers them as members.

#include "LuminosityClass.h"
#include "Orbits.h"
#include "SpectralType.h"

#include <QtGlobal>

// A range of stellar masses in solar masses, low to high.
struct MassRange
{
    double low = 0.0;
    double high = 0.0;

    friend bool operator==(const MassRange &, const MassRange &) = default;
};

namespace StellarRules {

// The orbit of the habitable zone of a star of this type and class.
Orbits habitableZoneOrbit(SpectralType type, LuminosityClass luminosity);

// The masses a star of this type and class may have; white dwarfs share one range.
MassRange massRange(SpectralType type, LuminosityClass luminosity);

// The star's diameter relative to the Sun's.
double relativeSize(SpectralType type, LuminosityClass luminosity);

// The length of a year, in whole hours, of a body in `orbit` around a star of
// `mass` solar masses: 0 for the primary's own place or a massless star. Results
// too large for the integer type saturate instead of overflowing.
qint64 orbitalPeriodHours(double mass, Orbits orbit);

// The spectral type of a random star, by flux (never O or B).
SpectralType spectralTypeForFlux(int flux);

// The luminosity class read from the flux table for this type, before the
// adjustments by spectral decimal. `flux` is clamped into -5 ... +5.
LuminosityClass sizeClassForFlux(SpectralType type, int flux);

// The luminosity class for this type, spectral decimal and flux, with the
// adjustments applied: K5-K9 subgiants become main-sequence stars, and so do
// F0-F4 subdwarfs.
LuminosityClass sizeClass(SpectralType type, int decimal, int flux);

// A random orbit for a companion star: 1D + 14, orbits 15 to 20.
Orbits randomCompanionOrbit();

// A random luminosity class for a star of this type and spectral decimal (a flux
// roll on the type's row, then the adjustments of sizeClass()).
LuminosityClass randomSizeClass(SpectralType type, int decimal);

} // namespace StellarRules
