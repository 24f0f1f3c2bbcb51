#pragma once

#include "LuminosityClass.h"
#include "SpectralType.h"
#include "TechnologyLevel.h"

#include <QtGlobal>

// The choices of the system generator: how the primary star is made, the tech-level
// scale and cap of the main world, and the awareness flags the stored system gets.
// Screen state only: none of it is written to a universe file.
struct GeneratorOptions
{
    bool randomStar = true;       // the generation rolls the primary
    bool randomLuminosity = true; // a hand-made primary gets a rolled class each time
    bool randomTL = true;         // the main world's level is rolled, capped at maxTechLevel
    bool swnTL = true;            // the coarse scale; false: the Traveller scale
    bool starfarersAware = true;
    bool satharAware = false;
    bool otherAware = false;
    bool surveyed = false;
    bool binary = false; // a random primary gets a companion
    TechnologyLevel maxTechLevel = TechnologyLevel::tl4;
    SpectralType spectralType = SpectralType::G;
    qint64 temperature = 0; // the spectral decimal, 0 to 9
    LuminosityClass luminosity = LuminosityClass::V;

    // The scale the switch chose.
    TechnologyLevelSystem techLevelSystem() const
    {
        return swnTL ? TechnologyLevelSystem::swn : TechnologyLevelSystem::traveller;
    }

    // The user flipped the scale switch: the level goes back to that scale's default.
    void switchScale(bool swn);

    // Follows the open universe's rule flavour whenever the screen is shown. The level
    // is reset to the flavour's default only when it lies on the other scale, so a
    // level chosen on the right scale survives.
    void followRules(bool travellerRules);

    friend bool operator==(const GeneratorOptions &, const GeneratorOptions &) = default;
};
