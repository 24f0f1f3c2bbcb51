#pragma once

#include "model/GalacticCoordinates.h"
#include "universe/FactionColor.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

class StarfarerUniverse;
struct Rutter;

// The far end of one rutter seen from a hex: the name of the system there (or the
// hex label when it holds none, or an unnamed one), the rutter's length in hexes and
// its faction's colour (grey once the faction is gone).
struct RutterDestination
{
    QUuid id;
    QString name;
    qint64 distance = 0;
    FactionColor color = FactionColor::grey;

    // "Name [n]": what the destination's chip reads, a long name shortened.
    QString chipText() const;

    // The destination of `rutter` seen from `hex`, or none when neither end is `hex`.
    static std::optional<RutterDestination> of(const StarfarerUniverse &universe, const Rutter &rutter,
                                               const GalacticCoordinates &hex);
    // Every rutter touching `hex`, in the order of the universe's rutters; a rutter
    // from the hex to itself names the hex's own system at distance 0.
    static QList<RutterDestination> touching(const StarfarerUniverse &universe,
                                             const GalacticCoordinates &hex);

    friend bool operator==(const RutterDestination &, const RutterDestination &) = default;
};
