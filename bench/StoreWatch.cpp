#include "StoreWatch.h"

#include "DrivenLoop.h"
#include "universe/UniverseManager.h"

StoreWatch::StoreWatch(const UniverseManager &manager)
{
    connect(&manager, &UniverseManager::currentChanged, this, [this, &manager] {
        ++m_currentChanges;
        m_lastCurrent = manager.current() ? manager.current()->id() : QUuid();
    });
    connect(&manager, &UniverseManager::openingChanged, this, [this, &manager] {
        if (!manager.opening())
            m_openingEndedAt = std::chrono::steady_clock::now();
    });
}

bool StoreWatch::runUntilCurrentOtherThan(const QUuid &left) const
{
    return DrivenLoop::runUntil([&] { return m_currentChanges > 0 && m_lastCurrent != left; });
}

bool StoreWatch::runUntilCurrentIs(const QUuid &id) const
{
    return DrivenLoop::runUntil([&] { return m_currentChanges > 0 && m_lastCurrent == id; });
}
