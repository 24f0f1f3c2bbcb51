#pragma once

#include "SystemListKeys.h"

#include <array>
#include <vector>

// Rows of the system list in each of its three orders, and each row's place in
// them. An order is sorted the first time it is asked for, or taken as sorted
// elsewhere, and from then on kept as rows come, change and go: a new order walks
// its rows, a changed row finds its new place by comparing whole numbers, and a
// change of one row costs a few moves of whole numbers per kept order, never a sort.
// Orders not asked for yet cost nothing.
class SystemListOrders
{
public:
    // Whether one row of `entries` comes before another in an order by a name, as
    // SystemListKeys::comesBefore tells, with the names copied side by side: sorting
    // then reads far less memory than comparing whole entries, and reads a row's
    // entry only where two names sort alike. The entries hold the name.
    class ByName
    {
    public:
        ByName(SystemSort order, const std::vector<SystemListKeys> &entries);
        bool operator()(int a, int b) const;

    private:
        const std::vector<SystemListKeys> *m_entries;
        std::vector<SystemListSortName> m_names;
    };

    // Forgets every order: the rows are new.
    void reset();
    bool isSorted(SystemSort order) const { return m_orders[index(order)].sorted; }
    // Sorts the rows of `entries` in `order`; they hold the name it sorts by.
    void sort(SystemSort order, const std::vector<SystemListKeys> &entries);
    // Takes `rows`, some of the rows of `entries` already in `order`, as that order,
    // each row missing from them merged in at its place. The entries hold the name
    // `order` sorts by.
    void adopt(SystemSort order, const std::vector<SystemListKeys> &entries, std::vector<int> rows);

    // The entry of `row` changed. In each sorted order it holds the name the order
    // sorts by, as every entry does; so do new entries.
    void changed(const std::vector<SystemListKeys> &entries, int row);
    // Rows from `first` on were inserted.
    void inserted(const std::vector<SystemListKeys> &entries, int first, int count);
    // The row went; the later rows moved up one place.
    void removed(int row);

    // The rows in this sorted order.
    const std::vector<int> &rows(SystemSort order) const { return m_orders[index(order)].rows; }
    // The row's place in this sorted order.
    int rank(SystemSort order, int row) const { return m_orders[index(order)].rankOf[std::size_t(row)]; }

private:
    struct Order
    {
        bool sorted = false;
        std::vector<int> rows;
        std::vector<int> rankOf; // by row
    };

    static std::size_t index(SystemSort order) { return std::size_t(order); }
    static void rank(Order &order, std::size_t from, std::size_t to);
    // The rows of `entries` in `order`; they hold the name it sorts by.
    static std::vector<int> sortedRows(SystemSort order, const std::vector<SystemListKeys> &entries);
    // Merges `added`, rows not in the order yet, into it at their places.
    static void mergeIn(SystemSort sort, Order &order, const std::vector<SystemListKeys> &entries,
                        std::vector<int> added);

    std::array<Order, 3> m_orders;
};
