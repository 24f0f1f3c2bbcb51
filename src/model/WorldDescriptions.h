#pragma once

// The texts that describe one world on every screen: its kind, the name to show, the
// compact day-and-year text, the trade codes, the two duration formats, its mass and
// the Markdown summary the map card copies. All are pure functions of their inputs;
// numbers follow the current default locale.

#include "model/HexData.h"
#include "model/StarSystem.h"
#include "model/WorldData.h"

#include <QList>
#include <QString>

// What the Markdown summary shows of one faction present on the world. Factions are
// records of the universe layer, so callers pass their name and short code.
struct FactionLabel
{
    QString name;
    QString shortName;

    friend bool operator==(const FactionLabel &, const FactionLabel &) = default;
};

// The kind of body: "Asteroid Belt" for size 0, a gas giant's type with its class
// ("Large Gas Giant (4 Mj)"), otherwise the type's raw value capitalized word by word.
QString kindText(const WorldData &world);
// The name, or the kind text when the name is empty.
QString displayName(const WorldData &world);
// "D:24h\Y:83d", "D:30d(L)\Y:2.1y", "D:Tz\Y:88d"; belts show only the year part.
QString dayYearSummary(const WorldData &world);
// The two-letter trade codes in stored order, joined with blanks ("Hi In").
QString tradeClassesText(const WorldData &world);

// Hours as "5 Std. hr", "2 Std. days", "1.0 Std. years" or "1,000 Std. years"; an em
// dash below one hour.
QString formatDuration(qint64 hours);
// The same thresholds in short form: "5h", "2d", "1.0y", "1000y"; an em dash likewise.
QString formatDurationCompact(qint64 hours);

// The world's mass in Earth masses, from its diameter and surface gravity.
double mass(const WorldData &world);

// The Markdown summary of a world held by `hex`, with the system's belt and gas-giant
// counts and the factions present on the world. Ends with a line feed, "---" and a
// line feed after a blank line.
QString markdownExport(const WorldData &world, qint64 planetoidBelts, qint64 gasGiants,
                       const QList<FactionLabel> &factions, const HexData &hex);

// The profile line of `world` in the context of `system`:
// "A8679AB-C NS 312 D:24h\Y:83d [Hi In]". The map card puts the trade codes on a
// line of their own by passing a line feed as `beforeTradeCodes`.
QString mainWorldUWPLine(const StarSystem &system, const WorldData &world, QChar beforeTradeCodes = u' ');
// The key to the fields of that line, shown above or below it.
inline const QString kProfileLineLegend = QStringLiteral("StpSizAtmHydPopGovLaw-TL B PBG Day\\Year [TC]");
