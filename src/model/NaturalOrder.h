#pragma once

#include <QCollator>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <numeric>
#include <vector>

// The ordering file managers use for names: letter case ignored, runs of digits
// compared by their value ("World 9" before "world 10"), other text by the current
// locale's collation. One collator serves every comparison; sorting computes each
// name's key once instead of collating the pair at every comparison. It orders what
// is shown, never what is stored.
class NaturalOrder
{
public:
    NaturalOrder();

    // Negative when `a` comes first, zero when equal.
    int compare(QStringView a, QStringView b) const;
    QCollatorSortKey key(const QString &text) const { return m_collator.sortKey(text); }

    // Sorts `items` stably by the text `name(item)` gives.
    template <typename T, typename Name> void sort(QList<T> &items, Name name) const
    {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(items.size());
        for (const T &item : std::as_const(items))
            keys.push_back(key(name(item)));
        std::vector<qsizetype> order(items.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](qsizetype a, qsizetype b) { return keys[a].compare(keys[b]) < 0; });
        QList<T> sorted;
        sorted.reserve(items.size());
        for (qsizetype index : order)
            sorted.append(std::move(items[index]));
        items = std::move(sorted);
    }

private:
    QCollator m_collator;
};

// NaturalOrder's comparison with a collator kept for the calling thread.
int naturalCompare(QStringView a, QStringView b);
