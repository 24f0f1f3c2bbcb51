#include "SystemListOrders.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::array<SystemSort, 3> kOrders{SystemSort::coordinates, SystemSort::name, SystemSort::mainWorld};

} // namespace

void SystemListOrders::rank(Order &order, std::size_t from, std::size_t to)
{
    for (std::size_t place = from; place < to; ++place)
        order.rankOf[std::size_t(order.rows[place])] = int(place);
}

void SystemListOrders::reset(const std::vector<SystemListEntry> &entries)
{
    for (const SystemSort sort : kOrders) {
        Order &order = m_orders[index(sort)];
        order.rows.resize(entries.size());
        std::iota(order.rows.begin(), order.rows.end(), 0);
        std::sort(order.rows.begin(), order.rows.end(), [&](int a, int b) {
            return SystemListEntry::comesBefore(sort, entries[std::size_t(a)], a, entries[std::size_t(b)], b);
        });
        order.rankOf.resize(entries.size());
        rank(order, 0, order.rows.size());
    }
}

void SystemListOrders::changed(const std::vector<SystemListEntry> &entries, int row)
{
    const SystemListEntry &entry = entries[std::size_t(row)];
    for (const SystemSort sort : kOrders) {
        Order &order = m_orders[index(sort)];
        const std::size_t old = std::size_t(order.rankOf[std::size_t(row)]);
        order.rows.erase(order.rows.begin() + std::ptrdiff_t(old));
        const auto place = std::partition_point(order.rows.begin(), order.rows.end(), [&](int other) {
            return SystemListEntry::comesBefore(sort, entries[std::size_t(other)], other, entry, row);
        });
        const std::size_t now = std::size_t(place - order.rows.begin());
        order.rows.insert(place, row);
        // Only the rows between the old place and the new one moved.
        rank(order, std::min(old, now), std::max(old, now) + 1);
    }
}

void SystemListOrders::inserted(const std::vector<SystemListEntry> &entries, int first, int count)
{
    for (const SystemSort sort : kOrders) {
        Order &order = m_orders[index(sort)];
        for (int &row : order.rows) {
            if (row >= first)
                row += count;
        }
        const auto before = [&](int a, int b) {
            return SystemListEntry::comesBefore(sort, entries[std::size_t(a)], a, entries[std::size_t(b)], b);
        };
        std::vector<int> added(static_cast<std::size_t>(count));
        std::iota(added.begin(), added.end(), first);
        std::sort(added.begin(), added.end(), before);
        // Each new row finds its place by a binary search from the last one's: far
        // fewer comparisons of names than a merge of all rows.
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
        order.rankOf.resize(order.rows.size());
        rank(order, 0, order.rows.size());
    }
}

void SystemListOrders::removed(int row)
{
    for (Order &order : m_orders) {
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
