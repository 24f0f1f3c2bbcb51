// The system list's coordinate order, which sorts places packed into whole numbers
// when every place fits and keeps its rows in place as they change.
#include "screens/SystemListOrders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

namespace {

// Values of a place's parts: sector X, sector Y, subsector, column, row.
using PartValues = std::array<std::vector<qint64>, 5>;

// An entry for every place whose parts take the values given for them.
std::vector<SystemListKeys> everyPlace(const PartValues &values)
{
    std::vector<SystemListKeys> entries(1);
    for (std::size_t part = 0; part < values.size(); ++part) {
        std::vector<SystemListKeys> grown;
        for (const SystemListKeys &entry : entries) {
            for (const qint64 value : values[part]) {
                SystemListKeys &made = grown.emplace_back(entry);
                GalacticCoordinates &at = made.coordinates;
                qint64 *const parts[] = {&at.sectorX, &at.sectorY, &made.subsectorIndex, &at.column, &at.row};
                *parts[part] = value;
            }
        }
        entries = std::move(grown);
    }
    return entries;
}

// The rows in the plain order of their places, equal places by row.
void expectPlaceOrder(const SystemListOrders &orders, const std::vector<SystemListKeys> &entries)
{
    std::vector<int> expected(entries.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::sort(expected.begin(), expected.end(), [&](int a, int b) {
        return entries[std::size_t(a)].place(a) < entries[std::size_t(b)].place(b);
    });
    ASSERT_EQ(orders.rows(SystemSort::coordinates), expected);
    for (std::size_t place = 0; place < expected.size(); ++place)
        ASSERT_EQ(orders.rank(SystemSort::coordinates, expected[place]), int(place));
}

} // namespace

// Every place whose parts lie at the very ends of what their packed fields hold, then
// with places one past each end of each part in turn (so that the list no longer
// packs); rows changed, added and removed one at a time and the whole list at once:
// the order is always the plain order of the places.
TEST(SystemListOrders, CoordinateOrderAtThePackedEndsIsThePlainOrderOfPlaces)
{
    const PartValues inside{
        {{-32768, -1, 0, 32767}, {-32768, 0, 1, 32767}, {0, 1, 255}, {0, 1, 4095}, {0, 1, 4095}}};
    const PartValues past{{{-32769, 32768}, {-32769, 32768}, {-1, 256}, {-1, 4096}, {-1, 4096}}};
    std::mt19937 random(47);
    const auto below = [&](std::size_t count) { return std::size_t(random() % count); };
    // The first run has every place inside; each other run adds those one past one end.
    std::vector<std::vector<SystemListKeys>> runs{everyPlace(inside)};
    for (std::size_t part = 0; part < past.size(); ++part) {
        for (const qint64 value : past[part]) {
            PartValues beyond = inside;
            beyond[part] = {value};
            runs.push_back(everyPlace(beyond));
            runs.back().insert(runs.back().end(), runs[0].begin(), runs[0].end());
        }
    }
    for (std::size_t run = 0; run < runs.size(); ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        std::vector<SystemListKeys> entries = runs[run];
        std::shuffle(entries.begin(), entries.end(), random);
        const std::vector<SystemListKeys> places = entries;
        SystemListOrders orders;
        orders.sort(SystemSort::coordinates, entries);
        expectPlaceOrder(orders, entries);
        for (int step = 0; step < 60 && !testing::Test::HasFatalFailure(); ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            const std::size_t action = below(3), row = below(entries.size());
            if (action == 0) {
                entries.erase(entries.begin() + std::ptrdiff_t(row));
                orders.removed(int(row));
            } else if (action == 1) {
                const std::size_t count = 1 + below(3);
                for (std::size_t i = 0; i < count; ++i)
                    entries.insert(entries.begin() + std::ptrdiff_t(row), places[below(places.size())]);
                orders.inserted(entries, int(row), int(count));
            } else {
                entries[row] = places[below(places.size())];
                orders.changed(entries, int(row));
            }
            expectPlaceOrder(orders, entries);
        }
        // The whole list at once: sorted anew, and added to an empty sorted list.
        orders.reset();
        orders.sort(SystemSort::coordinates, entries);
        expectPlaceOrder(orders, entries);
        SystemListOrders added;
        added.sort(SystemSort::coordinates, {});
        added.inserted(entries, 0, int(entries.size()));
        expectPlaceOrder(added, entries);
    }
}
