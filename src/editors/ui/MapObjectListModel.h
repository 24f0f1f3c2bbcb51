#pragma once

#include "editors/MapObjectListSource.h"

#include <QAbstractListModel>

#include <optional>

// The rows of a list screen: one per element of the source, or the one line of the
// empty text when there is none, then the "New <Thing>" row. Everything a row shows
// is in its data roles, for the delegate. When the source changes, only the rows
// that differ are removed, inserted or repainted, so the selection stays put.
class MapObjectListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum class Kind { element, empty, create };
    enum Role {
        KindRole = Qt::UserRole + 1,
        IdRole,
        PositionRole,
        DetailsRole, // QStringList
        DotRole,     // QColor, absent when the row has no dot
    };

    explicit MapObjectListModel(MapObjectListSource &source, QObject *parent = nullptr);
    // The rows are freed on a worker thread: thousands of them take frames.
    ~MapObjectListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    Kind kind(int row) const;
    // The row of the element with this id, or of the "New" row; -1 when none.
    int rowOf(const QUuid &id) const;
    int createRow() const { return rowCount() - 1; }

    // While the list is off screen its rows need not follow every change of the
    // source: a held model only notes that the source changed, and catches up in one
    // reload when let go. An import that stores thousands of objects then costs a
    // hidden list nothing until it shows again.
    void hold() { m_held = true; }
    // Catches up with the source if it changed while held; returns whether it did.
    bool release();
    bool isHeld() const { return m_held; }

private:
    void sourceChanged();
    void reload();
    // The element rows, or the one empty row (none) when there is no element.
    static QList<std::optional<MapObjectRow>> shownRows(const QList<MapObjectRow> &rows);

    MapObjectListSource &m_source;
    QList<std::optional<MapObjectRow>> m_shown; // all rows but the "New" row
    MapObjectListTexts m_texts;
    bool m_held = false;
    bool m_stale = false; // the source changed while held
};
