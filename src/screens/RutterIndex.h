#pragma once

#include "RutterDestination.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

class StarfarerUniverse;

// Which rutters touch each hex, kept current with the universe's rutters, so that a
// list of many systems finds a row's rutters without walking every rutter per row.
// A change of one rutter updates the hexes at its ends alone. The ends are kept in
// one sorted array, which is made in one sort and looked up by binary search.
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
    // One end of a rutter: the hex, and the rutter's position in the universe's list.
    struct End
    {
        GalacticCoordinates hex;
        qsizetype position;
    };
    static bool comesBefore(const End &a, const End &b);
    // The rutters' positions at `hex`, ascending.
    std::pair<std::vector<End>::const_iterator, std::vector<End>::const_iterator>
    endsAt(const GalacticCoordinates &hex) const;
    // Files the rutter at `position` under its ends (a rutter from a hex to itself
    // once); or takes it out of them.
    void file(const Rutter &rutter, qsizetype position);
    void unfile(const Rutter &rutter, qsizetype position);

    QPointer<StarfarerUniverse> m_universe;
    std::vector<End> m_ends; // by hex, then position
};
