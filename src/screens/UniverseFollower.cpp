#include "UniverseFollower.h"

#include "universe/UniverseChanges.h"
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
    UniverseChanges::onHexes(
        m_followed, this,
        [this](const QList<GalacticCoordinates> &places) {
            for (const GalacticCoordinates &place : places)
                emit hexChanged(place);
        },
        [this] { emit universeChanged(); });
    // The rules' wording and scales follow the first system.
    connect(m_followed, &StarfarerUniverse::usesTravellerRulesChanged, this,
            &UniverseFollower::universeChanged);
}
