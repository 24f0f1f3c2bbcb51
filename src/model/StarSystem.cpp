#include "StarSystem.h"

#include <QHashFunctions>

using namespace Qt::StringLiterals;

QList<WorldData> StarSystem::allWorlds() const
{
    QList<WorldData> worlds;
    for (const Star &star : stars)
        worlds.append(star.worlds);
    return worlds;
}

std::optional<WorldData> StarSystem::mainWorld() const
{
    if (const auto index = mainWorldIndex())
        return stars.at(index->star).worlds.at(index->world);
    return std::nullopt;
}

std::optional<WorldIndex> StarSystem::mainWorldIndex() const
{
    for (qsizetype s = 0; s < stars.size(); ++s) {
        const QList<WorldData> &worlds = stars.at(s).worlds;
        for (qsizetype w = 0; w < worlds.size(); ++w) {
            if (worlds.at(w).mainWorld)
                return WorldIndex{s, w};
        }
    }
    return std::nullopt;
}

std::optional<WorldIndex> StarSystem::indexOfWorld(const QUuid &worldID) const
{
    for (qsizetype s = 0; s < stars.size(); ++s) {
        const QList<WorldData> &worlds = stars.at(s).worlds;
        for (qsizetype w = 0; w < worlds.size(); ++w) {
            if (worlds.at(w).id == worldID)
                return WorldIndex{s, w};
        }
    }
    return std::nullopt;
}

std::optional<Orbits> StarSystem::habitableZoneOrbit() const
{
    if (stars.isEmpty())
        return std::nullopt;
    return stars.first().habitableZoneOrbit();
}

StarSystem StarSystem::fromJson(const JsonReader &r)
{
    StarSystem system;
    system.id = r.required<QUuid>("id"_L1);
    system.name = r.required<QString>("name"_L1);
    system.stars = r.required<QList<Star>>("stars"_L1);
    system.gasGiant = r.required<qint64>("gasGiant"_L1);
    system.planetoidBelts = r.required<qint64>("planetoidBelts"_L1);
    system.totalNumberOfWorlds = r.required<qint64>("totalNumberOfWorlds"_L1);
    system.starfarers = r.required<bool>("starfarers"_L1);
    system.sathar = r.required<bool>("sathar"_L1);
    system.other = r.required<bool>("other"_L1);
    system.surveyed = r.optional<bool>("surveyed"_L1, false);
    if (system.stars.isEmpty())
        system.stars.append(Star::random(Orbits::starOrbitP));
    return system;
}

JsonObject StarSystem::toJson() const
{
    return JsonObject{
        {"id"_L1, jsonValue(id)},
        {"name"_L1, jsonValue(name)},
        {"stars"_L1, jsonValue(stars)},
        {"gasGiant"_L1, jsonValue(gasGiant)},
        {"planetoidBelts"_L1, jsonValue(planetoidBelts)},
        {"totalNumberOfWorlds"_L1, jsonValue(totalNumberOfWorlds)},
        {"starfarers"_L1, jsonValue(starfarers)},
        {"sathar"_L1, jsonValue(sathar)},
        {"other"_L1, jsonValue(other)},
        {"surveyed"_L1, jsonValue(surveyed)},
    };
}

size_t qHash(const StarSystem &system, size_t seed)
{
    return qHashMulti(seed, system.id, system.name, system.stars, system.gasGiant, system.planetoidBelts,
                      system.totalNumberOfWorlds, system.starfarers, system.sathar, system.other,
                      system.surveyed);
}
