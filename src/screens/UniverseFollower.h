#pragma once

#include "model/GalacticCoordinates.h"

#include <QObject>
#include <QPointer>

class StarfarerUniverse;
class UniverseManager;

// Keeps a window that outlives universes on the store's open one. The window reads
// universe() whenever it refreshes, so it never holds a closed document, and
// refreshes on the two signals: universeChanged when another universe opens, the
// open one's hexes are replaced as a whole or its rules turn, hexChanged for each hex
// inserted, replaced (at its old and its new coordinates) or removed.
class UniverseFollower : public QObject
{
    Q_OBJECT

public:
    explicit UniverseFollower(UniverseManager *manager, QObject *parent = nullptr);

    // The open universe; null once the store is gone.
    StarfarerUniverse *universe() const;

signals:
    void universeChanged();
    void hexChanged(const GalacticCoordinates &coordinates);

private:
    void follow();

    QPointer<UniverseManager> m_manager;
    QPointer<StarfarerUniverse> m_followed;
};
