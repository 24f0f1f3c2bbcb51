#pragma once

#include <QObject>
#include <QUuid>

#include <chrono>

class UniverseManager;

// What the universe store tells while this object lives, heard through its signals
// only: each universe it made current, and when an opening last ended (the file read,
// the universe about to be made current).
class StoreWatch : public QObject
{
public:
    explicit StoreWatch(const UniverseManager &manager);

    std::chrono::steady_clock::time_point lastOpeningEndedAt() const { return m_openingEndedAt; }

    // Runs the event loop until the store made a universe current other than `left`
    // since this object was made; false when it did not within two minutes.
    bool runUntilCurrentOtherThan(const QUuid &left) const;
    // The same until it made `id` current.
    bool runUntilCurrentIs(const QUuid &id) const;

private:
    int m_currentChanges = 0;
    // The universe made current last; null before any.
    QUuid m_lastCurrent;
    std::chrono::steady_clock::time_point m_openingEndedAt;
};
