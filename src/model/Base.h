#pragma once

#include "json/EnumTable.h"

#include <QString>

#include <array>

// A kind of base on a world. The one-letter raw value is both the stored form and
// the letter of the profile line; cases are in letter order.
enum class Base : quint8 {
    corsairBase,
    navalDepot,
    embassy,
    navalBase,
    militaryBase,
    imperialNavalBase,
    clanBase,
    scoutBase,
    tlaukhuBase,
    explorationBase,
    wayStation,
};

struct BaseRow
{
    Base value;
    const char *raw;
    const char *name;
    const char *referenceSymbol; // shown beside the name in the reference table of bases
};

inline constexpr std::array<BaseRow, 11> kBaseTable{{
    {Base::corsairBase, "C", "Corsair Base", "\u25BD"},
    {Base::navalDepot, "D", "Naval Depot", "\u25A0"},
    {Base::embassy, "E", "Embassy", "\u25A1"},
    {Base::navalBase, "K", "Naval Base", "\u2606"},
    {Base::militaryBase, "M", "Military Base", "\u25C6"},
    {Base::imperialNavalBase, "N", "Imperial Naval Base", "\u2605"},
    {Base::clanBase, "R", "Clan Base", "\u2B21"},
    {Base::scoutBase, "S", "Scout Base", "\u25B2"},
    {Base::tlaukhuBase, "T", "Tlaukhu Base", "\u2B20"},
    {Base::explorationBase, "V", "Exploration Base", "\u25B3"},
    {Base::wayStation, "W", "Way Station", "\u25B2 red"},
}};

template <> struct EnumTraits<Base>
{
    static constexpr const auto &rows = kBaseTable;
};

inline QString name(Base value)
{
    return QString::fromUtf8(enumRow(value).name);
}

inline QString referenceSymbol(Base value)
{
    return QString::fromUtf8(enumRow(value).referenceSymbol);
}
