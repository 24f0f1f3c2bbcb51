#pragma once

#include "StarfarerUniverse.h"

#include <QList>

#include <functional>

// One change of a map object of kind T as a listener sees it: the element before and
// after a per-id change (an insert has nothing before, a removal nothing after) with
// its position in the list (before an insert moved the later ones up, or a removal
// down), or neither when the whole list was set.
template <typename T> struct ObjectChange
{
    const T *before = nullptr;
    const T *after = nullptr;
    qsizetype position = -1;

    bool isWholeList() const { return !before && !after; }
};

// Funnels the document's change signals for listeners that care about places, or
// about one kind of map object, whatever operation made the change. Connections end
// with `context`.
namespace UniverseChanges {

// Calls `changedAt` with the coordinates of the systems that came, changed (their old
// and new coordinates) or went — a batch insert in one call — and `changedAll` when
// the whole list of systems was set.
void onHexes(const StarfarerUniverse *universe, const QObject *context,
             std::function<void(const QList<GalacticCoordinates> &)> changedAt,
             std::function<void()> changedAll);

// Calls `changed` when systems came, changed or went at any of the places `watched`
// names at that moment, or when the whole list of systems was set: for views that
// show what stands at a few hexes.
void onHexesAt(const StarfarerUniverse *universe, const QObject *context,
               std::function<QList<GalacticCoordinates>()> watched, std::function<void()> changed);

// Calls `changed` with an ObjectChange<T> for every change of the map objects of
// kind T. Elements appended together reach `appendedTogether` in one call (their
// first position and count) when it is given, else `changed` one by one.
template <typename T, typename Changed>
void onObjects(const StarfarerUniverse *universe, const QObject *context, Changed changed,
               std::function<void(qsizetype first, qsizetype count)> appendedTogether = {})
{
    using Traits = MapObjectTraits<T>;
    QObject::connect(universe, Traits::inserted, context, [changed](qsizetype position, const T &added) {
        changed(ObjectChange<T>{nullptr, &added, position});
    });
    QObject::connect(universe, Traits::replaced, context,
                     [changed](qsizetype position, const T &before, const T &after) {
                         changed(ObjectChange<T>{&before, &after, position});
                     });
    QObject::connect(universe, Traits::removed, context, [changed](qsizetype position, const T &gone) {
        changed(ObjectChange<T>{&gone, nullptr, position});
    });
    QObject::connect(universe, Traits::changed, context, [changed] { changed(ObjectChange<T>{}); });
    QObject::connect(universe, Traits::insertedTogether, context,
                     [universe, changed, appendedTogether](qsizetype first, qsizetype count) {
                         if (appendedTogether) {
                             appendedTogether(first, count);
                             return;
                         }
                         const QList<T> &list = universe->objects<T>();
                         for (qsizetype i = first; i < first + count; ++i)
                             changed(ObjectChange<T>{nullptr, &list[i], i});
                     });
}

} // namespace UniverseChanges
