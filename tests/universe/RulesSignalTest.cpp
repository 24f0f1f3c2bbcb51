// The document's one value derived from its data, whether it uses the "TL" tech-level
// scale, and its signal: after every public operation that changes the document (the
// systems one at a time, in a batch or whole, the map objects, the settings, the
// repairs of older files) and after loading, the signal comes exactly when the value
// turned, once, after the change's own signal and with the new value readable; the
// value is checked against a plain reading of the first system.
#include "UniverseStoreSupport.h"
#include "model/TestRecords.h"

#include <QSignalSpy>

#include <functional>
#include <random>

namespace {

using test_records::aWorld;

// Marks the hexes whose system's main world uses the "TL" scale: the plain reference
// reads only the first hex's mark.
const QString kTravellerMark = QStringLiteral("TL main world");

bool plainRules(const HexList &data)
{
    return !data.isEmpty() && data.first().notes == kTravellerMark;
}

// A hex of one of the kinds that decide the rules differently: a main world on the
// "TL" scale on the first star or on a companion, one on the other scale, a "TL"
// world that is not the main world, a star without worlds.
HexData someHex(std::mt19937 &random, const QUuid &id)
{
    HexData hex{id, {qint64(random() % 3), 0, qint64(random() % 32) + 1, 1}, {}, {}};
    QList<Star> &stars = hex.starSystem.stars;
    stars = {Star{}};
    switch (random() % 5) {
    case 0:
        stars[0].worlds = {aWorld().main().techLevel(TechnologyLevel::ttl12)};
        hex.notes = kTravellerMark;
        break;
    case 1:
        stars.append(Star{});
        stars[0].worlds = {aWorld().techLevel(TechnologyLevel::tl3)};
        stars[1].worlds = {aWorld().main().techLevel(TechnologyLevel::ttl9)};
        hex.notes = kTravellerMark;
        break;
    case 2: stars[0].worlds = {aWorld().main().techLevel(TechnologyLevel::tl4)}; break;
    case 3:
        stars[0].worlds = {aWorld().techLevel(TechnologyLevel::ttl15),
                           aWorld().main().techLevel(TechnologyLevel::tl2)};
        break;
    default: break;
    }
    return hex;
}

template <typename T> T withID(const QUuid &id)
{
    T made;
    made.id = id;
    return made;
}

struct Operation
{
    const char *name;
    std::function<void()> run;
};

// The document the operations act on (a new one after each reload) and their dice.
struct Session
{
    StarfarerUniverse *universe = nullptr;
    std::mt19937 random{6021};

