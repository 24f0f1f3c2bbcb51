#pragma once

#include "SystemListEntry.h"

#include <array>
#include <vector>

// Every row of the system list in each of its three orders, and each row's place in
// them, kept as rows come, change and go. Sorting the shown rows then needs no
// comparison of names at all: a new order walks its rows, and a changed row finds its
// new place by comparing whole numbers. A change of one row costs a few moves of
// whole numbers per order, never a sort.
class SystemListOrders
{
public:
    // The rows of `entries` sorted afresh.
    void reset(const std::vector<SystemListEntry> &entries);
    // The entry of `row` changed.
    void changed(const std::vector<SystemListEntry> &entries, int row);
    // Rows from `first` on were inserted.
    void inserted(const std::vector<SystemListEntry> &entries, int first, int count);
    // The row went; the later rows moved up one place.
    void removed(int row);

    // The rows in this order.
    const std::vector<int> &rows(SystemSort order) const { return m_orders[index(order)].rows; }
    // The row's place in this order.
    int rank(SystemSort order, int row) const { return m_orders[index(order)].rankOf[std::size_t(row)]; }

private:
    struct Order
    {
        std::vector<int> rows;
        std::vector<int> rankOf; // by row
    };

    static std::size_t index(SystemSort order) { return std::size_t(order); }
    static void rank(Order &order, std::size_t from, std::size_t to);

    std::array<Order, 3> m_orders;
};
