#pragma once

#include <QList>

#include <optional>
#include <utility>

// Which of an import's routes or labels a stored list lacks, worked out on the worker
// that converts the answers, against the universe's list as it stood when they came.
// The answer holds while the universe's list is still that very list: the copy kept
// here shares its storage until either side changes, so sharing it still means
// nothing was added, changed or removed since. Otherwise the apply step works it
// out again against the list as it is then.
template <typename Stored> class PlannedAdditions
{
public:
    PlannedAdditions() = default;
    // `added`: the positions, in the import's list, of the elements `stored` lacks.
    PlannedAdditions(QList<Stored> stored, QList<qsizetype> added)
        : m_stored(std::move(stored)), m_added(std::move(added)), m_planned(true)
    {}

    // The positions planned, when `now` is still the list they were found against.
    std::optional<QList<qsizetype>> holdingFor(const QList<Stored> &now) const
    {
        if (!m_planned || now.size() != m_stored.size() || now.constData() != m_stored.constData())
            return std::nullopt;
        return m_added;
    }

private:
    QList<Stored> m_stored;
    QList<qsizetype> m_added;
    bool m_planned = false;
};
