// The rutter editor's faction picker follows the universe's factions entry by entry:
// after any mix of changes its entries are those of a picker made afresh, the chosen
// faction stays chosen, a faction that comes or goes touches its own entry alone, and
// the picker asks for the size a plain picker sized to the same entries asks for.
#include "editors/ui/FactionPicker.h"
#include "EditorTestSupport.h"

#include <QSignalSpy>

#include <random>

using namespace editor_test;

namespace {

// Every entry as the popup shows it: its text, the id it carries and its icon's pixels.
QStringList entriesOf(const QComboBox &picker)
{
    QStringList entries;
    for (int i = 0; i < picker.count(); ++i) {
        const QImage dot = picker.itemIcon(i).pixmap(12).toImage();
        entries.append(picker.itemText(i) + u'|' + picker.itemData(i).toString() + u'|' +
                       QString::number(qHashBits(dot.constBits(), std::size_t(dot.sizeInBytes()))));
    }
    return entries;
}

// A plain picker, sized to its contents by Qt, holding the same entries: the picker asks
// for its size, and can be made narrower where a layout has less room.
void expectPlainPickerSize(const FactionPicker &picker)
{
    QComboBox plain;
    plain.setFont(picker.font());
    plain.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < picker.count(); ++i)
        plain.addItem(picker.itemIcon(i), picker.itemText(i));
    EXPECT_EQ(picker.sizeHint(), plain.sizeHint());
    EXPECT_LE(picker.minimumSizeHint().width(), plain.minimumSizeHint().width());
    EXPECT_EQ(picker.minimumSizeHint().height(), plain.minimumSizeHint().height());
}

} // namespace

class FactionPickerTest : public EditorTest
{
};

TEST_F(FactionPickerTest, EntriesFollowEveryChangeAsAFreshPickerShowsThem)
{
    // Few names, some equal but for case, some equal outright, one empty: ties are the
    // hard part of keeping a sorted list by hand.
    const QStringList names{QStringLiteral("Zulu"),
                            QStringLiteral("zulu"),
                            QStringLiteral("Alpha"),
                            QStringLiteral("Mike"),
                            QString(),
                            QStringLiteral("\u00c9cho")};
    std::mt19937 random(17);
    const auto someName = [&] { return names[qsizetype(random() % names.size())]; };
    const auto someColor = [&] { return random() % 2 ? FactionColor::red : FactionColor::blue; };
    m_universe->setFactions({aFaction(QStringLiteral("Mike")).color(FactionColor::red),
                             aFaction(QStringLiteral("Alpha")).color(FactionColor::red)});
    FactionPicker picker(*m_universe);
    const QUuid chosen = m_universe->factions().first().id;
    picker.setChosen(chosen);

    for (int step = 0; step < 300 && !HasFailure(); ++step) {
        const QList<Faction> &factions = m_universe->factions();
        const auto any = [&] { return factions[qsizetype(random() % factions.size())]; };
        switch (factions.isEmpty() ? 0 : int(random() % 8)) {
        case 0:
        case 1: m_universe->insertObject<Faction>(aFaction(someName()).color(someColor())); break;
        case 2: {
            // Now and then the chosen faction comes back under its id.
            Faction back = aFaction(someName()).color(FactionColor::red);
            if (random() % 3 == 0)
                back.id = chosen;
            m_universe->insertObject(back);
            break;
        }
        case 3:
        case 4: {
            Faction changed = any();
            changed.name = someName();
            changed.color = someColor();
            m_universe->replaceObject(changed);
            break;
        }
        case 5: m_universe->removeObject<Faction>(any().id); break;
        case 6:
            m_universe->insertObjects(QList<Faction>{aFaction(someName()).color(FactionColor::red),
                                                     aFaction(someName()).color(FactionColor::red)});
            break;
        default: {
            QList<Faction> shuffled = factions;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            m_universe->setFactions(shuffled);
        }
        }
        FactionPicker fresh(*m_universe);
        fresh.setChosen(chosen);
        ASSERT_EQ(entriesOf(picker), entriesOf(fresh)) << "step " << step;
        ASSERT_EQ(picker.currentIndex(), fresh.currentIndex()) << "step " << step;
        EXPECT_EQ(picker.chosen(), fresh.chosen());
    }
}

