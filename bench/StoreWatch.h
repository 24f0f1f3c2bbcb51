#pragma once

#include <QObject>
#include <QUuid>

#include <chrono>

class UniverseManager;

// What the universe store tells while this object lives, heard through its signals
// only: each universe it made current (the last one, and when), how often its list of
// universes changed, and how often the universe being opened did (and when an opening
// last ended: the file read, the universe about to be made current).
class StoreWatch : public QObject
{
public:
    explicit StoreWatch(const UniverseManager &manager);

    int currentChanges() const { return m_currentChanges; }
    // The universe made current last, and when; null before any.
    const QUuid &lastCurrent() const { return m_lastCurrent; }
    std::chrono::steady_clock::time_point lastCurrentAt() const { return m_lastCurrentAt; }
    int headersChanges() const { return m_headersChanges; }
    int openingChanges() const { return m_openingChanges; }
    std::chrono::steady_clock::time_point lastOpeningEndedAt() const { return m_openingEndedAt; }

    // Runs the event loop until the store made a universe current other than `left`
    // since this object was made; false when it did not within two minutes.
    bool runUntilCurrentOtherThan(const QUuid &left) const;
    // The same until it made `id` current.
    bool runUntilCurrentIs(const QUuid &id) const;

private:
    int m_currentChanges = 0;
    QUuid m_lastCurrent;
    std::chrono::steady_clock::time_point m_lastCurrentAt;
    int m_headersChanges = 0;
    int m_openingChanges = 0;
    std::chrono::steady_clock::time_point m_openingEndedAt;
};
