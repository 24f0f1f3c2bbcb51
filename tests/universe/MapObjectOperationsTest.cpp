// The per-id operations on map objects against a plain list: after any sequence of
// inserts, replacements, removals by id and by position and whole-list assignments,
// the document holds what the plain list holds, its look-ups answer as a first-match
// scan would, and each operation notifies once, through its own kind's own signal,
// with the right position and values.
#include "universe/UniverseChanges.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// An element of kind T with this id whose value differs with `variant`.
template <typename T> T element(const QUuid &id, int variant);
template <> Faction element(const QUuid &id, int variant)
{
    return Faction{.id = id, .name = QString::number(variant)};
}
template <> FactionList element(const QUuid &id, int variant)
{
    return FactionList{id, QString::number(variant), {}};
}
template <> Rutter element(const QUuid &id, int variant)
{
    Rutter rutter;
    rutter.id = id;
    rutter.start.column = variant;
    return rutter;
}
template <> Nebula element(const QUuid &id, int variant)
{
    return Nebula{id, QString::number(variant), NebulaType::dark, {}};
}
template <> Region element(const QUuid &id, int variant)
{
    Region region;
    region.id = id;
    region.name = QString::number(variant);
    return region;
}
template <> StarmapLabel element(const QUuid &id, int variant)
{
    StarmapLabel label;
    label.id = id;
    label.text = QString::number(variant);
    return label;
}

// One notification as a listener saw it.
struct Told
{
    QString kind;
    char operation; // 'i'nserted, 'r'eplaced, 'x' removed, 'w'hole list, 'b'atch inserted
    qsizetype position = -1;
    QUuid before;
    QUuid after;
    qsizetype count = 0; // of a batch
    friend bool operator==(const Told &, const Told &) = default;
};

template <typename T> void listen(StarfarerUniverse &universe, const char *kind, QList<Told> &told)
{
    using Traits = MapObjectTraits<T>;
    const QString name = QString::fromLatin1(kind);
    QObject::connect(&universe, Traits::inserted, [&told, name](qsizetype at, const T &added) {
        told.append({name, 'i', at, {}, added.id});
    });
    QObject::connect(&universe, Traits::replaced,
                     [&told, name](qsizetype at, const T &before, const T &after) {
                         told.append({name, 'r', at, before.id, after.id});
                     });
    QObject::connect(&universe, Traits::removed, [&told, name](qsizetype at, const T &gone) {
        told.append({name, 'x', at, gone.id, {}});
    });
    QObject::connect(&universe, Traits::changed, [&told, name] { told.append({name, 'w'}); });
    QObject::connect(&universe, Traits::insertedTogether, [&told, name](qsizetype first, qsizetype count) {
        told.append({name, 'b', first, {}, {}, count});
    });
}

void listenToAll(StarfarerUniverse &universe, QList<Told> &told)
{
    listen<Faction>(universe, "Faction", told);
    listen<FactionList>(universe, "FactionList", told);
    listen<Rutter>(universe, "Rutter", told);
    listen<Nebula>(universe, "Nebula", told);
    listen<Region>(universe, "Region", told);
    listen<StarmapLabel>(universe, "StarmapLabel", told);
}

template <typename T> qsizetype firstWithID(const QList<T> &list, const QUuid &id)
{
    const auto found = std::find_if(list.cbegin(), list.cend(), [&id](const T &e) { return e.id == id; });
    return found == list.cend() ? -1 : found - list.cbegin();
}

template <typename T> class MapObjectOperationsTest : public ::testing::Test
{
protected:
    QTemporaryDir m_documents;
};

using Kinds = ::testing::Types<Faction, FactionList, Rutter, Nebula, Region, StarmapLabel>;
TYPED_TEST_SUITE(MapObjectOperationsTest, Kinds);

