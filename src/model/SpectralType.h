#pragma once

#include "json/EnumTable.h"

#include <array>

// The spectral class of a star; files store the class letter.
enum class SpectralType : quint8 { O, B, A, F, G, K, M };

struct SpectralTypeRow
{
    SpectralType value;
    const char *raw;
};

inline constexpr std::array<SpectralTypeRow, 7> kSpectralTypeTable{{
    {SpectralType::O, "O"},
    {SpectralType::B, "B"},
    {SpectralType::A, "A"},
    {SpectralType::F, "F"},
    {SpectralType::G, "G"},
    {SpectralType::K, "K"},
    {SpectralType::M, "M"},
}};

template <> struct EnumTraits<SpectralType>
{
    static constexpr const auto &rows = kSpectralTypeTable;
};
