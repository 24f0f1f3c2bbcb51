#pragma once

// The one pattern for enumerations with raw values.
//
// Each enumeration declares one constexpr table of rows, in case order, whose rows
// carry at least `value` (the case) and `raw` (the form files store: a UTF-8 string,
// or an integer), plus whatever display texts and codes the enumeration has. It then
// specialises EnumTraits to point at that table. Everything else — raw value out,
// case in, the list of all cases, the row of a case — is the generic code below.

#include <QHash>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>

template <typename E>
struct EnumTraits; // specialise with: static constexpr const auto &rows = kTable;

namespace enum_detail {

template <typename E>
constexpr bool rowsInCaseOrder()
{
    const auto &rows = EnumTraits<E>::rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (static_cast<std::size_t>(rows[i].value) != i)
            return false;
    }
    return true;
}

template <typename E>
using RawType = std::remove_cvref_t<decltype(EnumTraits<E>::rows[0].raw)>;

template <typename E>
constexpr bool hasIntegerRaw = std::is_integral_v<RawType<E>>;

} // namespace enum_detail

// The table row of a case: its raw value, display texts and codes.
template <typename E>
constexpr const auto &enumRow(E value)
{
    static_assert(enum_detail::rowsInCaseOrder<E>(), "enum table rows must follow case order");
    return EnumTraits<E>::rows[static_cast<std::size_t>(value)];
}

// Every case, in declaration order.
template <typename E>
constexpr auto allCases()
{
    constexpr std::size_t count = EnumTraits<E>::rows.size();
    std::array<E, count> cases{};
    for (std::size_t i = 0; i < count; ++i)
        cases[i] = EnumTraits<E>::rows[i].value;
    return cases;
}

// The raw value of a case: a QString for string-backed enumerations, the integer
// otherwise.
template <typename E>
auto rawValue(E value)
{
    if constexpr (enum_detail::hasIntegerRaw<E>)
        return enumRow(value).raw;
    else
        return QString::fromUtf8(enumRow(value).raw);
}

// The case whose raw value is exactly `raw` (case-sensitive), or no value.
template <typename E>
std::optional<E> enumFromRaw(const QString &raw)
    requires(!enum_detail::hasIntegerRaw<E>)
{
    // Built once, thread-safely, on first use: files hold many thousands of raw
    // values and a linear scan of the longer tables would show up in load times.
    static const QHash<QString, E> lookup = [] {
        QHash<QString, E> table;
        for (const auto &row : EnumTraits<E>::rows)
            table.insert(QString::fromUtf8(row.raw), row.value);
        return table;
    }();
    const auto found = lookup.constFind(raw);
    if (found == lookup.cend())
        return std::nullopt;
    return *found;
}

template <typename E>
std::optional<E> enumFromRaw(qint64 raw)
    requires enum_detail::hasIntegerRaw<E>
{
    for (const auto &row : EnumTraits<E>::rows) {
        if (row.raw == raw)
            return row.value;
    }
    return std::nullopt;
}

// Cases of a table-backed enumeration can be QHash keys and QSet members.
template <typename E>
    requires(std::is_enum_v<E> && requires { EnumTraits<E>::rows; })
constexpr size_t qHash(E value, size_t seed = 0) noexcept
{
    return qHash(static_cast<std::underlying_type_t<E>>(value), seed);
}
