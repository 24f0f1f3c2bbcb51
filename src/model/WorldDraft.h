#pragma once

#include "WorldData.h"

#include <QUuid>

#include <type_traits>

// The working copy of the world editor, with the editor's rules: a profile code is set
// as given, then the codes that depend on it are brought into range and the trade
// classes are decided again; the gravity is kept as the density that gives it; bases
// and tags toggle; a faction is added once. Loading a world changes nothing in it, so
// stored codes outside the usual ranges stay until a code is edited. The editor shows
// `world` and hands it to its host after each edit that applied.
class WorldDraft
{
public:
    explicit WorldDraft(const WorldData &world = {}) : world(world) {}

    // Sets one profile code (even outside the usual range), then clamps the codes that
    // depend on it and decides the trade classes from the clamped profile.
    template <typename T> void setCode(T UWP::*code, std::type_identity_t<T> value)
    {
        world.uwp.*code = value;
        settleProfile();
    }
    // Stores the density that gives gravity `g` at the world's size; nothing else is
    // decided again. Refused (false, nothing changes) below size 1.
    bool setGravity(double g);
    void toggleBase(Base base);
    // Removes the first occurrence of a held tag, appends any other.
    void toggleTag(WorldTag tag);
    // Replaces every tag, government types too, with two different tags drawn from the
    // categories the tag menus offer.
    void randomTags();
    // Appends the faction's id; refused (false, nothing changes) when the world has it.
    bool addFaction(const QUuid &id);
    void clearFactions() { world.factionIDs.clear(); }

    WorldData world;

private:
    void settleProfile();
};
