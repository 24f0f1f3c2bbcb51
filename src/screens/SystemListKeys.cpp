#include "SystemListKeys.h"

#include "model/HexData.h"
#include "model/NaturalOrder.h"

namespace {

// The subsector's place in its sector, A to P across and down; not capped, so rows
// below the sector's last subsector row come after P.
qint64 subsectorIndexOf(const GalacticCoordinates &c)
{
    return 4 * (std::max<qint64>(c.row - 1, 0) / 10) + std::max<qint64>(c.column - 1, 0) / 8;
}

// Separates the searched texts so that a search never matches across two of them.
constexpr QChar kSeparator = QChar(0x1F);

} // namespace

SystemListKeys SystemListKeys::of(const HexData &hex)
{
    SystemListKeys entry;
    entry.id = hex.id;
    entry.coordinates = hex.coordinates;
    entry.subsectorIndex = subsectorIndexOf(hex.coordinates);
    return entry;
}

QString SystemListKeys::searchedText(const HexData &hex)
{
    // Made in one piece and folded where it lies: the list makes tens of thousands.
    const StarSystem &system = hex.starSystem;
    const QString label = hex.coordinates.description();
    qsizetype size = label.size() + 3 + system.name.size();
    for (const Star &star : system.stars) {
        for (const WorldData &world : star.worlds)
            size += 1 + world.name.size();
    }
    QString haystack;
    haystack.reserve(size);
    haystack += label;
    haystack += QLatin1Char(' ');
    haystack += hex.coordinates.subsectorLetter();
    haystack += kSeparator;
    haystack += system.name;
    for (const Star &star : system.stars) {
        for (const WorldData &world : star.worlds) {
            haystack += kSeparator;
            haystack += world.name;
        }
    }
    return std::move(haystack).toCaseFolded();
}

QString SystemListKeys::sortedText(SystemSort order, const HexData &hex)
{
    if (order == SystemSort::name)
        return hex.starSystem.name;
    if (const std::optional<WorldIndex> main = hex.starSystem.mainWorldIndex())
        return hex.starSystem.stars.at(main->star).worlds.at(main->world).name;
    return {};
}

SystemListSortName SystemListKeys::sortNameOf(const QString &text, const NaturalOrder &names)
{
    return SystemListSortName{text.isEmpty(), names.key(text)};
}

std::optional<SystemListSortName> SystemListKeys::*SystemListKeys::sortName(SystemSort order)
{
    switch (order) {
    case SystemSort::name: return &SystemListKeys::name;
    case SystemSort::mainWorld: return &SystemListKeys::mainWorldName;
    case SystemSort::coordinates: break;
    }
    return nullptr;
}

int SystemListKeys::compareNames(const SystemListSortName &a, const SystemListSortName &b)
{
    if (a.isEmpty != b.isEmpty)
        return a.isEmpty ? 1 : -1;
    return a.key.compare(b.key);
}

bool SystemListKeys::comesBefore(const SystemListSortName &aName, const SystemListKeys &a, int aRow,
                                 const SystemListSortName &bName, const SystemListKeys &b, int bRow)
{
    const int compared = compareNames(aName, bName);
    return compared != 0 ? compared < 0 : a.place(aRow) < b.place(bRow);
}

bool SystemListKeys::comesBefore(SystemSort order, const SystemListKeys &a, int aRow, const SystemListKeys &b,
                                 int bRow)
{
    if (const auto member = sortName(order))
        return comesBefore(*(a.*member), a, aRow, *(b.*member), b, bRow);
    return a.place(aRow) < b.place(bRow);
}
