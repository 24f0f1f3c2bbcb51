#pragma once

#include "ParametersView.h"
#include "model/Race.h"
#include "model/Starport.h"
#include "model/TechnologyLevel.h"
#include "model/UWP.h"
#include "model/WorldData.h"
#include "model/WorldTag.h"

#include <QList>
#include <QString>
#include <QStringList>

struct Faction;

// The choices one row of the world editor offers: the values in order, the text of
// each, and the position of the value the world holds now (-1 when it holds none of
// them, as a stored world may).
template <typename T> struct EditOptions
{
    QList<T> values;
    QStringList texts;
    int current = -1;
};

// What the world editor offers and shows, computed from the world alone so that the
// rows always follow the codes they depend on. The code ranges are those that
// UWP::clampToAllowedRanges() enforces, so they are never empty, whatever a stored
// world holds.
namespace WorldEditOptions {

EditOptions<Starport> starport(const UWP &uwp);
EditOptions<qint64> size(const UWP &uwp);
EditOptions<qint64> atmosphere(const UWP &uwp);
EditOptions<qint64> hydrographics(const UWP &uwp);
EditOptions<qint64> population(const UWP &uwp);
EditOptions<qint64> government(const UWP &uwp);
EditOptions<qint64> lawLevel(const UWP &uwp);
// The levels of the scale the world's own level belongs to.
EditOptions<TechnologyLevel> techLevel(const UWP &uwp);

// Whether the gravity can be edited: sizes 1 to 16.
bool gravityEditable(const UWP &uwp);
// The gravities of the world type's densities (in g); the current one is the
// density nearest the stored one, the lower on a tie. Empty when not editable.
EditOptions<double> gravity(const WorldData &world);
// The density that gives gravity `g` at the world's size.
double densityForGravity(const UWP &uwp, double g);

// The peoples of a rule flavour, by display name with case ignored.
QList<Race> peoples(TechnologyLevelSystem system);
// The factions in menu order: by lower-cased name, equal names kept in stored order.
QList<Faction> factionMenu(const QList<Faction> &factions);

// The names of the bases in base order, joined with ", "; "None" for no base.
QString basesText(const UWP &uwp);
// The names of the trade classes in stored order, joined with ", ".
QString tradeClassNames(const WorldData &world);
// The day length as the editor shows it, tide-locking noted.
QString dayText(const WorldData &world);
// The density in the locale's default number form, then the density symbol and "ρ".
ParameterValue densityValue(const UWP &uwp);
// How a tag reads in menus and chips: "civil-war" as "Civil War"; the government
// types as they are stored.
QString tagTitle(WorldTag tag);

} // namespace WorldEditOptions
