#include "TechnologyLevel.h"

#include "EHex.h"

QList<TechnologyLevel> technologyLevels(TechnologyLevelSystem system)
{
    QList<TechnologyLevel> levels;
    for (const TechnologyLevel level : allCases<TechnologyLevel>()) {
        if (technologyLevelSystem(level) == system)
            levels.append(level);
    }
    return levels;
}

QString uwpDigit(TechnologyLevel level)
{
    return EHex::digit(numericValue(level));
}
