// The system detail view updates itself in place. After any mix of edits of its
// system, of the systems at its rutters' far ends, of its rutters and of the factions
// it names, the page shows what a page built afresh shows, part by part in the order
// its layouts place them; the worlds list stays open or closed as the user left it.
#include "screens/ui/SystemDetailView.h"
#include "ScreenTestSupport.h"
#include "screens/ui/SystemWorldsView.h"
#include "ui/Chip.h"
#include "ui/ElidedLabel.h"
#include "ui/ReadOnlyNotesView.h"
#include "universe/StarfarerUniverse.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QLayout>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

using namespace screen_test;

namespace {

void describe(const QLayout &layout, QStringList &lines);

// One line per widget: its kind, name, whether it is hidden, and what it shows; then
// what its layout holds.
void describe(const QWidget &widget, QStringList &lines)
{
    QString line = QString::fromLatin1(widget.metaObject()->className()) + u' ' + widget.objectName() +
                   (widget.isHidden() ? QStringLiteral(" hidden") : QString()) + QStringLiteral(": ");
    if (const auto *label = qobject_cast<const QLabel *>(&widget))
        line += label->text();
    else if (const auto *elided = qobject_cast<const ElidedLabel *>(&widget))
        line += elided->text();
    else if (const auto *notes = qobject_cast<const ReadOnlyNotesView *>(&widget))
        line += notes->text();
    else if (const auto *chip = qobject_cast<const Chip *>(&widget))
        line += chip->fill().name(QColor::HexArgb);
    else if (const auto *button = qobject_cast<const QAbstractButton *>(&widget))
        line += button->text() + u' ' + button->toolTip();
    else if (const auto *view = qobject_cast<const QAbstractItemView *>(&widget)) {
        line += QString::number(view->maximumHeight());
        for (int row = 0; row < view->model()->rowCount(); ++row)
            line += u'|' + view->model()->index(row, 0).data().toString();
    }
    lines.append(line);
    if (widget.layout())
        describe(*widget.layout(), lines);
}

void describe(const QLayout &layout, QStringList &lines)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem *item = layout.itemAt(i);
        if (item->widget())
            describe(*item->widget(), lines);
        else if (item->layout())
            describe(*item->layout(), lines);
        else
            lines.append(QStringLiteral("space"));
    }
}

QStringList shownBy(const SystemDetailView &view)
{
    QStringList lines;
    describe(*view.widget(), lines);
    return lines;
}

class SystemDetailViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useEnglishNumbers();
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

TEST_F(SystemDetailViewTest, UpdatedInPlaceItShowsWhatAFreshPageShows)
{
    std::mt19937 random(23);
    const auto pick = [&random](int count) { return int(random() % unsigned(count)); };
    const QList<GalacticCoordinates> places{{0, 0, 5, 5}, {0, 0, 6, 6}, {0, 0, 7, 7}};
    QList<Faction> factions{
        aFaction(QStringLiteral("Aslan")).shortName(QStringLiteral("ASL")).color(FactionColor::red),
        aFaction(QStringLiteral("Vargr")).shortName(QStringLiteral("VAR")).color(FactionColor::blue),
        aFaction(QStringLiteral("Zhodani")).shortName(QStringLiteral("ZHO")).color(FactionColor::green)};
    m_universe->setFactions(factions);
    HexData home = hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 1, 1}).named(QStringLiteral("Home"));
    m_universe->setData(
        {home, hexWithMainWorld(TechnologyLevel::ttl12, places[0]).named(QStringLiteral("Far"))});
    SystemDetailView view(m_universe.get(), home, SystemDetailView::kViewWidth);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    const QList<WorldTag> tags{WorldTag::redZone, WorldTag::amberZone, WorldTag::alienRuins};
    for (int step = 0; step < 250 && !HasFailure(); ++step) {
        HexData own = m_universe->hexWithID(home.id).value();
        WorldData &main = own.starSystem.stars[0].worlds[0];
        switch (pick(12)) {
        case 0: own.starSystem.name = pick(4) ? QStringLiteral("Home %1").arg(step) : QString(); break;
        case 1: own.notes = pick(2) ? QStringLiteral("Visited %1").arg(step) : QString(); break;
        case 2: main.notes = pick(2) ? QStringLiteral("Windy %1").arg(step) : QString(); break;
        case 3:
            main.worldTags.clear();
            for (const WorldTag tag : tags) {
                if (pick(2))
                    main.worldTags.append(tag);
            }
            break;
        case 4:
            main.factionIDs.clear();
            for (const Faction &known : m_universe->factions()) {
                if (pick(2))
                    main.factionIDs.append(known.id);
            }
            break;
        case 5: main.mainWorld = !main.mainWorld; break;
        case 6:
            main.uwp.size = pick(10);
            main.name = QStringLiteral("World %1").arg(pick(3));
            break;
        case 7: {
            // A rutter touching the hex comes, or one goes.
            const QList<Rutter> &rutters = m_universe->rutters();
            if (!rutters.isEmpty() && pick(2))
                m_universe->removeObject<Rutter>(rutters[pick(int(rutters.size()))].id);
            else
                m_universe->insertObject(Rutter{
                    QUuid::createUuid(), m_universe->factions()[pick(int(m_universe->factions().size()))].id,
                    own.coordinates, places[pick(int(places.size()))], pick(2) == 0, RutterAge::recent,
                    std::nullopt});
            continue;
        }
        case 8: {
            // A far end's system comes, is renamed or goes.
            const GalacticCoordinates at = places[pick(int(places.size()))];
            if (const auto there = m_universe->hexData(at)) {
                if (pick(2)) {
                    HexData renamed = *there;
                    renamed.starSystem.name = QStringLiteral("Far %1").arg(step);
                    m_universe->replaceHex(renamed);
                } else {
                    m_universe->removeHex(there->id);
                }
            } else {
                m_universe->insertHex(
                    hexWithMainWorld(TechnologyLevel::ttl12, at).named(QStringLiteral("New %1").arg(step)));
            }
            continue;
        }
        case 9: {
            Faction changed = m_universe->factions()[pick(int(m_universe->factions().size()))];
            changed.shortName = QStringLiteral("S%1").arg(step % 5);
            changed.color = pick(2) ? FactionColor::gold : FactionColor::violet;
            m_universe->replaceObject(changed);
            continue;
        }
        case 10: {
            QList<Faction> shuffled = m_universe->factions();
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            m_universe->setFactions(shuffled);
            continue;
        }
        default: {
            QList<Rutter> shuffled = m_universe->rutters();
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            m_universe->setRutters(shuffled);
            continue;
        }
        }
        m_universe->replaceHex(own);

        SystemDetailView fresh(m_universe.get(), home, SystemDetailView::kViewWidth);
        ASSERT_EQ(shownBy(view), shownBy(fresh)) << "step " << step;
    }
}

