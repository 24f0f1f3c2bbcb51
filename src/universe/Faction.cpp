#include "Faction.h"

#include <QLocale>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

Faction Faction::fromJson(const JsonReader &reader)
{
    Faction faction;
    faction.id = reader.required<QUuid>("id"_L1);
    faction.name = reader.optional<QString>("name"_L1, faction.name);
    faction.shortName = reader.optional<QString>("short"_L1, faction.shortName);
    faction.homeworld = reader.optional<GalacticCoordinates>("homeworld"_L1, faction.homeworld);
    faction.category = reader.optional<FactionCategory>("category"_L1, faction.category);
    faction.color = reader.optional<FactionColor>("color"_L1, faction.color);
    faction.description = reader.optional<QString>("description"_L1, faction.description);
    faction.hp = reader.optional<qint64>("hp"_L1, faction.hp);
    faction.force = reader.optional<qint64>("force"_L1, faction.force);
    faction.cunning = reader.optional<qint64>("cunning"_L1, faction.cunning);
    faction.wealth = reader.optional<qint64>("wealth"_L1, faction.wealth);
    faction.credits = reader.optional<qint64>("credits"_L1, faction.credits);
    faction.xp = reader.optional<qint64>("xp"_L1, faction.xp);
    faction.tags = reader.optional<QList<FactionTag>>("tags"_L1, faction.tags);
    faction.assets = reader.optional<QList<FactionAsset>>("assets"_L1, faction.assets);
    faction.notes = reader.optional<QList<FactionNote>>("notes"_L1, faction.notes);
    return faction;
}

JsonObject Faction::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("name"_L1, jsonValue(name));
    object.insert("short"_L1, jsonValue(shortName));
    object.insert("homeworld"_L1, jsonValue(homeworld));
    object.insert("category"_L1, jsonValue(category));
    object.insert("color"_L1, jsonValue(color));
    object.insert("description"_L1, jsonValue(description));
    object.insert("hp"_L1, jsonValue(hp));
    object.insert("force"_L1, jsonValue(force));
    object.insert("cunning"_L1, jsonValue(cunning));
    object.insert("wealth"_L1, jsonValue(wealth));
    object.insert("credits"_L1, jsonValue(credits));
    object.insert("xp"_L1, jsonValue(xp));
    object.insert("tags"_L1, jsonValue(tags));
    object.insert("assets"_L1, jsonValue(assets));
    object.insert("notes"_L1, jsonValue(notes));
    return object;
}

namespace {

// What menus order a faction by: its lower-cased name in code points. Code-point
// order, not a collation, and not UTF-16 unit order either: the two differ for
// characters beyond the basic plane.
QList<uint> menuKey(const QLocale &locale, const QString &name)
{
    return locale.toLower(name).toUcs4();
}

bool keyLess(const QList<uint> &left, const QList<uint> &right)
{
    return std::lexicographical_compare(left.cbegin(), left.cend(), right.cbegin(), right.cend());
}

} // namespace

bool operator<(const Faction &a, const Faction &b)
{
    const QLocale locale;
    return keyLess(menuKey(locale, a.name), menuKey(locale, b.name));
}

QList<Faction> inMenuOrder(QList<Faction> factions)
{
    const QLocale locale;
    std::vector<std::pair<QList<uint>, qsizetype>> keys;
    keys.reserve(std::size_t(factions.size()));
    for (qsizetype i = 0; i < factions.size(); ++i)
        keys.emplace_back(menuKey(locale, factions.at(i).name), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return keyLess(a.first, b.first); });
    QList<Faction> ordered;
    ordered.reserve(factions.size());
    for (const auto &key : keys)
        ordered.append(std::move(factions[key.second]));
    return ordered;
}

size_t qHash(const Faction &value, size_t seed) noexcept
{
    return qHashMulti(seed, value.id, value.name, value.shortName, value.homeworld, value.category,
                      value.color, value.description, value.hp, value.force, value.cunning, value.wealth,
                      value.credits, value.xp, value.tags, value.assets, value.notes);
}
