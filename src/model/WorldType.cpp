#include "WorldType.h"

#include "Random.h"

#include <algorithm>
#include <cmath>

QList<double> densityOptions(WorldType type, double step)
{
    const auto &row = enumRow(type);
    // The tolerance keeps the highest option when the sum of steps comes out a hair
    // above it.
    const double upper = row.baseDensity + row.densitySpread + 0.000000001;
    QList<double> options;
    double density = row.baseDensity - row.densitySpread;
    do {
        options.append(std::round(density * 100.0) / 100.0);
        density += step;
        // A step that does not move forward would never end; one option is all it can give.
        if (!(step > 0.0))
            break;
    } while (density <= upper);
    return options;
}

double randomDensity(WorldType type)
{
    const auto &row = enumRow(type);
    const int flux = rollFlux();
    return std::max(0.05, row.baseDensity + row.densitySpread * (flux / 5.0));
}