    QUuid someStoredHex()
    {
        const HexList &data = universe->data();
        // The first hex half the time: it decides the rules.
        return data.isEmpty() ? QUuid::createUuid() : data.at(random() % 2 ? 0 : random() % data.size()).id;
    }
    QUuid someFaction()
    {
        const QList<Faction> &factions = universe->factions();
        return factions.isEmpty() ? QUuid::createUuid() : factions.at(random() % factions.size()).id;
    }
};

// Every public operation that changes a document, each acting at random; removals
// are listed twice so that the universe stays small and its first hex changes often.
std::vector<Operation> operations(Session &session)
{
    Session *s = &session;
    return {
        {"insertHex", [s] { s->universe->insertHex(someHex(s->random, QUuid::createUuid())); }},
        {"insertHexes",
         [s] {
             QList<HexData> batch;
             for (int n = int(s->random() % 3); n > 0; --n)
                 batch.append(someHex(s->random, QUuid::createUuid()));
             s->universe->insertHexes(batch);
         }},
        {"replaceHex", [s] { s->universe->replaceHex(someHex(s->random, s->someStoredHex())); }},
        {"replaceHex under a new id",
         [s] { s->universe->replaceHex(s->someStoredHex(), someHex(s->random, QUuid::createUuid())); }},
        {"removeHex", [s] { s->universe->removeHex(s->someStoredHex()); }},
        {"removeHex", [s] { s->universe->removeHex(s->someStoredHex()); }},
        {"setData",
         [s] {
             QList<HexData> data = s->universe->data().toList();
             std::shuffle(data.begin(), data.end(), s->random);
             s->universe->setData(s->random() % 4 ? data : QList<HexData>{});
         }},
        {"insertObject", [s] { s->universe->insertObject(withID<Faction>(QUuid::createUuid())); }},
        {"insertObjects",
         [s] { s->universe->insertObjects(QList<Rutter>{withID<Rutter>(QUuid::createUuid())}); }},
        {"replaceObject",
         [s] {
             Faction changed = withID<Faction>(s->someFaction());
             changed.name = QString::number(s->random());
             s->universe->replaceObject(changed);
         }},
        {"removeObject", [s] { s->universe->removeObject<Faction>(s->someFaction()); }},
        {"removeObjectAt", [s] { s->universe->removeObjectAt<Rutter>(0); }},
        {"setFactions", [s] { s->universe->setFactions({}); }},
        {"setName", [s] { s->universe->setName(QString::number(s->random())); }},
        {"setMapShowOther", [s] { s->universe->setMapShowOther(s->random() % 2); }},
        {"setSelectedFactionIDs", [s] { s->universe->setSelectedFactionIDs({QUuid::createUuid()}); }},
        {"relinkWorldFactions", [s] { s->universe->relinkWorldFactions(); }},
        {"relinkRutterFactions", [s] { s->universe->relinkRutterFactions(); }},
    };
}

} // namespace

TEST_F(UniverseStoreTest, TheRulesSignalFollowsEveryChangeOfTheDocumentThatTurnsTheRules)
{
    Session session;
    std::unique_ptr<StarfarerUniverse> owned = std::make_unique<StarfarerUniverse>(folder());
    StarfarerUniverse *&universe = session.universe;
    universe = owned.get();
    const std::vector<Operation> all = operations(session);
    // Each life after the first goes on with the document saved and read back.
    for (int life = 0; life < 5 && !HasFailure(); ++life) {
        SCOPED_TRACE(life);
        EXPECT_EQ(universe->usesTravellerRules(), plainRules(universe->data()));
        QStringList told; // the change signals and the rules' signal, in order
        const auto noteChange = [&told] { told.append(QStringLiteral("change")); };
        QObject::connect(universe, &StarfarerUniverse::hexInserted, universe, noteChange);
        QObject::connect(universe, &StarfarerUniverse::hexReplaced, universe, noteChange);
        QObject::connect(universe, &StarfarerUniverse::hexRemoved, universe, noteChange);
        QObject::connect(universe, &StarfarerUniverse::hexesInserted, universe, noteChange);
        QObject::connect(universe, &StarfarerUniverse::dataChanged, universe, noteChange);
        QObject::connect(universe, &StarfarerUniverse::usesTravellerRulesChanged, universe, [&] {
            // Listeners read the new value when they are told.
            EXPECT_EQ(universe->usesTravellerRules(), plainRules(universe->data()));
            told.append(QStringLiteral("rules"));
        });
        for (int step = 0; step < 300 && !HasFailure(); ++step) {
            const Operation &operation = all.at(session.random() % all.size());
            const bool before = plainRules(universe->data());
            told.clear();
            operation.run();
            const bool after = plainRules(universe->data());
            EXPECT_EQ(told.count(QStringLiteral("rules")), before != after ? 1 : 0)
                << operation.name << " at step " << step;
            if (before != after) {
                EXPECT_EQ(told.size() >= 2 ? told.last() : QString(), QStringLiteral("rules"))
                    << operation.name;
            }
            EXPECT_EQ(universe->usesTravellerRules(), after) << operation.name;
        }
        ASSERT_TRUE(universe->saveNow());
        QString error;
        owned = StarfarerUniverse::readFile(universe->filePath(), folder(), &error);
        ASSERT_TRUE(owned) << error.toStdString();
        universe = owned.get();
    }
}
