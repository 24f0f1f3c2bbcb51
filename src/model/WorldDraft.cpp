#include "WorldDraft.h"

#include "Random.h"
#include "WorldTagCategory.h"

namespace {

constexpr qsizetype kRandomTagCount = 2;

} // namespace

void WorldDraft::settleProfile()
{
    world.uwp.clampToAllowedRanges();
    world.tradeClasses = tradeClasses(world.uwp, world.climateZone(), world.tideLocked);
}

bool WorldDraft::setGravity(double g)
{
    if (world.uwp.size < 1)
        return false;
    // Gravity is density × size / 8.
    world.uwp.density = g * 8.0 / static_cast<double>(world.uwp.size);
    return true;
}

void WorldDraft::toggleBase(Base base)
{
    if (!world.uwp.bases.remove(base))
        world.uwp.bases.insert(base);
}

void WorldDraft::toggleTag(WorldTag tag)
{
    if (!world.worldTags.removeOne(tag))
        world.worldTags.append(tag);
}

void WorldDraft::randomTags()
{
    QList<WorldTag> pool;
    for (const WorldTagCategory category : kWorldTagPickerCases)
        pool.append(tags(category));
    // A uniform shuffle of the whole pool, of which the first entries are kept.
    const qsizetype n = pool.size();
    for (qsizetype i = 0; i + 1 < n; ++i)
        pool.swapItemsAt(i, i + randomBelow(n - i));
    world.worldTags = pool.mid(0, kRandomTagCount);
}

bool WorldDraft::addFaction(const QUuid &id)
{
    if (world.factionIDs.contains(id))
        return false;
    world.factionIDs.append(id);
    return true;
}
