#include "Race.h"

#include <QLocale>

QList<Race> races(TechnologyLevelSystem system)
{
    QList<Race> offered;
    for (const Race race : allCases<Race>()) {
        if (isOffered(race, system))
            offered.append(race);
    }
    return offered;
}

bool operator<(Race a, Race b)
{
    const QLocale locale;
    return locale.toLower(description(a)) < locale.toLower(description(b));
}
