#pragma once

#include "model/GalacticCoordinates.h"

#include <QAbstractTableModel>
#include <QList>

class StarfarerUniverse;

// The stored systems as the system pickers list them: one row per hex, ordered by
// system name (SystemNames), with two columns, the name ("Unnamed System" for none)
// and the hex label, so that systems of one name are told apart. It holds rows only
// between fill() and clear(), so a picker costs nothing while it is closed.
class SystemEntryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { nameColumn, hexColumn };
    static constexpr int kColumns = 2;
    static constexpr int CoordinatesRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Lists every hex of `universe`, whatever the map's filters hide.
    void fill(const StarfarerUniverse &universe);
    void clear();
    // The row of the first listed hex at `coordinates`, or -1.
    int rowAt(const GalacticCoordinates &coordinates) const;
    // Whether the row's name or hex label holds `text`, letter case ignored (an empty
    // text is held by every row).
    bool matches(int row, const QString &text) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Entry
    {
        QString name;
        QString hex;
        GalacticCoordinates coordinates;
    };
    QList<Entry> m_entries;
};
