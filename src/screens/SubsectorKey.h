#pragma once

#include "model/GalacticCoordinates.h"

#include <QHashFunctions>
#include <QList>
#include <QString>

// One subsector of one sector, as the system list's filter names it: the sector's
// position and the subsector letter ("?" below the sector's last subsector row).
struct SubsectorKey
{
    qint64 sectorX = 0;
    qint64 sectorY = 0;
    QString letter;

    static SubsectorKey of(const GalacticCoordinates &coordinates);
    // "0,0,A"
    QString id() const;
    // "00 · A": both sector texts, a middle dot, the letter.
    QString menuText() const;
    // Ascending by sector x, sector y, then letter; stable.
    static void sort(QList<SubsectorKey> &keys);

    friend bool operator==(const SubsectorKey &, const SubsectorKey &) = default;
};

inline size_t qHash(const SubsectorKey &key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, key.sectorX, key.sectorY, key.letter);
}
