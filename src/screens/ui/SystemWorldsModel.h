#pragma once

#include "WorldRowView.h"
#include "model/StarSystem.h"

#include <QAbstractListModel>
#include <QList>

// The list under a system's worlds tile: for each star in order, a heading (only
// when the system has two or more stars) and then the star's worlds, each planet
// followed by its moons.
class SystemWorldsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { HeadingRole = Qt::UserRole + 1, WorldIdRole };

    struct Entry
    {
        bool heading = false;
        bool companion = false; // a heading of a star other than the primary
        QString headingText;
        WorldRowView row;
    };

    explicit SystemWorldsModel(QObject *parent = nullptr);

    void setStarSystem(const StarSystem &starSystem, bool compact);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The entry at `row`; null outside the list.
    const Entry *entry(int row) const;

    // A star's worlds by star orbit, the primary's place first; within one orbit the
    // planet ("0") before its moons ("A" to "Z"); equal keys keep their stored order.
    static QList<WorldData> orderedWorlds(const Star &star);
    // The widest profile line among the system's bodies, in characters.
    static int profileWidth(const StarSystem &starSystem);

private:
    QList<Entry> m_entries;
};
