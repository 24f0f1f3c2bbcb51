#include "UniverseFollower.h"

#include "universe/UniverseManager.h"

UniverseFollower::UniverseFollower(UniverseManager *manager, QObject *parent)
    : QObject(parent), m_manager(manager)
{
    if (!manager)
        return;
    connect(manager, &UniverseManager::currentChanged, this, [this] {
        follow();
        emit universeChanged();
    });
    follow();
}

StarfarerUniverse *UniverseFollower::universe() const
{
    return m_manager ? m_manager->current() : nullptr;
}

void UniverseFollower::follow()
{
    if (m_followed)
        m_followed->disconnect(this);
    m_followed = universe();
    if (!m_followed)
        return;
    connect(m_followed, &StarfarerUniverse::dataChanged, this, &UniverseFollower::universeChanged);
    connect(m_followed, &StarfarerUniverse::hexInserted, this,
            [this](const QUuid &, const GalacticCoordinates &at) { emit hexChanged(at); });
    connect(m_followed, &StarfarerUniverse::hexReplaced, this,
            [this](const QUuid &, const GalacticCoordinates &from, const GalacticCoordinates &to) {
                emit hexChanged(from);
                if (to != from)
                    emit hexChanged(to);
            });
    connect(m_followed, &StarfarerUniverse::hexRemoved, this,
            [this](const QUuid &, const GalacticCoordinates &at) { emit hexChanged(at); });
}
