#pragma once

#include "RutterDestination.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class StarfarerUniverse;

// Which rutters touch each hex, kept current with the universe's rutters, so that a
// list of many systems finds a row's rutters without walking every rutter per row.
// A change of one rutter updates the hexes at its ends alone.
class RutterIndex : public QObject
{
    Q_OBJECT

public:
    explicit RutterIndex(StarfarerUniverse *universe, QObject *parent = nullptr);

    // The same destinations as RutterDestination::touching, in the same order.
    QList<RutterDestination> destinations(const GalacticCoordinates &hex) const;
    // The far ends of the rutters touching `hex` (the hex itself for a rutter from
    // the hex to itself).
    QList<GalacticCoordinates> farEnds(const GalacticCoordinates &hex) const;

private:
    void rebuild();
    // Files the rutter at `position` under its ends, keeping each hex's positions in
    // ascending order; or takes it out of them.
    void file(const Rutter &rutter, qsizetype position);
    void unfile(const Rutter &rutter, qsizetype position);

    QPointer<StarfarerUniverse> m_universe;
    QHash<GalacticCoordinates, QList<qsizetype>> m_positions; // into the universe's rutters
};
