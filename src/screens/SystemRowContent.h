#pragma once

#include "RutterDestination.h"
#include "universe/Faction.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

class StarfarerUniverse;
struct HexData;
struct StarSystem;
struct WorldData;

// What one row of the system list shows of a stored hex: its label and name, its
// notes, the main world with its profile line and notes, the other worlds that carry
// a name of their own, the main world's tags and factions, and the rutters touching
// the hex. Computed from the hex and the universe; the row's painter reads only this.
struct SystemRowContent
{
    struct WorldLine
    {
        QString name;
        QString profile;
        QString notes;
    };

    QString label; // "00-0101 [A] ·"
    QString name;  // "Unnamed System" when the system has none
    QString notes;
    QString mainWorldName;    // "—" without a main world or without its name
    QString mainWorldProfile; // empty without a main world
    QString mainWorldNotes;
    QList<WorldLine> otherNamedWorlds;
    QStringList mainWorldTagNames;
    QList<Faction> factions;
    QList<RutterDestination> rutterDestinations;

    // `destinations` are the rutters touching the hex, in the universe's order.
    static SystemRowContent of(const StarfarerUniverse &universe, const HexData &hex,
                               QList<RutterDestination> destinations);
    // The worlds other than the main world whose name is not empty and not merely
    // their kind text, by star orbit and then satellite orbit.
    static QList<WorldData> namedWorldsBesidesMain(const StarSystem &system);
    // Whether the row lists `world` by name under the main world.
    static bool listedBesidesMain(const WorldData &world);
    // The world's tags as shown: raw values capitalised word by word, in stored order.
    static QStringList tagNames(const WorldData &world);
    // How many text lines the info column takes.
    static int lineCount(const HexData &hex);
};

Q_DECLARE_METATYPE(SystemRowContent)
