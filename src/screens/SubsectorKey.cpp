#include "SubsectorKey.h"

#include <algorithm>
#include <tuple>

SubsectorKey SubsectorKey::of(const GalacticCoordinates &coordinates)
{
    return {coordinates.sectorX, coordinates.sectorY, coordinates.subsectorLetter()};
}

QString SubsectorKey::id() const
{
    return QString::number(sectorX) + QLatin1Char(',') + QString::number(sectorY) + QLatin1Char(',') + letter;
}

QString SubsectorKey::menuText() const
{
    return GalacticCoordinates::sectorXText(sectorX) + GalacticCoordinates::sectorYText(sectorY) +
           QStringLiteral(" \u00B7 ") + letter;
}

void SubsectorKey::sort(QList<SubsectorKey> &keys)
{
    std::stable_sort(keys.begin(), keys.end(), [](const SubsectorKey &a, const SubsectorKey &b) {
        return std::tie(a.sectorX, a.sectorY, a.letter) < std::tie(b.sectorX, b.sectorY, b.letter);
    });
}
