#pragma once

#include "MapObjectListSource.h"
#include "MapObjectStore.h"
#include "universe/UniverseChanges.h"

#include <functional>

// The list source of one kind of map object: every element of its list, in stored
// order, each made into a row by the screen's row function. Any change of the list
// tells the screen, which updates only the rows that differ.
template <typename T> class UniverseListSource : public MapObjectListSource
{
public:
    // A row shows the element alone, so that a change of another element or of the
    // systems never leaves it stale.
    using RowMaker = std::function<MapObjectRow(const T &)>;

    UniverseListSource(StarfarerUniverse &universe, MapObjectListTexts texts, RowMaker makeRow,
                       QObject *parent = nullptr)
        : MapObjectListSource(universe, parent), m_texts(std::move(texts)), m_makeRow(std::move(makeRow))
    {
        // Elements appended together (an import) tell the screen once.
        UniverseChanges::onObjects<T>(
            &universe, this, [this](const ObjectChange<T> &) { emit changed(); },
            [this](qsizetype, qsizetype) { emit changed(); });
    }

    MapObjectListTexts texts() const override { return m_texts; }

    QList<MapObjectRow> rows() const override
    {
        QList<MapObjectRow> rows;
        const QList<T> &elements = universe().template objects<T>();
        rows.reserve(elements.size());
        for (qsizetype i = 0; i < elements.size(); ++i) {
            MapObjectRow row = m_makeRow(elements.at(i));
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
