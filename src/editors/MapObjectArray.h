#pragma once

#include "universe/StarfarerUniverse.h"

#include <QList>
#include <QUuid>

#include <algorithm>
#include <optional>

// Which array of the universe holds each kind of map object, how it is read and
// written, and the signal that tells it changed. The list screens and editors reach
// the universe only through this, so one set of rules serves every kind.
template <typename T> struct MapObjectArray;

template <> struct MapObjectArray<Faction>
{
    static const QList<Faction> &get(const StarfarerUniverse &u) { return u.factions(); }
    static void set(StarfarerUniverse &u, const QList<Faction> &v) { u.setFactions(v); }
    static constexpr auto changed = &StarfarerUniverse::factionsChanged;
};

template <> struct MapObjectArray<FactionList>
{
    static const QList<FactionList> &get(const StarfarerUniverse &u) { return u.factionLists(); }
    static void set(StarfarerUniverse &u, const QList<FactionList> &v) { u.setFactionLists(v); }
    static constexpr auto changed = &StarfarerUniverse::factionListsChanged;
};

template <> struct MapObjectArray<Rutter>
{
    static const QList<Rutter> &get(const StarfarerUniverse &u) { return u.rutters(); }
    static void set(StarfarerUniverse &u, const QList<Rutter> &v) { u.setRutters(v); }
    static constexpr auto changed = &StarfarerUniverse::ruttersChanged;
};

template <> struct MapObjectArray<Region>
{
    static const QList<Region> &get(const StarfarerUniverse &u) { return u.regions(); }
    static void set(StarfarerUniverse &u, const QList<Region> &v) { u.setRegions(v); }
    static constexpr auto changed = &StarfarerUniverse::regionsChanged;
};

template <> struct MapObjectArray<StarmapLabel>
{
    static const QList<StarmapLabel> &get(const StarfarerUniverse &u) { return u.starmapLabels(); }
    static void set(StarfarerUniverse &u, const QList<StarmapLabel> &v) { u.setStarmapLabels(v); }
    static constexpr auto changed = &StarfarerUniverse::starmapLabelsChanged;
};

template <> struct MapObjectArray<Nebula>
{
    static const QList<Nebula> &get(const StarfarerUniverse &u) { return u.nebulae(); }
    static void set(StarfarerUniverse &u, const QList<Nebula> &v) { u.setNebulae(v); }
    static constexpr auto changed = &StarfarerUniverse::nebulaeChanged;
};

// The writes of the list screens and editors. Each changes one array and saves the
// universe at once; the outcome of the save arrives through the universe's signals.
namespace MapObjectStore {

// The first stored element with this id.
template <typename T> std::optional<T> find(const StarfarerUniverse &universe, const QUuid &id)
{
    for (const T &element : MapObjectArray<T>::get(universe)) {
        if (element.id == id)
            return element;
    }
    return std::nullopt;
}

// Removes every element with this id, then saves.
template <typename T> void removeWithID(StarfarerUniverse &universe, const QUuid &id)
{
    QList<T> elements = MapObjectArray<T>::get(universe);
    elements.removeIf([&id](const T &element) { return element.id == id; });
    MapObjectArray<T>::set(universe, elements);
    universe.save();
}

// Removes the elements at these positions of the array (positions out of range are
// ignored), then saves.
template <typename T> void removeAt(StarfarerUniverse &universe, QList<qsizetype> positions)
{
    QList<T> elements = MapObjectArray<T>::get(universe);
    std::sort(positions.begin(), positions.end(), std::greater<>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (const qsizetype position : positions) {
        if (position >= 0 && position < elements.size())
            elements.removeAt(position);
    }
    MapObjectArray<T>::set(universe, elements);
    universe.save();
}

enum class Outcome { replaced, appended };

// Writes an element built by an editor: when `editing` and an element with its id is
// stored, the first such element is replaced in place; otherwise it is appended at
// the end. Then saves. Finding by id means a save can never leave two elements with
// one id behind.
template <typename T> Outcome store(StarfarerUniverse &universe, const T &built, bool editing)
{
    QList<T> elements = MapObjectArray<T>::get(universe);
    Outcome outcome = Outcome::appended;
    const auto stored = editing ? std::find_if(elements.begin(), elements.end(),
                                               [&built](const T &element) { return element.id == built.id; })
                                : elements.end();
    if (stored != elements.end()) {
        *stored = built;
        outcome = Outcome::replaced;
    } else {
        elements.append(built);
    }
    MapObjectArray<T>::set(universe, elements);
    universe.save();
    return outcome;
}

// The save of an editor's working copy: stores `built` as above; after a replace it
// becomes the element being edited, after an append the form is reset.
template <typename T, typename Reset>
Outcome storeEdited(StarfarerUniverse &universe, const T &built, std::optional<T> &editing, Reset resetForm)
{
    const Outcome outcome = store(universe, built, editing.has_value());
    if (outcome == Outcome::replaced)
        editing = built;
    else
        resetForm();
    return outcome;
}

} // namespace MapObjectStore
