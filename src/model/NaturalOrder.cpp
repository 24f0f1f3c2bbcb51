#include "NaturalOrder.h"

#include <QCollator>

namespace {

qsizetype runEnd(QStringView text, qsizetype from, bool digits)
{
    while (from < text.size() && text[from].isDigit() == digits)
        ++from;
    return from;
}

// Compares two runs of decimal digits by value, without converting them (a run may
// be longer than any integer type).
int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == u'0')
        a = a.sliced(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.sliced(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

int naturalCompare(QStringView a, QStringView b)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = a[i].isDigit(), digitB = b[j].isDigit();
        const qsizetype endA = runEnd(a, i, digitA), endB = runEnd(b, j, digitB);
        const QStringView runA = a.sliced(i, endA - i), runB = b.sliced(j, endB - j);
        int order;
        if (digitA && digitB) {
            order = compareNumbers(runA, runB);
        } else {
            order = collator.compare(runA, runB);
            if (order == 0)
                order = runA.compare(runB, Qt::CaseInsensitive);
        }
        if (order != 0)
            return order < 0 ? -1 : 1;
        i = endA;
        j = endB;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}
