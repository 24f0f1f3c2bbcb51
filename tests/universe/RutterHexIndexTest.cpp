// The document's index of rutters by hex against a plain walk of the rutters: after
// any sequence of single and batched appends, replacements that move either end,
// removals and whole-list assignments, and in a file read back, every hex names the
// rutters with an end there, ascending, a rutter from a hex to itself once; and every
// listener of a rutter change already finds the index current.
#include "UniverseStoreSupport.h"

#include "../SeededSource.h"
#include "model/Random.h"

#include <array>

namespace {

// Hexes about a corner where four sectors meet, so that the order of the index runs
// across sector edges, and one more far from the others.
const std::array<GalacticCoordinates, 7> kPlaces = {{{0, 0, 32, 40},
                                                     {1, 0, 1, 40},
                                                     {0, 1, 32, 1},
                                                     {1, 1, 1, 1},
                                                     {-1, 0, 32, 40},
                                                     {0, 0, 32, 39},
                                                     {0, 0, 1, 1}}};
// A hex no rutter ever touches.
const GalacticCoordinates kEmpty{5, -3, 7, 7};

GalacticCoordinates anyPlace()
{
    return kPlaces[std::size_t(randomBelow(kPlaces.size()))];
}

Rutter anyRutter()
{
    Rutter rutter;
    rutter.id = QUuid::createUuid();
    rutter.start = anyPlace();
    // Both ends on one hex often enough to be tried many times.
    rutter.end = randomBelow(4) == 0 ? rutter.start : anyPlace();
    return rutter;
}

QList<qsizetype> walked(const StarfarerUniverse &universe, const GalacticCoordinates &hex)
{
    QList<qsizetype> positions;
    for (qsizetype i = 0; i < universe.rutters().size(); ++i) {
        if (universe.rutters()[i].start == hex || universe.rutters()[i].end == hex)
            positions.append(i);
    }
    return positions;
}

// The first hex where the index and the walk differ, described, or empty.
QString mismatch(const StarfarerUniverse &universe)
{
    for (const GalacticCoordinates &hex : kPlaces) {
        if (universe.positionsOfRuttersAt(hex) != walked(universe, hex))
            return hex.description();
    }
    return universe.positionsOfRuttersAt(kEmpty).isEmpty() ? QString() : kEmpty.description();
}

} // namespace

TEST_F(UniverseStoreTest, RutterIndexFollowsEveryChangeOfTheRutters)
{
    StarfarerUniverse universe(folder());
    QStringList staleInListeners;
    const auto check = [&] {
        if (const QString hex = mismatch(universe); !hex.isEmpty())
            staleInListeners.append(hex);
    };
    using U = StarfarerUniverse;
    QObject::connect(&universe, &U::rutterInserted, check);
    QObject::connect(&universe, &U::ruttersInserted, check);
    QObject::connect(&universe, &U::rutterReplaced, check);
    QObject::connect(&universe, &U::rutterRemoved, check);
    QObject::connect(&universe, &U::ruttersChanged, check);

    SeededSource seeded(23);
    ScopedRandomSource scope(seeded);
    for (int step = 0; step < 600 && !HasFailure(); ++step) {
        const QList<Rutter> &stored = universe.rutters();
        const qint64 action = randomBelow(10);
        if (stored.isEmpty() || action < 3) {
            universe.insertObject(anyRutter());
        } else if (action == 3) {
            QList<Rutter> batch;
            for (qint64 n = randomBelow(5); n > 0; --n)
                batch.append(anyRutter());
            universe.insertObjects(batch);
        } else if (action < 6) {
            Rutter moved = stored[randomBelow(stored.size())];
            switch (randomBelow(3)) {
            case 0: moved.start = anyPlace(); break;
            case 1: moved.end = anyPlace(); break;
            default: moved.end = moved.start; break;
            }
            universe.replaceObject(moved);
        } else if (action < 9) {
            universe.removeObjectAt<Rutter>(randomBelow(stored.size()));
        } else {
            // A whole list: some of the stored rutters, reordered, and a new one.
            QList<Rutter> list;
            for (const Rutter &rutter : stored) {
                if (randomBelow(3) != 0)
                    list.insert(randomBelow(list.size() + 1), rutter);
            }
            list.append(anyRutter());
            universe.setRutters(list);
        }
        ASSERT_EQ(mismatch(universe), QString()) << "step " << step;
        ASSERT_EQ(staleInListeners, QStringList()) << "step " << step;
    }
    EXPECT_FALSE(universe.rutters().isEmpty());

    // A universe read back from its file has its rutters indexed from the start.
    QString error;
    const auto reread = StarfarerUniverse::decode(universe.encode(), folder(), &error);
    ASSERT_TRUE(reread) << error.toStdString();
    EXPECT_EQ(reread->rutters(), universe.rutters());
    EXPECT_EQ(mismatch(*reread), QString());
    for (const GalacticCoordinates &hex : kPlaces)
        EXPECT_EQ(reread->positionsOfRuttersAt(hex), universe.positionsOfRuttersAt(hex));
}
