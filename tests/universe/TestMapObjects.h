#pragma once

// Hand-made factions and map objects with fresh ids, shared by the tests of the
// layers that draw and edit them.

#include "universe/Faction.h"
#include "universe/Rutter.h"

namespace test_records {

// A faction with a fresh id and `name`: by default black, of the category "other",
// with no short code and its homeworld at the origin.
class FactionBuilder
{
public:
    explicit FactionBuilder(const QString &name)
    {
        m_made.id = QUuid::createUuid();
        m_made.name = name;
    }

    FactionBuilder &id(const QUuid &id) { return set(&Faction::id, id); }
    FactionBuilder &shortName(const QString &shortName) { return set(&Faction::shortName, shortName); }
    FactionBuilder &category(FactionCategory category) { return set(&Faction::category, category); }
    FactionBuilder &color(FactionColor color) { return set(&Faction::color, color); }

    operator Faction() const { return m_made; }

private:
    template <typename Value> FactionBuilder &set(Value Faction::*field, const Value &value)
    {
        m_made.*field = value;
        return *this;
    }

    Faction m_made;
};

inline FactionBuilder aFaction(const QString &name = {})
{
    return FactionBuilder(name);
}

// A route of the faction `factionID` from `start` to `end`.
inline Rutter rutter(const QUuid &factionID, const GalacticCoordinates &start, const GalacticCoordinates &end,
                     RutterAge age = Rutter().age, bool mainTradeRoute = false)
{
    Rutter made;
    made.id = QUuid::createUuid();
    made.factionID = factionID;
    made.start = start;
    made.end = end;
    made.age = age;
    made.mainTradeRoute = mainTradeRoute;
    return made;
}

} // namespace test_records
