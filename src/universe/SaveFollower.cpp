#include "SaveFollower.h"

#include "StarfarerUniverse.h"

SaveFollower::~SaveFollower()
{
    stop();
}

void SaveFollower::follow(StarfarerUniverse *universe, quint64 request, QObject *context, Told told)
{
    stop();
    m_watch = QObject::connect(
        universe, &StarfarerUniverse::saveStateChanged, context,
        [this, universe = QPointer<StarfarerUniverse>(universe), request, told = std::move(told)] {
            if (!universe)
                return;
            const SaveState state = universe->saveState();
            if (!state.settles(request))
                return;
            if (state.kind != SaveState::Kind::clean) {
                told(state);
                return;
            }
            // The last outcome: the watch ends before it is told.
            const Told last = told;
            stop();
            last(state);
        });
}

void SaveFollower::stop()
{
    QObject::disconnect(m_watch);
    m_watch = {};
}
