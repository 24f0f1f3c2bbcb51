#include "UniverseChanges.h"

#include <algorithm>

void UniverseChanges::onHexes(const StarfarerUniverse *universe, const QObject *context,
                              std::function<void(const QList<GalacticCoordinates> &)> changedAt,
                              std::function<void()> changedAll)
{
    using U = StarfarerUniverse;
    QObject::connect(universe, &U::dataChanged, context, changedAll);
    QObject::connect(universe, &U::hexInserted, context,
                     [changedAt](const QUuid &, const GalacticCoordinates &at) { changedAt({at}); });
    QObject::connect(
        universe, &U::hexReplaced, context,
        [changedAt](const QUuid &, const GalacticCoordinates &from, const GalacticCoordinates &to) {
            changedAt(from == to ? QList<GalacticCoordinates>{from} : QList{from, to});
        });
    QObject::connect(universe, &U::hexRemoved, context,
                     [changedAt](const QUuid &, const GalacticCoordinates &at) { changedAt({at}); });
    QObject::connect(universe, &U::hexesInserted, context,
                     [universe, changedAt](qsizetype first, qsizetype count) {
                         QList<GalacticCoordinates> places;
                         places.reserve(count);
                         for (qsizetype i = first; i < first + count; ++i)
                             places.append(universe->data()[i].coordinates);
                         changedAt(places);
                     });
}

void UniverseChanges::onHexesAt(const StarfarerUniverse *universe, const QObject *context,
                                std::function<QList<GalacticCoordinates>()> watched,
                                std::function<void()> changed)
{
    onHexes(
        universe, context,
        [watched, changed](const QList<GalacticCoordinates> &places) {
            const QList<GalacticCoordinates> shown = watched();
            if (std::any_of(places.cbegin(), places.cend(),
                            [&shown](const GalacticCoordinates &place) { return shown.contains(place); }))
                changed();
        },
        changed);
}
