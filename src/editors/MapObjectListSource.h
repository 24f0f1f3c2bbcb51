#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

class StarfarerUniverse;

// What a list screen shows of one element: an optional colour dot, a title line and
// smaller detail lines under it. `position` is the element's place in the
// universe's array.
struct MapObjectRow
{
    QUuid id;
    qsizetype position = 0;
    std::optional<QColor> dot;
    QString title;
    QStringList details;

    friend bool operator==(const MapObjectRow &, const MapObjectRow &) = default;
};

// The texts of a list screen that depend on nothing but its kind.
struct MapObjectListTexts
{
    QString sectionTitle;
    QString newRow;    // the last row, which opens the create form
    QString emptyText; // the list's one line when there is nothing to show
    bool swipeDelete = true;

    friend bool operator==(const MapObjectListTexts &, const MapObjectListTexts &) = default;
};

// One array of the universe as a list screen sees it: its rows, its texts and its
// deletes. It tells the screen when the rows may have changed. Kept free of widgets
// so that screens with filters (rutters) refine it by overriding rows() and the
// texts.
class MapObjectListSource : public QObject
{
    Q_OBJECT

public:
    MapObjectListSource(StarfarerUniverse &universe, QObject *parent = nullptr)
        : QObject(parent), m_universe(universe)
    {}

    StarfarerUniverse &universe() const { return m_universe; }

    virtual MapObjectListTexts texts() const = 0;
    // The rows shown, in the array's order.
    virtual QList<MapObjectRow> rows() const = 0;
    // "Delete" of a row's context menu: every element with this id; saves.
    virtual void removeWithID(const QUuid &id) = 0;
    // The swipe delete: the elements at these positions of the array; saves.
    virtual void removeAt(const QList<qsizetype> &positions) = 0;

signals:
    // The rows or the texts may have changed.
    void changed();

private:
    StarfarerUniverse &m_universe;
};
