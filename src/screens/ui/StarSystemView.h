#pragma once

#include "model/StarSystem.h"
#include "model/WorldData.h"
#include "ui/Tile.h"

#include <QString>

class ElidedLabel;
class QLabel;

// A three-line summary tile of one system: its stars, the orbit and climate of its
// main world, and the main world's kind and prevalent people. Only shows.
class StarSystemView : public Tile
{
    Q_OBJECT

public:
    // Everything the tile writes, computed from the system alone.
    struct Texts
    {
        QString starsLabel;        // "Star:", "B:", "T:" or "Stars:"
        QString classifications;   // "G2-V / M5-V.o3"
        QString starDescription;   // the primary's description, "P: " first for two stars
        QString orbit;             // the main world's orbit number
        QString habitableZoneNote; // "(HZ+2)", empty at offset 0
        QString climate;
        QString type;
        QString people;

        friend bool operator==(const Texts &, const Texts &) = default;
    };

    // `tall` is accepted for the hosts' sake; the layout does not depend on it.
    StarSystemView(const StarSystem &starSystem, bool tall, double viewWidth, QWidget *parent = nullptr);

    void setStarSystem(const StarSystem &starSystem);
    const Texts &texts() const { return m_texts; }

    static Texts texts(const StarSystem &starSystem);
    // The world the orbit, climate and type lines describe: the main world, else the
    // first world, else a fresh default world.
    static WorldData displayedWorld(const StarSystem &starSystem);
    // The climate of `world` judged from the first star's habitable zone; an em dash
    // for a system without stars.
    static QString climateWord(const StarSystem &starSystem, const WorldData &world);

private:
    void showTexts(const Texts &texts);

    Texts m_texts;
    QLabel *m_starsLabel;
    QLabel *m_classifications;
    ElidedLabel *m_starDescription;
    QLabel *m_orbit;
    QLabel *m_habitableZoneNote;
    QLabel *m_climate;
    QLabel *m_type;
    QLabel *m_people;
};