// The worlds list opened by the user stays open through edits, those that change the
// page's texts and those that add a part to it.
TEST_F(SystemDetailViewTest, TheWorldsListStaysOpenThroughEdits)
{
    HexData home = hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 1, 1}).named(QStringLiteral("Home"));
    m_universe->setData({home});
    SystemDetailView view(m_universe.get(), home, SystemDetailView::kViewWidth);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto worlds = [&view] { return view.widget()->findChild<SystemWorldsView *>(); };
    worlds()->setShowOtherWorlds(true);

    home.starSystem.name = QStringLiteral("Renamed");
    m_universe->replaceHex(home);
    EXPECT_TRUE(worlds()->showOtherWorlds());
    home.notes = QStringLiteral("Now with notes");
    m_universe->replaceHex(home);
    EXPECT_TRUE(worlds()->showOtherWorlds());
    EXPECT_EQ(view.widget()->findChild<ReadOnlyNotesView *>(QStringLiteral("hexNotes"))->text(),
              QStringLiteral("Now with notes"));
}

} // namespace

// Tags too many for one line of the page wrap onto further lines, each chip whole and
// within the page.
TEST_F(SystemDetailViewTest, TagsWrapOntoFurtherLinesEachChipWhole)
{
    HexData home = hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 1, 1}).named(QStringLiteral("Home"));
    home.starSystem.stars[0].worlds[0].worldTags = {
        WorldTag::amberZone,  WorldTag::redZone,      WorldTag::gov3,          WorldTag::civilWar,
        WorldTag::alienRuins, WorldTag::bubbleCities, WorldTag::badlandsWorld, WorldTag::abandonedColony};
    m_universe->setData({home});
    SystemDetailView view(m_universe.get(), home, SystemDetailView::kViewWidth);
    view.resize(560, 700);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    QStringList shown;
    QSet<int> lines;
    const QRect page = view.widget()->rect();
    for (const Chip *chip : view.widget()->findChildren<Chip *>()) {
        ASSERT_TRUE(chip->isVisibleTo(&view));
        shown.append(chip->text());
        const QRect place(chip->mapTo(view.widget(), QPoint(0, 0)), chip->size());
        EXPECT_TRUE(page.contains(place)) << chip->text().toStdString();
        EXPECT_GE(chip->width(), chip->sizeHint().width()) << chip->text().toStdString();
        lines.insert(place.top());
    }
    EXPECT_EQ(shown, view.worldTagTitles());
    EXPECT_EQ(shown.size(), 8);
    EXPECT_GT(lines.size(), 1);
}
