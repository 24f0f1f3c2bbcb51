#include "SystemListOrders.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>

namespace {

constexpr std::array<SystemSort, 3> kOrders{SystemSort::coordinates, SystemSort::name, SystemSort::mainWorld};

// A place packed into one whole number that orders as the place does, when its
// parts fit: sectors within ±32,768, subsector indexes below 256, columns and rows
// below 4,096 — every hex of a universe but those stored far outside any sector.
std::optional<quint64> packedPlace(const SystemListKeys &entry)
{
    const GalacticCoordinates &at = entry.coordinates;
    const auto fits = [](qint64 value, qint64 from, qint64 to) { return value >= from && value < to; };
    if (!fits(at.sectorX, -32768, 32768) || !fits(at.sectorY, -32768, 32768) ||
        !fits(entry.subsectorIndex, 0, 256) || !fits(at.column, 0, 4096) || !fits(at.row, 0, 4096))
        return std::nullopt;
    return quint64(at.sectorX + 32768) << 48 | quint64(at.sectorY + 32768) << 32 |
           quint64(entry.subsectorIndex) << 24 | quint64(at.column) << 12 | quint64(at.row);
}

// Sorts `rows` in coordinate order by packed places, equal places by row; false,
// with `rows` untouched, when a place does not pack.
bool sortPacked(std::vector<int> &rows, const std::vector<SystemListKeys> &entries)
{
    std::vector<std::pair<quint64, int>> places;
    places.reserve(entries.size());
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const std::optional<quint64> packed = packedPlace(entries[row]);
        if (!packed)
            return false;
        places.emplace_back(*packed, int(row));
    }
    std::sort(places.begin(), places.end());
    for (std::size_t place = 0; place < places.size(); ++place)
        rows[place] = places[place].second;
    return true;
}

} // namespace

void SystemListOrders::rank(Order &order, std::size_t from, std::size_t to)
{
    for (std::size_t place = from; place < to; ++place)
        order.rankOf[std::size_t(order.rows[place])] = int(place);
}

void SystemListOrders::reset()
{
    m_orders = {};
}

SystemListOrders::ByName::ByName(SystemSort order, const std::vector<SystemListKeys> &entries)
    : m_entries(&entries)
{
    const auto member = SystemListKeys::sortName(order);
    m_names.reserve(entries.size());
    for (const SystemListKeys &entry : entries)
        m_names.push_back(*(entry.*member));
}

bool SystemListOrders::ByName::operator()(int a, int b) const
{
    const std::vector<SystemListKeys> &entries = *m_entries;
    return SystemListKeys::comesBefore(m_names[std::size_t(a)], entries[std::size_t(a)], a,
                                       m_names[std::size_t(b)], entries[std::size_t(b)], b);
}

std::vector<int> SystemListOrders::sortedRows(SystemSort sort, const std::vector<SystemListKeys> &entries)
{
    std::vector<int> rows(entries.size());
    if (SystemListKeys::sortName(sort)) {
        const ByName before(sort, entries);
        std::iota(rows.begin(), rows.end(), 0);
        std::sort(rows.begin(), rows.end(), std::cref(before));
    } else if (!sortPacked(rows, entries)) {
        // The places side by side: sorting them reads far less memory than comparing
        // whole entries through their rows.
        std::vector<SystemListKeys::Place> places;
        places.reserve(entries.size());
        for (std::size_t row = 0; row < entries.size(); ++row)
            places.push_back(entries[row].place(int(row)));
        std::sort(places.begin(), places.end());
        for (std::size_t place = 0; place < places.size(); ++place)
            rows[place] = std::get<5>(places[place]);
    }
    return rows;
}

void SystemListOrders::sort(SystemSort sort, const std::vector<SystemListKeys> &entries)
{
    adopt(sort, entries, sortedRows(sort, entries));
}

void SystemListOrders::adopt(SystemSort sort, const std::vector<SystemListKeys> &entries,
                             std::vector<int> rows)
{
    Order &order = m_orders[index(sort)];
    order.rows = std::move(rows);
    if (order.rows.size() < entries.size()) {
        std::vector<bool> placed(entries.size());
        for (const int row : order.rows)
            placed[std::size_t(row)] = true;
        std::vector<int> others;
        for (std::size_t row = 0; row < entries.size(); ++row) {
            if (!placed[row])
                others.push_back(int(row));
        }
        mergeIn(sort, order, entries, std::move(others));
    }
    order.rankOf.resize(entries.size());
    rank(order, 0, order.rows.size());
    order.sorted = true;
}

void SystemListOrders::changed(const std::vector<SystemListKeys> &entries, int row)
{
    const SystemListKeys &entry = entries[std::size_t(row)];
    for (const SystemSort sort : kOrders) {
        Order &order = m_orders[index(sort)];
        if (!order.sorted)
            continue;
        const std::size_t old = std::size_t(order.rankOf[std::size_t(row)]);
        order.rows.erase(order.rows.begin() + std::ptrdiff_t(old));
        const auto place = std::partition_point(order.rows.begin(), order.rows.end(), [&](int other) {
            return SystemListKeys::comesBefore(sort, entries[std::size_t(other)], other, entry, row);
        });
        const std::size_t now = std::size_t(place - order.rows.begin());
        order.rows.insert(place, row);
        // Only the rows between the old place and the new one moved.
        rank(order, std::min(old, now), std::max(old, now) + 1);
    }
}

void SystemListOrders::inserted(const std::vector<SystemListKeys> &entries, int first, int count)
{
    for (const SystemSort sort : kOrders) {
        Order &order = m_orders[index(sort)];
        if (!order.sorted)
            continue;
        for (int &row : order.rows) {
            if (row >= first)
                row += count;
        }
        std::vector<int> added(static_cast<std::size_t>(count));
        std::iota(added.begin(), added.end(), first);
        mergeIn(sort, order, entries, std::move(added));
        order.rankOf.resize(order.rows.size());
        rank(order, 0, order.rows.size());
    }
}

void SystemListOrders::mergeIn(SystemSort sort, Order &order, const std::vector<SystemListKeys> &entries,
                               std::vector<int> added)
{
    const auto before = [&](int a, int b) {
        return SystemListKeys::comesBefore(sort, entries[std::size_t(a)], a, entries[std::size_t(b)], b);
    };
    std::sort(added.begin(), added.end(), before);
    // Each new row finds its place by a binary search from the last one's: far fewer
    // comparisons of names than a merge of all rows.
    std::vector<int> merged;
    merged.reserve(order.rows.size() + added.size());
    auto from = order.rows.cbegin();
    for (const int row : added) {
        const auto place =
            std::partition_point(from, order.rows.cend(), [&](int other) { return before(other, row); });
        merged.insert(merged.end(), from, place);
        merged.push_back(row);
        from = place;
    }
    merged.insert(merged.end(), from, order.rows.cend());
    order.rows = std::move(merged);
}

void SystemListOrders::removed(int row)
{
    for (Order &order : m_orders) {
        if (!order.sorted)
            continue;
        const std::size_t place = std::size_t(order.rankOf[std::size_t(row)]);
        order.rows.erase(order.rows.begin() + std::ptrdiff_t(place));
        for (int &later : order.rows) {
            if (later > row)
                --later;
        }
        order.rankOf.erase(order.rankOf.begin() + row);
        rank(order, place, order.rows.size());
    }
}
