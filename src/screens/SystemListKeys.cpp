#include "SystemListKeys.h"

std::optional<SystemListSortName> SystemListKeys::*SystemListKeys::sortName(SystemSort order)
{
    switch (order) {
    case SystemSort::name: return &SystemListKeys::name;
    case SystemSort::mainWorld: return &SystemListKeys::mainWorldName;
    case SystemSort::coordinates: break;
    }
    return nullptr;
}

bool SystemListKeys::comesBefore(SystemSort order, const SystemListKeys &a, int aRow, const SystemListKeys &b,
                                 int bRow)
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
