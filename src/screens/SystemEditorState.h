#pragma once

#include "model/GalacticCoordinates.h"
#include "model/HexData.h"
#include "model/StarSystem.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

class StarfarerUniverse;

// The system editor's working copies of one stored hex (its system, notes, awareness
// and survey flags, coordinates), the selected world, and the rules that turn them
// into the stored hex. Nothing here touches the universe until commit(); leaving the
// editor simply drops the object. Worlds are always found by their id, so an edit that
// arrives after the worlds were rolled anew can never land on another world.
class SystemEditorState
{
public:
    // The worlds of one star as the world list shows them.
    struct Section
    {
        QString header; // empty for a system with fewer than two stars
        QList<WorldData> worlds;
    };

    explicit SystemEditorState(const HexData &hex);

    const QUuid &originalHexID() const { return m_originalHexID; }

    StarSystem system;
    QString systemNotes;
    bool starfarersAware = false;
    bool satharAware = false;
    bool otherAware = false;
    bool surveyed = false;
    GalacticCoordinates editedCoordinates;
    std::optional<QUuid> selectedWorldID;
    // The other hex standing at the edited coordinates, while the user is asked
    // whether to overwrite it.
    std::optional<HexData> collisionOccupant;

    // The system's name, or the label of the edited coordinates while it has none.
    QString title() const;

    // One section per star in stored order. Each star's worlds are listed by star
    // orbit (P first), a planet before its moons; equal orbits keep their stored order.
    QList<Section> worldSections() const;
    // "Primary — G2-V" for the first star, "Companion — …" for the others.
    static QString sectionHeader(const StarSystem &system, qsizetype starIndex);

    // The selected world as it is in the working system; none when nothing is
    // selected or the id is no longer there.
    std::optional<WorldData> selectedWorld() const;
    // Puts an edited world back in place of the world with its id; an edit of a world
    // that is no longer in the working system is dropped.
    void editWorld(const WorldData &world);

    // Rolls every world but the main world anew from the system's counts and selects
    // the main world.
    void generateWorlds();

    // The hex as it would be stored now.
    HexData editedHex() const;
    // Stores the edited hex unless another hex holds its coordinates: then that hex
    // becomes the collision occupant and nothing is stored. When it stored, the
    // universe's save request that writes it.
    std::optional<quint64> saveChanges(StarfarerUniverse &universe);
    // Removes the hex `overwriting` (when given), replaces the edited hex in place by
    // its id (or appends it when it is gone), and asks the universe to save itself;
    // returns that save request.
    quint64 commit(StarfarerUniverse &universe, const std::optional<QUuid> &overwriting) const;

private:
    // The main world, else the first world in star order, else none.
    static std::optional<QUuid> firstSelection(const StarSystem &system);

    QUuid m_originalHexID;
};
