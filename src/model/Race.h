#pragma once

#include "json/EnumTable.h"
#include "TechnologyLevel.h"

#include <QList>
#include <QString>

#include <array>

// The prevalent people of a world. Some peoples belong to one rule flavour only;
// the editors offer those of the universe's flavour.
enum class Race : quint8 {
    corporation,
    human,
    mixed,
    none,
    unknown,
    dralasite,
    humma,
    ifshnits,
    mechanon,
    mhemne,
    mixedRIM,
    osakar,
    sathar,
    vrusk,
    yazirian,
    aslan,
    droyne,
    hiver,
    kkree,
    solomani,
    vargr,
    vilani,
    zhodani,
};

struct RaceRow
{
    Race value;
    const char *raw;
    const char *description;
    bool swn;       // offered under the coarse rule flavour
    bool traveller; // offered under the Traveller flavour
};

inline constexpr std::array<RaceRow, 23> kRaceTable{{
    {Race::corporation, "corporation", "Corporation", true, true},
    {Race::human, "human", "Human", true, true},
    {Race::mixed, "mixed", "Mixed", true, true},
    {Race::none, "none", "None", true, true},
    {Race::unknown, "unknown", "Unknown", true, true},
    {Race::dralasite, "dralasite", "Dralasite", true, false},
    {Race::humma, "humma", "Humma", true, false},
    {Race::ifshnits, "ifshnits", "Ifshnit", true, false},
    {Race::mechanon, "mechanon", "Mechanon", true, false},
    {Race::mhemne, "mhemne", "Mhemne", true, false},
    {Race::mixedRIM, "mixedRIM", "Mixed (RIM)", true, false},
    {Race::osakar, "osakar", "Osakar", true, false},
    {Race::sathar, "sathar", "Sathar", true, false},
    {Race::vrusk, "vrusk", "Vrusk", true, false},
    {Race::yazirian, "yazirian", "Yazirian", true, false},
    {Race::aslan, "aslan", "Aslan", false, true},
    {Race::droyne, "droyne", "Droyne", false, true},
    {Race::hiver, "hiver", "Hiver", false, true},
    {Race::kkree, "kkree", "K'kree", false, true},
    {Race::solomani, "solomani", "Solomani", false, true},
    {Race::vargr, "vargr", "Vargr", false, true},
    {Race::vilani, "vilani", "Vilani", false, true},
    {Race::zhodani, "zhodani", "Zhodani", false, true},
}};

template <> struct EnumTraits<Race>
{
    static constexpr const auto &rows = kRaceTable;
};

// The display name ("K'kree").
inline QString description(Race race)
{
    return QString::fromUtf8(enumRow(race).description);
}

// Whether the people is offered under a rule flavour.
constexpr bool isOffered(Race race, TechnologyLevelSystem system)
{
    return system == TechnologyLevelSystem::swn ? enumRow(race).swn : enumRow(race).traveller;
}

// The peoples offered under a rule flavour, in case order.
QList<Race> races(TechnologyLevelSystem system);

// Peoples order by their display names, lower-cased for the current locale; equal
// names are not less. Replaces the enumeration's case order for every comparison.
bool operator<(Race a, Race b);
inline bool operator>(Race a, Race b)
{
    return b < a;
}
inline bool operator<=(Race a, Race b)
{
    return !(b < a);
}
inline bool operator>=(Race a, Race b)
{
    return !(a < b);
}
