#include "screens/ui/SystemRowDelegate.h"
#include "screens/SystemListTestSupport.h"
#include "screens/ui/SystemListView.h"
#include "starmap/RandomMapEdits.h"
#include "universe/StarfarerUniverse.h"

#include <QListView>
#include <QPainter>
#include <QPixmapCache>
#include <QTest>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

// The rows of a list painted one under the other by the list's delegate, the row
// `selected` highlighted, into an image of `pixelRatio`.
QImage paintRows(const QListView &list, qreal pixelRatio, int selected)
{
    const QAbstractItemModel &model = *list.model();
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    QList<QRect> rects;
    int height = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QSize size = list.itemDelegate()->sizeHint(option, model.index(row, 0));
        rects.append(QRect(QPoint(0, height), size));
        height += size.height();
    }
    QImage image(QSize(SystemRowDelegate::rowWidth(), std::max(height, 1)) * pixelRatio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int row = 0; row < model.rowCount(); ++row) {
        option.rect = rects[row];
        option.state.setFlag(QStyle::State_Selected, row == selected);
        list.itemDelegate()->paint(&painter, option, model.index(row, 0));
    }
    return image;
}

// The same rows drawn afresh: no row picture kept, by a delegate of their own.
QImage paintRowsAfresh(QListView &list, qreal pixelRatio, int selected)
{
    QAbstractItemDelegate *kept = list.itemDelegate();
    SystemRowDelegate fresh;
    list.setItemDelegate(&fresh);
    QPixmapCache::clear();
    QImage image = paintRows(list, pixelRatio, selected);
    list.setItemDelegate(kept);
    return image;
}

// The list's rows, painted over and over through the pictures the delegate keeps while
// the rows, the rules, the selection and the palette change, look each time as the
// same rows drawn afresh; each change is seen, so a picture kept for what a row was
// cannot stand in for what it is.
TEST_F(SystemListTest, KeptRowPicturesLookLikeRowsDrawnAfresh)
{
    Faction faction;
    faction.id = QUuid::createUuid();
    faction.shortName = QStringLiteral("RED");
    faction.color = FactionColor::red;
    m_universe->setFactions({faction});
    HexData first = system("Alpha", {0, 0, 1, 1}, "Prime");
    first.starSystem.stars[0].worlds[0].factionIDs = {faction.id};
    HexData second = system("Beta", {0, 0, 3, 3}, "Second");
    second.starSystem.stars[0].worlds[0].worldTags = {WorldTag::amberZone};
    store({first, second, system("Gamma", {0, 0, 5, 5})});
    m_universe->setRutters({{QUuid::createUuid(),
                             faction.id,
                             {0, 0, 1, 1},
                             {0, 0, 3, 3},
                             false,
                             RutterAge::recent,
                             std::nullopt}});

    SystemListView view(m_universe.get(), nullptr);
    auto *list = view.findChild<QListView *>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 3);

    for (const qreal pixelRatio : {1.0, 2.0}) {
        SCOPED_TRACE(pixelRatio);
        QPixmapCache::clear();
        int selected = 0;
        QImage before;
        // Paints through the kept pictures (first paint and repaint), compares with
        // rows drawn afresh and, after a change, checks that the change shows at all.
        const auto check = [&](const char *step) {
            SCOPED_TRACE(step);
            for (int paint = 0; paint < 2; ++paint) {
                const QImage kept = paintRows(*list, pixelRatio, selected);
                const QImage afresh = paintRowsAfresh(*list, pixelRatio, selected);
                EXPECT_TRUE(kept == afresh) << "paint " << paint;
                if (paint == 0 && !before.isNull())
                    EXPECT_FALSE(kept == before);
                before = kept;
            }
        };
        check("first paint");

        HexData renamed = m_universe->data()[1];
        renamed.starSystem.name = QStringLiteral("Betelgeuse");
        m_universe->replaceHex(renamed);
        check("renamed");

        HexData tagged = m_universe->data()[1];
        tagged.starSystem.stars[0].worlds[0].worldTags.append(WorldTag::alienRuins);
        m_universe->replaceHex(tagged);
        check("tag added");

        Faction recoloured = faction;
        recoloured.color = FactionColor::blue;
        m_universe->setFactions({recoloured});
        check("faction recoloured");

        // The first system's tech level sets the rules, which name the routes column.
        HexData rules = m_universe->data()[0];
        const bool traveller = m_universe->usesTravellerRules();
        rules.starSystem.stars[0].worlds[0].uwp.techLevel =
            traveller ? TechnologyLevel::tl4 : TechnologyLevel::ttl12;
        m_universe->replaceHex(rules);
        ASSERT_NE(m_universe->usesTravellerRules(), traveller);
        check("rules changed");

        selected = 2;
        check("selection moved");

        // The plain and the muted text colours, one at a time.
        QPalette palette = list->palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::Text, Qt::darkGreen);
        list->setPalette(palette);
        check("text colour changed");
        palette.setColor(QPalette::Disabled, QPalette::Text, Qt::darkMagenta);
        list->setPalette(palette);
        check("muted text colour changed");
        list->setPalette(QPalette());
        // Back to the first rules and faction colour for the next pixel ratio.
        m_universe->setFactions({faction});
        rules.starSystem.stars[0].worlds[0].uwp.techLevel =
            traveller ? TechnologyLevel::ttl12 : TechnologyLevel::tl4;
        m_universe->replaceHex(rules);
        renamed = m_universe->data()[1];
        renamed.starSystem.name = QStringLiteral("Beta");
        renamed.starSystem.stars[0].worlds[0].worldTags = {WorldTag::amberZone};
        m_universe->replaceHex(renamed);
    }
}

// The list paints through its kept row pictures while everything a row shows changes
// at random — names, notes, world names and tags, factions' codes and colours, rutters
// and the systems at their far ends, the rules' word, the first system made in an empty
// universe and the last removed, whole lists set at once: after each change its rows
// look as the same rows drawn afresh.
TEST_F(SystemListTest, KeptRowPicturesLookLikeRowsDrawnAfreshAfterEveryChange)
{
    SystemListView view(m_universe.get(), nullptr);
    auto *list = view.findChild<QListView *>();
    ASSERT_NE(list, nullptr);
    StarMapTest::RandomMapEdits edits(*m_universe, 1729,
                                      {{0, 0, 1, 1}, {0, 0, 4, 2}, {0, 0, 2, 7}, {0, 0, 5, 5}, {1, 0, 3, 3}});
    edits.populate();
    for (int step = 0; step < 1000 && !HasFailure(); ++step) {
        if (step == 500)
            edits.beginEmptying();
        paintRows(*list, 1.0, -1); // the pictures of the rows as they were
        const std::string edit = edits.anyStep();
        const QImage kept = paintRows(*list, 1.0, -1);
        ASSERT_TRUE(kept == paintRowsAfresh(*list, 1.0, -1)) << "step " << step << ": " << edit;
    }
}

} // namespace
