#include "app/Destination.h"

#include "universe/TestMapObjects.h"

#include <QSet>

#include <functional>

#include <gtest/gtest.h>

namespace {

Faction sampleFaction()
{
    return test_records::aFaction(QStringLiteral("Alpha League"))
        .id(QUuid::fromString(QStringLiteral("55555555-5555-4555-8555-555555555555")))
        .shortName(QStringLiteral("AL"))
        .category(FactionCategory::political);
}

} // namespace

TEST(Destination, AFactionDestinationEqualsOnlyTheSameFactionValue)
{
    const Faction faction = sampleFaction();
    const Destination chosen = Destination::forFaction(faction);
    EXPECT_EQ(chosen, Destination::forFaction(faction));
    EXPECT_EQ(qHash(chosen), qHash(Destination::forFaction(faction)));

    // Any field makes the difference, not only the id.
    const QList<std::function<void(Faction &)>> edits{
        [](Faction &f) { f.name = QStringLiteral("Beta League"); },
        [](Faction &f) { f.shortName = QString(); },
        [](Faction &f) { f.category = FactionCategory::religious; },
        [](Faction &f) { f.color = FactionColor::teal; },
        [](Faction &f) { f.description = QStringLiteral("x"); },
        [](Faction &f) { f.hp = 7; },
        [](Faction &f) { f.credits = 3; },
        [](Faction &f) { f.homeworld.column = 5; },
    };
    for (qsizetype i = 0; i < edits.size(); ++i) {
        Faction changed = faction;
        edits[i](changed);
        EXPECT_NE(chosen, Destination::forFaction(changed)) << "edit " << i;
    }
}

TEST(Destination, PlainDestinationsAreEqualByCaseAndHashApart)
{
    QSet<Destination> all;
    for (DestinationKind kind : allCases<DestinationKind>()) {
        if (kind != DestinationKind::faction)
            all.insert(Destination::of(kind));
    }
    all.insert(Destination::forFaction(sampleFaction()));
    EXPECT_EQ(all.size(), 11);
    EXPECT_TRUE(all.contains(Destination::of(DestinationKind::newFaction)));
    EXPECT_NE(Destination::of(DestinationKind::newFaction), Destination::forFaction(Faction{}));
    EXPECT_EQ(Destination{}, Destination::of(DestinationKind::starmap));
}
