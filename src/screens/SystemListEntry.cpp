#include "SystemListEntry.h"

#include <tuple>

bool SystemListEntry::comesBefore(SystemSort order, const SystemListEntry &a, int aRow,
                                  const SystemListEntry &b, int bRow)
{
    const auto byCoordinates = [&] {
        return std::tie(a.coordinates.sectorX, a.coordinates.sectorY, a.subsectorIndex, a.coordinates.column,
                        a.coordinates.row, aRow) < std::tie(b.coordinates.sectorX, b.coordinates.sectorY,
                                                            b.subsectorIndex, b.coordinates.column,
                                                            b.coordinates.row, bRow);
    };
    const auto byText = [&](bool aHas, bool bHas, const QCollatorSortKey &aKey,
                            const QCollatorSortKey &bKey) {
        if (aHas != bHas)
            return aHas;
        const int compared = aKey.compare(bKey);
        return compared != 0 ? compared < 0 : byCoordinates();
    };
    switch (order) {
    case SystemSort::name: return byText(a.hasName, b.hasName, *a.nameKey, *b.nameKey);
    case SystemSort::mainWorld:
        return byText(a.hasMainWorldName, b.hasMainWorldName, *a.mainWorldKey, *b.mainWorldKey);
    case SystemSort::coordinates: break;
    }
    return byCoordinates();
}
