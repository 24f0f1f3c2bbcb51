#pragma once

#include "universe/Faction.h"
#include "universe/FactionList.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

// The words of the map's faction and label-category filter menus: their titles, the
// texts of their entries and the order of the factions offered.
namespace MapFilterTitles {

// "All factions" without a selection; else the first non-empty faction list holding
// exactly the selection; else the count of `selected` (the selected factions that
// exist) with " factions"; else the one selected faction's short code.
QString factionMenuTitle(const QSet<QUuid> &selectedIDs, const QList<FactionList> &lists,
                         const QList<Faction> &selected);
// "All categories" while nothing is hidden; else the one category still shown, or
// the count of those shown with " categories".
QString categoryMenuTitle(const QSet<QString> &hidden, const QStringList &categories);

// A list's name, or "Unnamed List".
QString listText(const FactionList &list);
// "Name (SHORT)", or "Unnamed Faction".
QString factionText(const Faction &faction);
// A category, or "Uncategorized" for the empty one.
QString categoryText(const QString &category);
// The factions sorted by lower-cased name in the user's locale; equal names keep
// their order.
QList<Faction> sortedByName(QList<Faction> factions);

} // namespace MapFilterTitles
