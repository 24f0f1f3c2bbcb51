#include "screens/ui/SystemRowDelegate.h"
#include "ImageProbe.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListTestSupport.h"
#include "screens/SystemRowContent.h"
#include "screens/ui/SystemListView.h"
#include "starmap/RandomMapEdits.h"
#include "universe/StarfarerUniverse.h"

#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QPixmapCache>
#include <QStandardItemModel>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

using namespace screen_test;
using namespace Qt::StringLiterals;

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
        const int rowHeight = list.itemDelegate()->sizeHint(option, model.index(row, 0)).height();
        rects.append(QRect(0, height, SystemRowDelegate::rowWidth(), rowHeight));
        height += rowHeight;
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
                if (paint == 0 && !before.isNull()) {
                    EXPECT_FALSE(kept == before);
                }
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

        // The plain text colour and the background the muted one is worked out
        // against, one at a time.
        QPalette palette = list->palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::Text, Qt::darkGreen);
        list->setPalette(palette);
        check("text colour changed");
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::Base, Qt::yellow);
        list->setPalette(palette);
        check("row background changed");
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

// Everything a row's picture is drawn from: the row's content and routes title (its
// data), its width and pixel ratio, its text colour and background (which the muted
// text colour follows), the application's palette (the tag chips' colours) and font.
struct RowInputs
{
    SystemRowContent row;
    QString routesTitle = u"Rutters"_s;
    int width = SystemRowDelegate::rowWidth();
    qreal ratio = 1;
    QColor text = Qt::black, background = Qt::white;
    bool darkApplication = false;
    bool italicApplication = false;
};

QImage paintRow(const RowInputs &in)
{
    constexpr int kHeight = 140;
    const QPalette palette = QApplication::palette();
    const QFont font = QApplication::font();
    QPalette dark = palette;
    dark.setColor(QPalette::Window, Qt::black);
    QApplication::setPalette(in.darkApplication ? dark : palette);
    QFont italic = font;
    italic.setItalic(in.italicApplication);
    QApplication::setFont(italic);
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QVariant::fromValue(in.row), SystemListModel::RowRole);
    model.setData(model.index(0, 0), in.routesTitle, SystemListModel::RoutesTitleRole);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, in.width, kHeight);
    option.palette.setColor(QPalette::Text, in.text);
    option.palette.setColor(QPalette::Base, in.background);
    QImage image(QSize(SystemRowDelegate::rowWidth(), kHeight) * in.ratio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(in.ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    SystemRowDelegate().paint(&painter, option, model.index(0, 0));
    painter.end();
    QApplication::setPalette(palette);
    QApplication::setFont(font);
    return image;
}

} // namespace

// A row's picture is kept under a key of what it is drawn from: each input changed
// alone, with the picture of the row before the change kept, draws what a fresh
// drawing draws; inputs that only one kind of chip shows included.
TEST(SystemRowPictureTest, EachInputChangedAloneIsDrawnAfresh)
{
    RowInputs base;
    SystemRowContent &row = base.row;
    row = {u"00-0101 [A] \u00B7"_s,
           u"Alpha"_s,
           u"System notes"_s,
           u"Prime"_s,
           u"A788899-C"_s,
           u"World notes"_s,
           {{u"Moon"_s, u"C455366-8"_s, u"Moon notes"_s}},
           {u"Amber Zone"_s},
           {},
           {{QUuid::createUuid(), u"Beta"_s, 3, FactionColor::blue}}};
    row.factions.append(Faction{});
    row.factions[0].shortName = u"RED"_s;
    row.factions[0].color = FactionColor::red;
    using Change = std::function<void(RowInputs &)>;
    const std::vector<std::pair<const char *, Change>> changes{
        {"label", [](RowInputs &in) { in.row.label = u"00-0102 [A] \u00B7"_s; }},
        {"name", [](RowInputs &in) { in.row.name = u"Alphb"_s; }},
        {"notes", [](RowInputs &in) { in.row.notes = u"System notez"_s; }},
        {"main world", [](RowInputs &in) { in.row.mainWorldName = u"Primf"_s; }},
        {"main world profile", [](RowInputs &in) { in.row.mainWorldProfile = u"A788898-C"_s; }},
        {"main world notes", [](RowInputs &in) { in.row.mainWorldNotes = u"World notez"_s; }},
        {"other world", [](RowInputs &in) { in.row.otherNamedWorlds[0].name = u"Mooo"_s; }},
        {"other world profile", [](RowInputs &in) { in.row.otherNamedWorlds[0].profile = u"C455367-8"_s; }},
        {"other world notes", [](RowInputs &in) { in.row.otherNamedWorlds[0].notes = u"Moon notez"_s; }},
        {"tag", [](RowInputs &in) { in.row.mainWorldTagNames[0] = u"Red Zone"_s; }},
        {"tag added", [](RowInputs &in) { in.row.mainWorldTagNames.append(u"Civil War"_s); }},
        {"faction", [](RowInputs &in) { in.row.factions[0].shortName = u"REE"_s; }},
        {"faction colour", [](RowInputs &in) { in.row.factions[0].color = FactionColor::green; }},
        {"destination", [](RowInputs &in) { in.row.rutterDestinations[0].name = u"Betb"_s; }},
        {"destination distance", [](RowInputs &in) { in.row.rutterDestinations[0].distance = 4; }},
        {"destination colour",
         [](RowInputs &in) { in.row.rutterDestinations[0].color = FactionColor::gold; }},
        {"routes title", [](RowInputs &in) { in.routesTitle = u"Routes"_s; }},
        {"width", [](RowInputs &in) { in.width = 600; }},
        {"pixel ratio", [](RowInputs &in) { in.ratio = 2; }},
        {"text colour", [](RowInputs &in) { in.text = Qt::darkGreen; }},
        {"row background", [](RowInputs &in) { in.background = Qt::yellow; }},
        {"dark application palette", [](RowInputs &in) { in.darkApplication = true; }},
        {"application font", [](RowInputs &in) { in.italicApplication = true; }},
    };
    for (const auto &[input, change] : changes) {
        SCOPED_TRACE(input);
        QPixmapCache::clear();
        const QImage before = paintRow(base);
        RowInputs changed = base;
        change(changed);
        const QImage kept = paintRow(changed);
        QPixmapCache::clear();
        const QImage fresh = paintRow(changed);
        EXPECT_FALSE(fresh == before) << "the change does not show";
        EXPECT_TRUE(kept == fresh);
    }
}

