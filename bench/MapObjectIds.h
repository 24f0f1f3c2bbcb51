#pragma once

// The ids of a universe's map objects, to take out again what a benchmark added.

#include "universe/StarfarerUniverse.h"

#include <QList>
#include <QSet>
#include <QUuid>

template <typename T> QSet<QUuid> idsOf(const QList<T> &objects)
{
    QSet<QUuid> ids;
    for (const T &object : objects)
        ids.insert(object.id);
    return ids;
}

// Takes out the map objects of kind T whose ids `kept` lacks, one by one.
template <typename T> void removeAllBut(StarfarerUniverse &universe, const QSet<QUuid> &kept)
{
    for (const T &object : QList<T>(universe.objects<T>())) {
        if (!kept.contains(object.id))
            universe.removeObject<T>(object.id);
    }
}
