#pragma once

#include "MapObjectArray.h"
#include "MapObjectListSource.h"

#include <functional>

// The list source of one kind of map object: every element of its array, in stored
// order, each made into a row by the screen's row function. `alsoWatch` names the
// universe signals besides the array's own whose change alters the rows (a faction
// renamed, a system stored).
template <typename T> class UniverseListSource : public MapObjectListSource
{
public:
    using RowMaker = std::function<MapObjectRow(const T &, const StarfarerUniverse &)>;
    using Signal = void (StarfarerUniverse::*)();

    UniverseListSource(StarfarerUniverse &universe, MapObjectListTexts texts, RowMaker makeRow,
                       QList<Signal> alsoWatch = {}, QObject *parent = nullptr)
        : MapObjectListSource(universe, parent), m_texts(std::move(texts)), m_makeRow(std::move(makeRow))
    {
        alsoWatch.append(MapObjectArray<T>::changed);
        for (const Signal watched : alsoWatch)
            connect(&universe, watched, this, &MapObjectListSource::changed);
    }

    MapObjectListTexts texts() const override { return m_texts; }

    QList<MapObjectRow> rows() const override
    {
        QList<MapObjectRow> rows;
        const QList<T> &elements = MapObjectArray<T>::get(universe());
        rows.reserve(elements.size());
        for (qsizetype i = 0; i < elements.size(); ++i) {
            MapObjectRow row = m_makeRow(elements.at(i), universe());
            row.id = elements.at(i).id;
            row.position = i;
            rows.append(row);
        }
        return rows;
    }

    void removeWithID(const QUuid &id) override { MapObjectStore::removeWithID<T>(universe(), id); }
    void removeAt(const QList<qsizetype> &positions) override
    {
        MapObjectStore::removeAt<T>(universe(), positions);
    }

private:
    MapObjectListTexts m_texts;
    RowMaker m_makeRow;
};