// A faction that comes or goes inserts or removes its own entry; the others stay, and
// so does the chosen one. "Select a faction" stays first.
TEST_F(FactionPickerTest, AFactionThatComesOrGoesTouchesItsOwnEntryAlone)
{
    QList<Faction> factions;
    for (const char *name : {"Bravo", "Delta", "Foxtrot", "Hotel"})
        factions.append(aFaction(QString::fromLatin1(name)).color(FactionColor::red));
    m_universe->setFactions(factions);
    FactionPicker picker(*m_universe);
    picker.setChosen(factions[2].id);
    QSignalSpy inserted(picker.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(picker.model(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(picker.model(), &QAbstractItemModel::modelReset);

    m_universe->insertObject<Faction>(aFaction(QStringLiteral("echo")).color(FactionColor::green));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.first().at(1).toInt(), 3); // after "Select a faction", Bravo and Delta
    EXPECT_EQ(picker.itemText(3), QStringLiteral("echo"));
    EXPECT_EQ(picker.currentText(), QStringLiteral("Foxtrot"));

    Faction renamed = factions[0];
    renamed.name = QStringLiteral("Golf");
    m_universe->replaceObject(renamed);
    m_universe->removeObject<Faction>(factions[2].id);
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(reset.count(), 0);
    QStringList texts;
    for (int i = 0; i < picker.count(); ++i)
        texts.append(picker.itemText(i));
    EXPECT_EQ(texts, QStringList({QStringLiteral("Select a faction"), QStringLiteral("Delta"),
                                  QStringLiteral("echo"), QStringLiteral("Golf"), QStringLiteral("Hotel")}));
    // The chosen faction is gone: no entry shows, none is taken in its place.
    EXPECT_EQ(picker.currentIndex(), -1);
    EXPECT_EQ(picker.chosen(), std::nullopt);
}

// The entry the user picks stays chosen while other factions come and go, and the
// list is filled afresh.
TEST_F(FactionPickerTest, TheUsersPickStaysChosenThroughChanges)
{
    m_universe->setFactions({aFaction(QStringLiteral("Bravo")).color(FactionColor::red),
                             aFaction(QStringLiteral("Delta")).color(FactionColor::red)});
    FactionPicker picker(*m_universe);
    const int delta = picker.findText(QStringLiteral("Delta"));
    picker.setCurrentIndex(delta);
    emit picker.activated(delta);
    m_universe->insertObject<Faction>(aFaction(QStringLiteral("Alpha")).color(FactionColor::red));
    EXPECT_EQ(picker.currentText(), QStringLiteral("Delta"));
    QList<Faction> reversed = m_universe->factions();
    std::reverse(reversed.begin(), reversed.end());
    m_universe->setFactions(reversed);
    EXPECT_EQ(picker.currentText(), QStringLiteral("Delta"));
    EXPECT_EQ(picker.chosen(), m_universe->factions()[1].id);
}

// The picker measures each text once, yet asks for what a plain picker sized to its
// contents asks for: with longer and shorter names, and after its font grows.
TEST_F(FactionPickerTest, AsksForTheSizeOfAPlainPickerSizedToItsEntries)
{
    m_universe->setFactions({aFaction(QStringLiteral("Short")).color(FactionColor::red)});
    FactionPicker picker(*m_universe);
    expectPlainPickerSize(picker);
    m_universe->insertObject<Faction>(
        aFaction(QStringLiteral("A much longer faction name than the others")).color(FactionColor::red));
    expectPlainPickerSize(picker);
    m_universe->removeObject<Faction>(m_universe->factions().last().id);
    expectPlainPickerSize(picker);
    QFont larger = picker.font();
    larger.setPixelSize(larger.pixelSize() > 0 ? larger.pixelSize() * 2 : 30);
    picker.setFont(larger);
    expectPlainPickerSize(picker);
    m_universe->setFactions({});
    expectPlainPickerSize(picker);
}
