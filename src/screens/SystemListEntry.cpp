#include "SystemListEntry.h"

std::optional<SystemListSortName> SystemListEntry::*SystemListEntry::sortName(SystemSort order)
{
    switch (order) {
    case SystemSort::name: return &SystemListEntry::name;
    case SystemSort::mainWorld: return &SystemListEntry::mainWorldName;
    case SystemSort::coordinates: break;
    }
    return nullptr;
}

bool SystemListEntry::comesBefore(SystemSort order, const SystemListEntry &a, int aRow,
                                  const SystemListEntry &b, int bRow)
{
    const auto byCoordinates = [&] { return a.place(aRow) < b.place(bRow); };
    const auto member = sortName(order);
    if (!member)
        return byCoordinates();
    const SystemListSortName &aName = *(a.*member);
    const SystemListSortName &bName = *(b.*member);
    if (aName.isEmpty != bName.isEmpty)
        return bName.isEmpty;
    const int compared = aName.key.compare(bName.key);
    return compared != 0 ? compared < 0 : byCoordinates();
}
