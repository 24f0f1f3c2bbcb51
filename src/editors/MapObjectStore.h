#pragma once

#include "universe/StarfarerUniverse.h"

#include <QList>
#include <QUuid>

#include <algorithm>
#include <functional>

// The writes of the list screens and editors, the same for every kind of map object.
// Each changes the universe's list through its per-id operations, so that listeners
// update only the element that changed, and saves the universe at once; the outcome
// of the save arrives through the universe's signals.
namespace MapObjectStore {

// Removes every element with this id, then saves. The id is a copy: a caller may name
// it from inside the list it empties.
template <typename T> void removeWithID(StarfarerUniverse &universe, QUuid id)
{
    while (universe.removeObject<T>(id)) {
    }
    universe.save();
}

// The positions from the last to the first, each once: removed in that order, the
// positions still to go stay where they were.
inline QList<qsizetype> lastFirst(QList<qsizetype> positions)
{
    std::sort(positions.begin(), positions.end(), std::greater<>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

// Removes the elements at these positions of a list; positions out of range or
// repeated are ignored.
template <typename T> void removePositions(QList<T> &elements, const QList<qsizetype> &positions)
{
    for (const qsizetype position : lastFirst(positions)) {
        if (position >= 0 && position < elements.size())
            elements.removeAt(position);
    }
}

// Removes the elements at these positions of the universe's list (positions out of
// range or repeated are ignored), then saves.
template <typename T> void removeAt(StarfarerUniverse &universe, const QList<qsizetype> &positions)
{
    for (const qsizetype position : lastFirst(positions))
        universe.removeObjectAt<T>(position);
    universe.save();
}

enum class Outcome { replaced, appended };

// Writes an element built by an editor: when `editing` and an element with its id is
// stored, the first such element is replaced in place; otherwise it is appended at
// the end. Then saves. Finding by id means a save can never leave two elements with
// one id behind.
template <typename T> Outcome store(StarfarerUniverse &universe, const T &built, bool editing)
{
    Outcome outcome = Outcome::replaced;
    if (!editing || !universe.replaceObject(built)) {
        universe.insertObject(built);
        outcome = Outcome::appended;
    }
    universe.save();
    return outcome;
}

// Stores an editor's element and moves the editor on: after a replace the stored
// element becomes the one being edited; after an append `reset` empties the form.
template <typename T, typename Reset>
Outcome storeFromEditor(StarfarerUniverse &universe, const T &built, std::optional<T> &editing, Reset reset)
{
    const Outcome outcome = store(universe, built, editing.has_value());
    if (outcome == Outcome::replaced)
        editing = built;
    else
        reset();
    return outcome;
}

} // namespace MapObjectStore