TYPED_TEST(MapObjectOperationsTest, OperationsMatchAPlainListAndEachTellsOnce)
{
    using T = TypeParam;
    std::mt19937 random(20240611);
    StarfarerUniverse universe(UniverseFolder(this->m_documents.path()));
    QList<Told> told;
    listenToAll(universe, told);
    QString kind;
    // The kind's name as this test's listener spells it, learnt from one insert.
    universe.insertObject(element<T>(QUuid::createUuid(), 0));
    ASSERT_EQ(told.size(), 1);
    kind = told.first().kind;
    QList<T> plain = universe.template objects<T>();
    QList<QUuid> ids{plain.first().id, QUuid::createUuid()}; // one id is never stored

    for (int step = 0; step < 500 && !this->HasFailure(); ++step) {
        told.clear();
        QList<Told> expected;
        const int action = int(random() % 13);
        const int variant = int(random() % 3);
        const QUuid id = ids.at(random() % ids.size());
        const qsizetype at = firstWithID(plain, id);
        if (action < 4) {
            // Sometimes an id already stored: the new element stays behind the first.
            const T added = element<T>(action == 0 ? id : QUuid::createUuid(), variant);
            universe.insertObject(added);
            plain.append(added);
            ids.append(added.id);
            expected.append({kind, 'i', plain.size() - 1, {}, added.id});
        } else if (action < 7) {
            const T changed = element<T>(id, variant);
            EXPECT_EQ(universe.replaceObject(changed), at >= 0);
            if (at >= 0 && !(plain[at] == changed)) {
                plain[at] = changed;
                expected.append({kind, 'r', at, id, id});
            }
        } else if (action < 9) {
            EXPECT_EQ(universe.template removeObject<T>(id), at >= 0);
            if (at >= 0)
                expected.append({kind, 'x', at, plain.takeAt(at).id, {}});
        } else if (action < 11) {
            const qsizetype position = qsizetype(random() % (plain.size() + 2)) - 1;
            const bool inRange = position >= 0 && position < plain.size();
            EXPECT_EQ(universe.template removeObjectAt<T>(position), inRange);
            if (inRange)
                expected.append({kind, 'x', position, plain.takeAt(position).id, {}});
        } else if (action == 12) {
            // A batch, possibly empty, possibly holding an id already stored.
            QList<T> batch;
            for (qsizetype i = random() % 4; i > 0; --i)
                batch.append(element<T>(i == 1 ? id : QUuid::createUuid(), variant));
            universe.insertObjects(batch);
            if (!batch.isEmpty())
                expected.append({kind, 'b', plain.size(), {}, {}, batch.size()});
            plain += batch;
            for (const T &added : batch)
                ids.append(added.id);
        } else {
            (universe.*MapObjectTraits<T>::set)(plain); // the same list says nothing
            QList<T> shuffled = plain;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            (universe.*MapObjectTraits<T>::set)(shuffled);
            if (shuffled != plain)
                expected.append({kind, 'w'});
            plain = shuffled;
        }
        ASSERT_EQ(universe.template objects<T>(), plain) << "step " << step;
        EXPECT_EQ(told, expected) << "step " << step;
        for (const QUuid &each : ids) {
            const qsizetype first = firstWithID(plain, each);
            EXPECT_EQ(universe.template object<T>(each),
                      first < 0 ? std::nullopt : std::optional(plain[first]));
        }
    }
}

// What a listener of one kind receives, whichever operation made the change.
TYPED_TEST(MapObjectOperationsTest, ListenersSeeTheValuesBeforeAndAfter)
{
    using T = TypeParam;
    StarfarerUniverse universe(UniverseFolder(this->m_documents.path()));
    QList<std::pair<std::optional<T>, std::optional<T>>> seen;
    UniverseChanges::onObjects<T>(&universe, &universe, [&seen](const ObjectChange<T> &change) {
        EXPECT_EQ(change.isWholeList(), !change.before && !change.after);
        seen.append({change.before ? std::optional(*change.before) : std::nullopt,
                     change.after ? std::optional(*change.after) : std::nullopt});
    });
    const T first = element<T>(QUuid::createUuid(), 1);
    const T edited = element<T>(first.id, 2);
    universe.insertObject(first);
    universe.replaceObject(edited);
    universe.template removeObject<T>(first.id);
    (universe.*MapObjectTraits<T>::set)(QList<T>{first});
    const QList<std::pair<std::optional<T>, std::optional<T>>> expected{
        {std::nullopt, first}, {first, edited}, {edited, std::nullopt}, {std::nullopt, std::nullopt}};
    EXPECT_EQ(seen, expected);

    // A batch reaches a listener one element at a time, in order, unless it takes
    // batches: then in one call.
    seen.clear();
    QList<std::pair<qsizetype, qsizetype>> batches;
    QObject context;
    UniverseChanges::onObjects<T>(
        &universe, &context, [](const ObjectChange<T> &) { ADD_FAILURE() << "a batch taken one by one"; },
        [&batches](qsizetype from, qsizetype count) {
            batches.append({from, count});
        });
    const QList<T> batch{element<T>(QUuid::createUuid(), 3), element<T>(QUuid::createUuid(), 4)};
    universe.insertObjects(batch);
    universe.insertObjects(QList<T>());
    EXPECT_EQ(seen, (QList<std::pair<std::optional<T>, std::optional<T>>>{{std::nullopt, batch[0]},
                                                                          {std::nullopt, batch[1]}}));
    EXPECT_EQ(batches, (QList<std::pair<qsizetype, qsizetype>>{{1, 2}}));
}

} // namespace
