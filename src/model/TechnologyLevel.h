#pragma once

#include "json/EnumTable.h"

#include <QList>
#include <QString>

#include <array>

// The two rule flavours a universe can follow, each with its own tech-level scale:
// a coarse one (0 to 6, with an extra 4+) and the Traveller one (TL0 to TL22).
enum class TechnologyLevelSystem : quint8 { swn, traveller };

// A world's tech level on either scale. Both scales live in one enumeration, coarse
// levels first; the built-in comparisons of the enumeration follow case order, which
// is the levels' order (every coarse level is below every Traveller level).
enum class TechnologyLevel : quint8 {
    tl0,
    tl1,
    tl2,
    tl3,
    tl4,
    tl4Plus,
    tl5,
    tl6,
    ttl0,
    ttl1,
    ttl2,
    ttl3,
    ttl4,
    ttl5,
    ttl6,
    ttl7,
    ttl8,
    ttl9,
    ttl10,
    ttl11,
    ttl12,
    ttl13,
    ttl14,
    ttl15,
    ttl16,
    ttl17,
    ttl18,
    ttl19,
    ttl20,
    ttl21,
    ttl22,
};

struct TechnologyLevelRow
{
    TechnologyLevel value;
    const char *raw;
    const char *name;
};

inline constexpr std::array<TechnologyLevelRow, 31> kTechnologyLevelTable{{
    {TechnologyLevel::tl0, "0", "Neolithic"},
    {TechnologyLevel::tl1, "1", "Pre-Gunpowder"},
    {TechnologyLevel::tl2, "2", "Early Industrial"},
    {TechnologyLevel::tl3, "3", "21st Century"},
    {TechnologyLevel::tl4, "4", "Postech"},
    {TechnologyLevel::tl4Plus, "4+", "Postech-Plus"},
    {TechnologyLevel::tl5, "5", "Pretech"},
    {TechnologyLevel::tl6, "6", "Pretech-Plus"},
    {TechnologyLevel::ttl0, "TL0", "Primitive"},
    {TechnologyLevel::ttl1, "TL1", "Primitive"},
    {TechnologyLevel::ttl2, "TL2", "Primitive"},
    {TechnologyLevel::ttl3, "TL3", "Primitive"},
    {TechnologyLevel::ttl4, "TL4", "Industrial"},
    {TechnologyLevel::ttl5, "TL5", "Industrial"},
    {TechnologyLevel::ttl6, "TL6", "Industrial"},
    {TechnologyLevel::ttl7, "TL7", "Pre-Stellar"},
    {TechnologyLevel::ttl8, "TL8", "Pre-Stellar"},
    {TechnologyLevel::ttl9, "TL9", "Pre-Stellar"},
    {TechnologyLevel::ttl10, "TL10", "Early Stellar"},
    {TechnologyLevel::ttl11, "TL11", "Early Stellar"},
    {TechnologyLevel::ttl12, "TL12", "Average Stellar"},
    {TechnologyLevel::ttl13, "TL13", "Average Stellar"},
    {TechnologyLevel::ttl14, "TL14", "Average Stellar"},
    {TechnologyLevel::ttl15, "TL15", "High Stellar"},
    {TechnologyLevel::ttl16, "TL16", "Artificial Personality"},
    {TechnologyLevel::ttl17, "TL17", "Personality Transfer"},
    {TechnologyLevel::ttl18, "TL18", "Exotic Collectors"},
    {TechnologyLevel::ttl19, "TL19", "Limited Matter Transport"},
    {TechnologyLevel::ttl20, "TL20", "Global Matter Transport"},
    {TechnologyLevel::ttl21, "TL21", "Mass Matter Transport"},
    {TechnologyLevel::ttl22, "TL22", "Fantastic Technology"},
}};

template <> struct EnumTraits<TechnologyLevel>
{
    static constexpr const auto &rows = kTechnologyLevelTable;
};

namespace technology_level_detail {

constexpr bool startsWithTL(const char *text)
{
    return text[0] == 'T' && text[1] == 'L';
}

// The raw value with every "TL" removed, read as a decimal integer with an optional
// sign; 4 when what remains is not a number (the "4+" level).
constexpr int numberInRaw(const char *raw)
{
    constexpr int notANumber = 4;
    char digits[8] = {};
    int length = 0;
    for (int i = 0; raw[i] != '\0';) {
        if (startsWithTL(raw + i)) {
            i += 2;
            continue;
        }
        if (length == 7)
            return notANumber;
        digits[length++] = raw[i++];
    }
    int position = 0;
    bool negative = false;
    if (digits[0] == '+' || digits[0] == '-') {
        negative = digits[0] == '-';
        position = 1;
    }
    if (position == length)
        return notANumber;
    int value = 0;
    for (; position < length; ++position) {
        if (digits[position] < '0' || digits[position] > '9')
            return notANumber;
        value = value * 10 + (digits[position] - '0');
    }
    return negative ? -value : value;
}

} // namespace technology_level_detail

// The scale a level belongs to: Traveller exactly when its raw value begins "TL".
constexpr TechnologyLevelSystem technologyLevelSystem(TechnologyLevel level)
{
    return technology_level_detail::startsWithTL(enumRow(level).raw) ? TechnologyLevelSystem::traveller
                                                                     : TechnologyLevelSystem::swn;
}

// The level as a number: 0 to 6 on the coarse scale ("4+" counts as 4), 0 to 22 on
// the Traveller scale.
constexpr int numericValue(TechnologyLevel level)
{
    return technology_level_detail::numberInRaw(enumRow(level).raw);
}

// The levels of one rule flavour, lowest first.
QList<TechnologyLevel> technologyLevels(TechnologyLevelSystem system);

// The tech digit of the profile line: the numeric value as an extended-hex digit.
QString uwpDigit(TechnologyLevel level);

// The display name ("Average Stellar").
inline QString name(TechnologyLevel level)
{
    return QString::fromUtf8(enumRow(level).name);
}
