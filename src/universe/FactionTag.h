#pragma once

#include "json/EnumTable.h"

#include <array>

// A tag of a faction; files store the case name. The faction editor offers them in
// this order.
enum class FactionTag : quint8 {
    colonists,
    deepRooted,
    eugenicsCult,
    exchangeConsulate,
    fanatical,
    imperialists,
    machiavellian,
    perimeterAgency,
    pirates,
    planetaryGovernment,
    plutocratic,
    preceptorArchive,
    psychicAcademy,
    savage,
    scavengers,
    secretive,
    technicalExpertise,
    theocratic,
    warlike,
    sathar,
    starfarers,
    humans,
    dralasites,
    yazirians,
    vrusks,
};

struct FactionTagRow
{
    FactionTag value;
    const char *raw;
};

inline constexpr std::array<FactionTagRow, 25> kFactionTagTable{{
    {FactionTag::colonists, "colonists"},
    {FactionTag::deepRooted, "deepRooted"},
    {FactionTag::eugenicsCult, "eugenicsCult"},
    {FactionTag::exchangeConsulate, "exchangeConsulate"},
    {FactionTag::fanatical, "fanatical"},
    {FactionTag::imperialists, "imperialists"},
    {FactionTag::machiavellian, "machiavellian"},
    {FactionTag::perimeterAgency, "perimeterAgency"},
    {FactionTag::pirates, "pirates"},
    {FactionTag::planetaryGovernment, "planetaryGovernment"},
    {FactionTag::plutocratic, "plutocratic"},
    {FactionTag::preceptorArchive, "preceptorArchive"},
    {FactionTag::psychicAcademy, "psychicAcademy"},
    {FactionTag::savage, "savage"},
    {FactionTag::scavengers, "scavengers"},
    {FactionTag::secretive, "secretive"},
    {FactionTag::technicalExpertise, "technicalExpertise"},
    {FactionTag::theocratic, "theocratic"},
    {FactionTag::warlike, "warlike"},
    {FactionTag::sathar, "sathar"},
    {FactionTag::starfarers, "starfarers"},
    {FactionTag::humans, "humans"},
    {FactionTag::dralasites, "dralasites"},
    {FactionTag::yazirians, "yazirians"},
    {FactionTag::vrusks, "vrusks"},
}};

template <> struct EnumTraits<FactionTag>
{
    static constexpr const auto &rows = kFactionTagTable;
};
