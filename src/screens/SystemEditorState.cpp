#include "SystemEditorState.h"

#include "model/OrbitPopulation.h"
#include "universe/StarfarerUniverse.h"

#include <QCoreApplication>

#include <algorithm>

SystemEditorState::SystemEditorState(const HexData &hex)
    : system(hex.starSystem), systemNotes(hex.notes), starfarersAware(hex.starSystem.starfarers),
      satharAware(hex.starSystem.sathar), otherAware(hex.starSystem.other), surveyed(hex.starSystem.surveyed),
      editedCoordinates(hex.coordinates), selectedWorldID(firstSelection(hex.starSystem)),
      m_originalHexID(hex.id)
{}

QString SystemEditorState::title() const
{
    return system.name.isEmpty() ? editedCoordinates.description() : system.name;
}

QList<SystemEditorState::Section> SystemEditorState::worldSections() const
{
    QList<Section> sections;
    for (qsizetype index = 0; index < system.stars.size(); ++index) {
        Section section;
        if (system.stars.size() >= 2)
            section.header = sectionHeader(system, index);
        section.worlds = system.stars.at(index).worlds;
        std::stable_sort(section.worlds.begin(), section.worlds.end(),
                         [](const WorldData &a, const WorldData &b) {
                             if (a.sunOrbit != b.sunOrbit)
                                 return a.sunOrbit < b.sunOrbit;
                             return a.satelliteOrbit < b.satelliteOrbit;
                         });
        sections.append(section);
    }
    return sections;
}

QString SystemEditorState::sectionHeader(const StarSystem &system, qsizetype starIndex)
{
    const QString role = starIndex == 0 ? QCoreApplication::translate("SystemEditorState", "Primary")
                                        : QCoreApplication::translate("SystemEditorState", "Companion");
    return role + QStringLiteral(" \u2014 ") + system.stars.at(starIndex).classification();
}

std::optional<WorldData> SystemEditorState::selectedWorld() const
{
    if (!selectedWorldID)
        return std::nullopt;
    const std::optional<WorldIndex> index = system.indexOfWorld(*selectedWorldID);
    if (!index)
        return std::nullopt;
    return system.stars.at(index->star).worlds.at(index->world);
}

void SystemEditorState::editWorld(const WorldData &world)
{
    const std::optional<WorldIndex> index = system.indexOfWorld(world.id);
    if (index)
        system.stars[index->star].worlds[index->world] = world;
}

void SystemEditorState::generateWorlds()
{
    system = withGeneratedWorlds(system);
    selectedWorldID = firstSelection(system);
}

HexData SystemEditorState::editedHex() const
{
    StarSystem stored = system;
    stored.starfarers = starfarersAware;
    stored.sathar = satharAware;
    stored.other = otherAware;
    stored.surveyed = surveyed;
    return HexData{m_originalHexID, editedCoordinates, stored, systemNotes};
}

std::optional<quint64> SystemEditorState::saveChanges(StarfarerUniverse &universe)
{
    const std::optional<HexData> there = universe.hexData(editedCoordinates);
    if (there && there->id != m_originalHexID) {
        collisionOccupant = there;
        return std::nullopt;
    }
    return commit(universe, std::nullopt);
}

quint64 SystemEditorState::commit(StarfarerUniverse &universe, const std::optional<QUuid> &overwriting) const
{
    if (overwriting)
        while (universe.removeHex(*overwriting)) {
        }
    const HexData hex = editedHex();
    if (!universe.replaceHex(hex))
        universe.insertHex(hex);
    return universe.save();
}

std::optional<QUuid> SystemEditorState::firstSelection(const StarSystem &system)
{
    if (const std::optional<WorldData> main = system.mainWorld())
        return main->id;
    const QList<WorldData> worlds = system.allWorlds();
    if (worlds.isEmpty())
        return std::nullopt;
    return worlds.first().id;
}
