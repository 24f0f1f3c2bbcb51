#pragma once

#include "model/Race.h"
#include "model/Starport.h"
#include "model/TechnologyLevel.h"
#include "model/WorldData.h"
#include "model/WorldTag.h"

#include <QList>
#include <QString>

// One entry of a row of the world editor: the value it stands for, its text, and
// whether the world holds that value now (a stored world may hold none of them).
template <typename T> struct EditOption
{
    T value;
    QString text;
    bool held = false;
};

template <typename T> using EditOptions = QList<EditOption<T>>;

// What the world editor offers and shows, computed from the world alone so that the
// rows always follow the codes they depend on. The code ranges are those that
// UWP::clampToAllowedRanges() enforces, so they are never empty, whatever a stored
// world holds.
namespace WorldEditOptions {

EditOptions<Starport> starport(const WorldData &world);
// Every base, held or not; a world holds any number of them.
EditOptions<Base> bases(const WorldData &world);
EditOptions<qint64> size(const WorldData &world);
EditOptions<qint64> atmosphere(const WorldData &world);
EditOptions<qint64> hydrographics(const WorldData &world);
EditOptions<qint64> population(const WorldData &world);
EditOptions<qint64> government(const WorldData &world);
EditOptions<qint64> lawLevel(const WorldData &world);
// The levels of the scale the world's own level belongs to.
EditOptions<TechnologyLevel> techLevel(const WorldData &world);
// The gravities of the world type's densities (in g), the one of the density nearest
// the stored one held (the lower on a tie). None outside sizes 1 to 16.
EditOptions<double> gravity(const WorldData &world);

// The peoples of a rule flavour, by display name with case ignored.
QList<Race> peoples(TechnologyLevelSystem system);

// The names of the bases in base order, joined with ", "; "None" for no base.
QString basesText(const UWP &uwp);
// The names of the trade classes in stored order, joined with ", ".
QString tradeClassNames(const WorldData &world);
// The day length as the editor shows it, tide-locking noted.
QString dayText(const WorldData &world);

} // namespace WorldEditOptions