// The texts of one line of a row stand on one baseline, whatever their fonts: the label
// and the name, a world's name and its profile line, at a pixel ratio of 1 and 2. Each
// is a flat-bottomed letter, found as what it adds to the line written in blanks.
TEST(SystemRowLinesTest, TextsOfOneLineShareTheirBaseline)
{
    using Fill = std::function<void(SystemRowContent &, const QString &, const QString &)>;
    const std::vector<std::pair<const char *, Fill>> lines{
        {"label and name",
         [](SystemRowContent &row, const QString &first, const QString &second) {
             row.label = first;
             row.name = second;
         }},
        {"main world and profile",
         [](SystemRowContent &row, const QString &first, const QString &second) {
             row.mainWorldName = first;
             row.mainWorldProfile = second;
         }},
        {"other world and profile",
         [](SystemRowContent &row, const QString &first, const QString &second) {
             row.otherNamedWorlds = {{first, second, QString()}};
         }},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        for (const auto &[line, fill] : lines) {
            SCOPED_TRACE(std::string(line) + (ratio > 1 ? " at 2x" : " at 1x"));
            const auto painted = [&, &fill = fill](const char *first, const char *second) {
                RowInputs in;
                in.ratio = ratio;
                fill(in.row, QString::fromLatin1(first), QString::fromLatin1(second));
                return paintRow(in);
            };
            const QImage blank = painted(" ", " ");
            const QImage firstOnly = painted("H", " ");
            const QRect first = differingRect(blank, firstOnly);
            const QRect second = differingRect(firstOnly, painted("H", "H"));
            ASSERT_FALSE(first.isEmpty() || second.isEmpty());
            EXPECT_EQ(first.bottom(), second.bottom());
        }
    }
}

// The lines of a row stay apart: with accents above and descenders below on every line,
// each line's ink is a band of its own, at a pixel ratio of 1 and 2.
TEST(SystemRowLinesTest, LinesStayApart)
{
    const QString tall = u"\u00C9g[y]"_s;
    RowInputs in;
    in.row = {tall, tall, tall, tall, tall, tall, {{tall, tall, tall}}, {}, {}, {}};
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        in.ratio = ratio;
        const QImage image = paintRow(in).convertToFormat(QImage::Format_RGB32);
        const int right = int(SystemRowDelegate::kInfoWidth * ratio);
        int bands = 0;
        bool inked = false;
        for (int y = 0; y < image.height(); ++y) {
            bool row = false;
            for (int x = 0; x < right && !row; ++x)
                row = image.pixel(x, y) != qRgb(255, 255, 255);
            bands += row && !inked;
            inked = row;
        }
        EXPECT_EQ(bands, 6);
    }
}
