#include "starmap/StarMapLayers.h"
#include "RandomMapEdits.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"
#include "universe/TestMapObjects.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numbers>

using namespace StarMapTest;

namespace {

const QSize kView(400, 300);

int distance(const QColor &a, const QColor &b)
{
    return std::max(
        {std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

QColor over(const QColor &ink, double alpha, const QColor &under)
{
    return QColor::fromRgbF(static_cast<float>(ink.redF() * alpha + under.redF() * (1 - alpha)),
                            static_cast<float>(ink.greenF() * alpha + under.greenF() * (1 - alpha)),
                            static_cast<float>(ink.blueF() * alpha + under.blueF() * (1 - alpha)));
}

// The box holding every pixel that differs between the two pictures.
QRect differences(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (distance(a.pixelColor(x, y), b.pixelColor(x, y)) > 8)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

Rutter rutter(const Faction &owner, const GalacticCoordinates &start, const GalacticCoordinates &end,
              bool main = false)
{
    return test_records::rutter(owner.id, start, end, RutterAge::recent, main);
}

class StarMapLayersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_universe = universe({hex(at(2, 2)), hex(at(2, 3)), hex(at(2, 5)), hex(at(2, 6)), hex(at(9, 9))});
        m_universe->setFactions({m_blue, m_red});
        m_sets = std::make_unique<StarMapVisibleSets>(m_universe.get(), 60);
        m_layers = std::make_unique<StarMapLayers>(*m_sets);
        m_renderer = std::make_unique<StarMapRenderer>(*m_sets);
        m_layers->install(*m_renderer);
        m_bare = std::make_unique<StarMapRenderer>(*m_sets);
    }

    // The transform that shows the centre of `hex` at the middle of the view.
    static MapTransform showing(const GalacticCoordinates &hex, double scale)
    {
        return {scale, QPointF(200, 150) - HexLayout(60).center(hex) * scale};
    }

    // The view through `t` as `renderer` draws it.
    static QImage render(const StarMapRenderer &renderer, const MapTransform &t)
    {
        QImage image(kView, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        renderer.draw(painter, t, {0, 12, 0, 12}, QRectF(QPointF(0, 0), QSizeF(kView)));
        return image;
    }
    QImage render(const MapTransform &t, bool layers = true) const
    {
        return render(layers ? *m_renderer : *m_bare, t);
    }

    Faction m_blue = aFaction().color(FactionColor::blue);
    Faction m_red = aFaction().color(FactionColor::red);
    std::unique_ptr<StarfarerUniverse> m_universe;
    std::unique_ptr<StarMapVisibleSets> m_sets;
    std::unique_ptr<StarMapLayers> m_layers;
    std::unique_ptr<StarMapRenderer> m_renderer;
    std::unique_ptr<StarMapRenderer> m_bare;
};

TEST(RutterStrokes, GroupsDecideTheStrokes)
{
    const Faction blue = aFaction().color(FactionColor::blue), red = aFaction().color(FactionColor::red);
    const QHash<QUuid, FactionColor> colors{{blue.id, blue.color}, {red.id, red.color}};
    const GalacticCoordinates a = at(1, 1), b = at(1, 4);
    EXPECT_EQ(RouteKey::of(rutter(blue, a, b)), RouteKey::of(rutter(red, b, a)));

    // A route and its reverse in one colour: one stroke.
    auto strokes = RutterLayer::drawnLinesByRoute({rutter(blue, a, b), rutter(blue, b, a, true)}, colors);
    ASSERT_EQ(strokes.lines.size(), 1);
    EXPECT_EQ(strokes.lines[0], (RutterLayer::DrawnLine{MapColors::palette(FactionColor::blue), 3.0, 0}));

    // A deleted faction's rutter is grey, and "grey" sorts before "red".
    Faction gone = aFaction().color(FactionColor::blue);
    strokes = RutterLayer::drawnLinesByRoute({rutter(red, a, b), rutter(gone, a, b)}, colors);
    ASSERT_EQ(strokes.lines.size(), 2);
    EXPECT_EQ(strokes.lines[0], (RutterLayer::DrawnLine{MapColors::palette(FactionColor::grey), 1.8, -1}));
    EXPECT_EQ(strokes.lines[1].side, 1);
    EXPECT_EQ(strokes.labelOutline, MapColors::brown());

    // Three in two colours: brown without a main route, the main route's colour with one.
    const QList<Rutter> three{rutter(red, a, b), rutter(blue, a, b), rutter(red, b, a)};
    strokes = RutterLayer::drawnLinesByRoute(three, colors);
    EXPECT_EQ(strokes.lines, (QList<RutterLayer::DrawnLine>{{MapColors::brown(), 1.8, 0}}));
    strokes = RutterLayer::drawnLinesByRoute(three + QList<Rutter>{rutter(red, a, b, true)}, colors);
    EXPECT_EQ(strokes.lines,
              (QList<RutterLayer::DrawnLine>{{MapColors::palette(FactionColor::red), 3.0, 0}}));
    EXPECT_TRUE(RutterLayer::drawnLinesByRoute({}, colors).lines.isEmpty());
}

TEST_F(StarMapLayersTest, TwoFactionsDrawParallelStrokesSixPointsApart)
{
    m_universe->setRutters(
        {rutter(m_red, at(2, 6), at(2, 2), true), rutter(m_blue, at(2, 2), at(2, 6), true)});
    // Through the empty hex 0204, straight down from 0202: blue on the −1 side, x + 3.
    const QImage image = render(showing(at(2, 4), 0.5));
    const int y = 160;
    EXPECT_LE(distance(image.pixelColor(203, y), MapColors::palette(FactionColor::blue)), 10);
    EXPECT_LE(distance(image.pixelColor(196, y), MapColors::palette(FactionColor::red)), 10);
    EXPECT_LE(distance(image.pixelColor(200, y), MapColors::background()), 10);
}

TEST_F(StarMapLayersTest, CapsuleOnlyForRoutesLongerThanOneHexWhenZoomedIn)
{
    const auto capsuleDrawn = [&](const GalacticCoordinates &end, double scale) {
        m_universe->setRutters({rutter(m_blue, at(2, 2), end)});
        const QPointF middle = (HexLayout(60).center(at(2, 2)) + HexLayout(60).center(end)) / 2;
        const MapTransform t{scale, QPointF(200, 150) - middle * scale};
        // Five points beside the vertical stroke only a capsule reaches.
        return distance(render(t).pixelColor(204, 150), render(t, false).pixelColor(204, 150)) > 8;
    };
    EXPECT_FALSE(capsuleDrawn(at(2, 3), 1.0));
    EXPECT_TRUE(capsuleDrawn(at(2, 5), 1.0));
    EXPECT_FALSE(capsuleDrawn(at(2, 5), 0.15));
    // An end without a system draws nothing at all.
    m_universe->setRutters({rutter(m_blue, at(2, 2), at(2, 4))});
    EXPECT_TRUE(differences(render(showing(at(2, 3), 1)), render(showing(at(2, 3), 1), false)).isEmpty());
}

TEST_F(StarMapLayersTest, RuttersFollowSystemsComingAndGoingThroughTheFrameCache)
{
    m_universe->setRutters({rutter(m_blue, at(2, 2), at(2, 6), true)});
    const MapTransform t = showing(at(2, 4), 0.5);
    StarMapFrameCache cache(*m_renderer);
    const QImage before = cache.sharpFrame(kView, 1, t, {0, 12, 0, 12});
    const HexData end = m_universe->data()[3];
    QObject::connect(m_sets.get(), &StarMapVisibleSets::cellsChanged,
                     [&](const QList<GalacticCoordinates> &cells) { cache.invalidate(cells); });
    m_universe->removeHex(end.id);
    const QImage removed = cache.sharpFrame(kView, 1, t, {0, 12, 0, 12});
    EXPECT_LE(distance(before.pixelColor(200, 160), MapColors::palette(FactionColor::blue)), 10);
    EXPECT_LE(distance(removed.pixelColor(200, 160), MapColors::background()), 10);
    EXPECT_TRUE(differences(removed, render(t)).isEmpty());
    m_universe->insertHex(end);
    EXPECT_TRUE(differences(cache.sharpFrame(kView, 1, t, {0, 12, 0, 12}), before).isEmpty());

    // Systems that come together, as an import's do, redraw the routes at each of them.
    const HexData far = *m_universe->hexData(at(9, 9));
    m_universe->removeHex(far.id);
    m_universe->removeHex(end.id);
    EXPECT_TRUE(differences(cache.sharpFrame(kView, 1, t, {0, 12, 0, 12}), removed).isEmpty());
    m_universe->insertHexes({far, end});
    EXPECT_TRUE(differences(cache.sharpFrame(kView, 1, t, {0, 12, 0, 12}), before).isEmpty());
}

// A route's end is held or not as the universe says when the route comes back, not as
// an earlier route left it: a route removed, then its end system, then the route again
// draws nothing to the empty hex.
TEST_F(StarMapLayersTest, ARouteThatComesBackToAnEmptiedHexIsNotDrawn)
{
    const Rutter route = rutter(m_blue, at(2, 2), at(2, 3));
    m_universe->insertObject(route);
    const MapTransform t = showing(at(2, 3), 1);
    render(t); // the layer groups its routes
    m_universe->removeObject<Rutter>(route.id);
    render(t);
    m_universe->removeHex(m_universe->hexData(at(2, 3))->id);
    m_universe->insertObject(route);
    const QImage drawn = render(t);
    EXPECT_TRUE(differences(drawn, render(t, false)).isEmpty());

    // With its system back, the route is drawn again.
    m_universe->insertHex(hex(at(2, 3)));
    EXPECT_FALSE(differences(render(t), render(t, false)).isEmpty());
}

// Labels appended together, as an import appends them, reach the picture as one area
// that holds them all: the kept frame then equals a fresh drawing.
TEST_F(StarMapLayersTest, LabelsAppendedTogetherRedrawOnceThroughTheFrameCache)
{
    const MapTransform t = showing(at(2, 4), 1);
    StarMapFrameCache cache(*m_renderer);
    int told = 0;
    QObject::connect(m_layers.get(), &StarMapLayers::objectChanged, [&](const MapDirtyArea &area) {
        ++told;
        cache.invalidate(area);
    });
    const auto frame = [&] { return cache.sharpFrame(kView, 1, t, {0, 12, 0, 12}); };
    const QImage before = frame();
    QList<StarmapLabel> labels;
    for (const GalacticCoordinates &place : {at(1, 2), at(3, 5), at(2, 6)}) {
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = QStringLiteral("Reach");
        label.size = 14;
        label.color = FactionColor::white;
        label.position = place;
        labels.append(label);
    }
    m_universe->insertObjects(labels);
    EXPECT_EQ(told, 1);
    const QImage after = frame();
    EXPECT_FALSE(differences(after, before).isEmpty());
    EXPECT_TRUE(differences(after, render(t)).isEmpty());
}

// Map objects changed one at a time reach the picture through the area their layer
// names alone: after each change the kept frame equals a fresh drawing, and a
// change far from the others leaves the rest of the frame as it was.
TEST_F(StarMapLayersTest, OneObjectsChangeRedrawsItsOwnAreaThroughTheFrameCache)
{
    Region region;
    region.id = QUuid::createUuid();
    region.color = FactionColor::green;
    region.closed = true;
    region.anchors = {{at(2, 2), 0}, {at(2, 2), 2}, {at(2, 2), 4}};
    Nebula nebula{QUuid::createUuid(), QStringLiteral("Cloud"), NebulaType::emission, {at(2, 5), at(2, 6)}};
    StarmapLabel label;
    label.id = QUuid::createUuid();
    label.text = QStringLiteral("Far Reach");
    label.size = 14;
    label.color = FactionColor::white;
    label.position = at(3, 3);
    m_universe->setRegions({region});
    m_universe->setNebulae({nebula});
    m_universe->setStarmapLabels({label});
    m_universe->setRutters({rutter(m_blue, at(2, 2), at(2, 3))});
    const MapTransform t = showing(at(2, 4), 1);
    StarMapFrameCache cache(*m_renderer);
    QList<QRectF> redrawn;
    QObject::connect(m_layers.get(), &StarMapLayers::objectChanged, [&](const MapDirtyArea &area) {
        redrawn.append(area.onScreen(t));
        cache.invalidate(area);
    });
    const auto frame = [&] { return cache.sharpFrame(kView, 1, t, {0, 12, 0, 12}); };
    frame();

    const QList<std::function<void()>> changes{
        [&] { m_universe->insertObject(rutter(m_red, at(2, 5), at(2, 6), true)); },
        [&] {
            Rutter moved = m_universe->rutters().first();
            moved.end = at(2, 5);
            m_universe->replaceObject(moved);
        },
        [&] {
            Faction recoloured = m_blue;
            recoloured.color = FactionColor::yellow;
            m_universe->replaceObject(recoloured);
        },
        [&] { m_universe->removeObject<Rutter>(m_universe->rutters().last().id); },
        [&] {
            region.anchors = {{at(2, 5), 0}, {at(2, 5), 2}, {at(2, 5), 4}};
            region.name = QStringLiteral("Moved");
            m_universe->replaceObject(region);
        },
        [&] { m_universe->removeObject<Region>(region.id); },
        [&] {
            nebula.type = NebulaType::planetary;
            nebula.hexes.append(at(3, 5));
            m_universe->replaceObject(nebula);
        },
        [&] {
            label.text = QStringLiteral("A much longer label text");
            label.angle = std::numbers::pi / 4;
            m_universe->replaceObject(label);
        },
        [&] {
            StarmapLabel other = label;
            other.id = QUuid::createUuid();
            other.position = at(2, 6);
            m_universe->insertObject(other);
        },
        [&] { m_universe->removeObject<StarmapLabel>(label.id); },
    };
    for (qsizetype i = 0; i < changes.size(); ++i) {
        redrawn.clear();
        changes[i]();
        EXPECT_EQ(redrawn.size(), 1) << "change " << i;
        EXPECT_TRUE(differences(frame(), render(t)).isEmpty()) << "change " << i;
    }

    // A rutter far off the view's other objects redraws only a strip around itself.
    redrawn.clear();
    m_universe->insertObject(rutter(m_red, at(9, 9), at(9, 9)));
    m_universe->insertObject(rutter(m_red, at(2, 2), at(2, 3)));
    ASSERT_EQ(redrawn.size(), 2);
    EXPECT_LT(redrawn.last().width(), kView.width() / 2);
    EXPECT_TRUE(differences(frame(), render(t)).isEmpty());

    // Routes and labels of an import, each kind appended together: the routes redraw
    // in one area, both routes of a new pair among them.
    redrawn.clear();
    m_universe->insertObjects(QList{rutter(m_blue, at(2, 4), at(3, 4)), rutter(m_red, at(3, 4), at(2, 4)),
                                    rutter(m_blue, at(1, 6), at(3, 6))});
    EXPECT_EQ(redrawn.size(), 1);
    EXPECT_TRUE(differences(frame(), render(t)).isEmpty());
    StarmapLabel west = label, east = label;
    west.id = QUuid::createUuid();
    west.position = at(1, 5);
    east.id = QUuid::createUuid();
    east.position = at(3, 5);
    m_universe->insertObjects(QList{west, east});
    EXPECT_TRUE(differences(frame(), render(t)).isEmpty());
}

TEST_F(StarMapLayersTest, RegionsFillOnlyWhenClosedAndNeedTwoAnchors)
{
    Region region;
    region.color = FactionColor::green;
    region.closed = true;
    region.anchors = {{at(6, 6), 0}, {at(6, 6), 2}, {at(6, 6), 4}};
    const QColor fill = over(MapColors::palette(FactionColor::green), 0.25, MapColors::background());
    const MapTransform far = showing(at(6, 6), 0.15);
    m_universe->setRegions({region});
    EXPECT_LE(distance(render(far).pixelColor(200, 150), fill), 6);
    // The outline runs a hex radius (9 points) from the centre.
    EXPECT_GT(distance(render(far).pixelColor(208, 150), MapColors::background()), 40);

    region.closed = false;
    m_universe->setRegions({region});
    EXPECT_LE(distance(render(far).pixelColor(200, 150), MapColors::background()), 2);

    // One anchor: neither outline nor name, even with a label hex and names shown.
    region.anchors = {{at(6, 6), 0}};
    region.labelCoordinates = at(6, 6);
    m_universe->setRegions({region});
    EXPECT_TRUE(differences(render(showing(at(6, 6), 1)), render(showing(at(6, 6), 1), false)).isEmpty());
}

TEST_F(StarMapLayersTest, NebulaColourAtItsHexCentreFollowsEdits)
{
    Nebula nebula;
    nebula.type = NebulaType::emission;
    nebula.hexes = {at(6, 6)};
    m_universe->setNebulae({nebula});
    const MapTransform t = showing(at(6, 6), 0.15);
    // A disc of one radius blurred by half a radius keeps most of its ink at the centre.
    const double alpha = 0.3 * (1 - std::exp(-2.0));
    EXPECT_LE(
        distance(render(t).pixelColor(200, 150), over(MapColors::yellow(), alpha, MapColors::background())),
        8);
    // Three radii out the cloud has faded away.
    EXPECT_LE(distance(render(t).pixelColor(200 + 30, 150), MapColors::background()), 2);

    nebula.type = NebulaType::planetary;
    m_universe->setNebulae({nebula});
    EXPECT_LE(
        distance(render(t).pixelColor(200, 150), over(MapColors::blue(), alpha, MapColors::background())), 8);
    m_universe->setMapShowNebulae(false);
    EXPECT_LE(distance(render(t).pixelColor(200, 150), MapColors::background()), 2);
}

TEST_F(StarMapLayersTest, LabelsTurnAboutTheirHex)
{
    StarmapLabel label;
    label.text = QStringLiteral("WWWWWWWW");
    label.size = 20;
    label.position = at(6, 6);
    const MapTransform t = showing(at(6, 6), 0.15);
    const auto drawn = [&](double angle) {
        label.angle = angle;
        m_universe->setStarmapLabels({label});
        return differences(render(t), render(t, false));
    };
    const QRect flat = drawn(0), turned = drawn(std::numbers::pi / 2);
    EXPECT_GT(flat.width(), 3 * flat.height());
    EXPECT_GT(turned.height(), 3 * turned.width());
    EXPECT_NEAR(turned.center().y(), 150, 3);
    label.text.clear();
    EXPECT_TRUE(drawn(0).isEmpty());
}

// A label whose text holds line breaks is drawn on its lines, each centred on the
// hex, turned with the label: its ink lies in as many bands as it has lines, with a
// gap between them, and no wider than its widest line.
TEST_F(StarMapLayersTest, ALabelIsDrawnOnItsLines)
{
    StarmapLabel label;
    label.size = 20;
    label.position = at(6, 6);
    const MapTransform t = showing(at(6, 6), 1);
    const auto drawn = [&](const QString &text, double angle) {
        label.text = text;
        label.angle = angle;
        m_universe->setStarmapLabels({label});
        return std::pair{render(t), render(t, false)};
    };
    // The bands of rows (or columns, `across`) in which the pictures differ.
    const auto bands = [](const std::pair<QImage, QImage> &pictures, bool across) {
        const auto &[a, b] = pictures;
        int count = 0;
        bool inked = false;
        for (int i = 0; i < (across ? a.width() : a.height()); ++i) {
            bool any = false;
            for (int j = 0; j < (across ? a.height() : a.width()) && !any; ++j) {
                const QPoint p = across ? QPoint(i, j) : QPoint(j, i);
                any = distance(a.pixelColor(p), b.pixelColor(p)) > 8;
            }
            count += any && !inked ? 1 : 0;
            inked = any;
        }
        return count;
    };
    const QRect oneLine = std::apply(differences, drawn(QStringLiteral("Islands Cluster"), 0));
    const auto flat = drawn(QStringLiteral("Islands\nCluster"), 0);
    const QRect twoLines = std::apply(differences, flat);
    EXPECT_EQ(bands(flat, false), 2);
    EXPECT_EQ(std::apply(differences, drawn(QStringLiteral("Islands\r\nCluster"), 0)), twoLines);
    EXPECT_LT(twoLines.width(), oneLine.width() * 2 / 3);
    EXPECT_GT(twoLines.height(), oneLine.height() * 3 / 2);
    EXPECT_NEAR(twoLines.center().x(), 200, 3);
    EXPECT_NEAR(twoLines.center().y(), 150, 3);
    EXPECT_EQ(bands(drawn(QStringLiteral("Islands\r\nCluster\nof the Rim"), std::numbers::pi / 2), true), 3);

    // What is marked to draw again for a new label covers all its lines, which reach
    // further from the hex than the same words on one line (zoomed out, where the
    // text keeps its least size).
    const MapTransform out = showing(at(6, 6), 0.5);
    QList<QRectF> marked;
    QObject::connect(m_layers.get(), &StarMapLayers::objectChanged,
                     [&](const MapDirtyArea &area) { marked.append(area.onScreen(out)); });
    m_universe->setStarmapLabels({});
    label.id = QUuid::createUuid();
    label.text = QStringLiteral("I\nI\nI\nI\nI\nI\nI\nI");
    m_universe->insertObject(label);
    ASSERT_EQ(marked.size(), 1);
    EXPECT_TRUE(marked[0].contains(QRectF(differences(render(out), render(out, false)))));
    // And all of them are drawn.
    EXPECT_EQ(bands({render(out), render(out, false)}, true), 8);
}

// Turned labels and region outlines are stamped from pictures kept under a key. Each
// input of such a picture changed alone (the zoom about the outline's first corner,
// and the view's sub-pixel placement across and down, among them), one object at a
// time or as a whole list, while the pictures of the map before the change are kept,
// draws what layers made afresh draw.
TEST_F(StarMapLayersTest, EachInputOfAKeptPictureChangedAloneIsDrawnAfresh)
{
    StarmapLabel label;
    label.id = QUuid::createUuid();
    label.text = QStringLiteral("Turned");
    label.size = 50;
    label.angle = 0.6;
    label.color = FactionColor::yellow;
    label.position = at(4, 7);
    Region region;
    region.id = QUuid::createUuid();
    region.color = FactionColor::green;
    region.anchors = {{at(5, 3), 0}, {at(7, 3), 2}, {at(6, 5), 4}};
    struct Inputs
    {
        StarmapLabel label;
        Region region;
        MapTransform transform;
    };
    const Inputs base{label, region, showing(at(5, 5), 0.5)};
    // The outline's picture is placed by its first corner, which a zoom about it keeps.
    const QPointF corner = region.outlinePoints(60).first();
    const QPointF cornerShown = base.transform.toScreen(corner);
    using Change = std::function<void(Inputs &)>;
    const std::vector<std::pair<const char *, Change>> changes{
        {"label text", [](Inputs &in) { in.label.text = QStringLiteral("Turnee"); }},
        {"label size", [](Inputs &in) { in.label.size = 56; }},
        {"label angle", [](Inputs &in) { in.label.angle = 0.9; }},
        {"label colour", [](Inputs &in) { in.label.color = FactionColor::cyan; }},
        {"region colour", [](Inputs &in) { in.region.color = FactionColor::magenta; }},
        {"region closed", [](Inputs &in) { in.region.closed = true; }},
        {"region anchor", [](Inputs &in) { in.region.anchors[2].corner = 3; }},
        {"zoom",
         [&](Inputs &in) {
             in.transform = {0.55, cornerShown - corner * 0.55};
         }},
        {"sub-pixel placement across", [](Inputs &in) { in.transform.offset += QPointF(0.3, 0); }},
        {"sub-pixel placement down", [](Inputs &in) { in.transform.offset += QPointF(0, 0.55); }},
    };
    for (const bool wholeList : {false, true}) {
        for (const auto &[input, change] : changes) {
            SCOPED_TRACE(testing::Message() << input << (wholeList ? ", as a whole list" : ""));
            // Layers that drew the map before the change keep its pictures.
            m_universe->setStarmapLabels({base.label});
            m_universe->setRegions({base.region});
            const StarMapVisibleSets sets(m_universe.get(), 60);
            StarMapLayers layers(sets);
            StarMapRenderer kept(sets);
            layers.install(kept);
            const QImage before = render(kept, base.transform);
            Inputs changed = base;
            change(changed);
            if (wholeList) {
                m_universe->setStarmapLabels({changed.label});
                m_universe->setRegions({changed.region});
            } else {
                m_universe->replaceObject(changed.label);
                m_universe->replaceObject(changed.region);
            }
            const StarMapVisibleSets freshSets(m_universe.get(), 60);
            StarMapLayers freshLayers(freshSets);
            StarMapRenderer fresh(freshSets);
            freshLayers.install(fresh);
            const QImage drawnAfresh = render(fresh, changed.transform);
            EXPECT_GT(compare(drawnAfresh, before).share, 0.0005) << "the change does not show";
            EXPECT_TRUE(render(kept, changed.transform) == drawnAfresh);
        }
    }
}

// A part of the map drawn on its own, as a tile is, with the long region outlines, the
// routes and the labels cut to what reaches it, gets the pixels of the same part of
// the whole view drawn without culling: outlines filled and open crossing the part and
// running back along themselves, labels straight and turned across its edges, routes
// ending far outside it and routes shorter on screen than their stroke; from a scale at
// which the whole map fits the view to close up.
TEST(StarMapLayersDifferentialTest, APartDrawnOnItsOwnMatchesTheWholeView)
{
    QList<GalacticCoordinates> places;
    for (qint64 col = -6; col <= 40; col += 3) {
        for (qint64 row = -4; row <= 30; row += 4)
            places.append(HexLayout::coordinates(col + row % 2, row));
    }
    constexpr int kPart = 160;
    for (const unsigned seed : {3u, 77u, 1234u}) {
        const auto u = universe();
        RandomMapEdits edits(*u, seed, places);
        edits.populate();
        QList<Region> regions;
        QList<StarmapLabel> labels;
        for (int i = 0; i < 8; ++i) {
            regions.append(edits.someRegion());
            labels.append(edits.someLabel());
        }
        // Routes between neighbouring places too, short enough on screen to be
        // drawn longer than the way between their ends.
        QList<Rutter> routes = u->rutters();
        for (int i = 0; i < 40; ++i) {
            const qsizetype from = edits.below(places.size());
            const qsizetype to =
                edits.chance(2) ? std::min(from + 1, places.size() - 1) : edits.below(places.size());
            routes.append(test_records::rutter(edits.pick(u->factions()).id, places[from], places[to],
                                               RutterAge::recent, edits.chance(2)));
        }
        u->setRutters(routes);
        u->setRegions(regions);
        u->setStarmapLabels(labels);
        const StarMapVisibleSets sets(u.get(), 60);
        StarMapLayers layers(sets);
        StarMapRenderer whole(sets), parts(sets);
        layers.install(whole);
        layers.install(parts);
        whole.setCulling(false);
        const GridExtent extent = sets.systems().extent()->widened(2);
        const QPointF middle = HexLayout(60).center(HexLayout::coordinates(17, 13));
        for (const double scale : {0.02, 0.06, 0.15, 0.4, 1.0}) {
            const QPointF shift(double(edits.below(1000)) / 1000, double(edits.below(1000)) / 1000);
            const MapTransform t{scale, QPointF(kPart, kPart) + shift - middle * scale};
            const PartDifference difference = partsAgainstWhole(whole, parts, t, extent, kPart);
            EXPECT_LE(difference.largest, 8) << "seed " << seed << ", scale " << scale << ", part at "
                                             << difference.part.x() << ", " << difference.part.y();
        }
    }
}

// A label that is not turned is drawn in place, one turned a whole turn is stamped
// from its picture: both show the same pixels, shadow and all, at every size and
// placement.
TEST_F(StarMapLayersTest, AStraightLabelDrawnInPlaceMatchesItsStampedPicture)
{
    StarmapLabel label;
    label.text = QStringLiteral("Regina \u2726 Ærø");
    label.color = FactionColor::orange;
    label.position = at(6, 6);
    for (const double size : {10.0, 24.0, 70.0}) {
        for (const double scale : {0.15, 0.37, 1.0}) {
            label.size = size;
            const MapTransform t{scale, showing(at(6, 6), scale).offset + QPointF(0.3, 0.7)};
            const auto drawn = [&](double angle) {
                label.angle = angle;
                m_universe->setStarmapLabels({label});
                return render(t);
            };
            const QImage straight = drawn(0), stamped = drawn(2 * std::numbers::pi);
            EXPECT_FALSE(differences(straight, render(t, false)).isEmpty()) << size << " at " << scale;
            EXPECT_LE(compare(straight, stamped).largest, 2) << size << " at " << scale;
        }
    }
}

// The layers kept up to date through random edits of every kind (routes grouped again
// one key at a time, ends held and emptied, outlines, clouds and texts kept by id,
// factions deleted and recoloured) draw what layers built afresh on the same document
// draw, zoomed in (capsules, names, overlays) and out. The route ends stand on columns
// whose pairs never share a midpoint, so that no two capsules overlap and the order in
// which routes are kept cannot show. And the scene of the map made at the last drawing,
// which the sets and layers share with what a tile being drawn holds, still draws what
// it drew then: no edit since reached into it.
TEST(StarMapLayersDifferentialTest, RandomEditsDrawWhatFreshLayersDraw)
{
    QList<GalacticCoordinates> routePlaces;
    for (const auto &[col, row] : {std::pair{0, 2}, {1, 0}, {3, 4}, {7, 1}, {12, 3}})
        routePlaces.append(HexLayout::coordinates(col, row));
    // Systems stand on the route ends twice as often as elsewhere.
    QList<GalacticCoordinates> places = routePlaces + routePlaces;
    for (const auto &[col, row] : {std::pair{2, 2}, {5, 0}, {6, 4}, {9, 3}, {10, 1}, {11, 5}})
        places.append(HexLayout::coordinates(col, row));
    const QSize view(720, 420);
    const GridExtent extent{-2, 14, -2, 8};
    const QList<MapTransform> transforms{{0.6, QPointF(40, 40)}, {0.15, QPointF(200, 150)}};
    const auto draw = [&](const StarMapRenderer &renderer, const MapTransform &t) {
        QImage image(view, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        renderer.draw(painter, t, extent, QRectF(QPointF(0, 0), QSizeF(view)));
        return image;
    };
    const auto drawScene = [&](const StarMapScene &scene, const MapTransform &t) {
        QImage image(view, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        StarMapRenderer::draw(painter, scene, t, extent, QRectF(QPointF(0, 0), QSizeF(view)));
        return image;
    };
    for (const unsigned seed : {3u, 77777u, 1u}) {
        const auto u = universe();
        RandomMapEdits edits(*u, seed, places);
        edits.setRoutePlaces(routePlaces);
        edits.populate();
        const StarMapVisibleSets sets(u.get(), 60);
        StarMapLayers layers(sets);
        StarMapRenderer renderer(sets);
        layers.install(renderer);
        std::shared_ptr<const StarMapScene> scene;
        MapTransform sceneAt;
        QImage sceneDrawn;
        for (int step = 0; step < 160; ++step) {
            const std::string edit = edits.step();
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step << ": " << edit);
            // Now and then several edits reach the layers before they draw again.
            if (edits.chance(3))
                continue;
            if (scene) {
                ASSERT_EQ(compare(drawScene(*scene, sceneAt), sceneDrawn).largest, 0)
                    << "the scene made before";
            }
            const StarMapVisibleSets freshSets(u.get(), 60);
            StarMapLayers freshLayers(freshSets);
            StarMapRenderer fresh(freshSets);
            freshLayers.install(fresh);
            // Either view shows every place.
            const MapTransform &t = edits.pick(transforms);
            ASSERT_LE(compare(draw(renderer, t), draw(fresh, t)).largest, 8) << "scale " << t.scale;
            scene = renderer.scene();
            sceneAt = t;
            sceneDrawn = drawScene(*scene, t);
        }
    }
}

// The rutter layer's look-up from a faction to the routes drawing its rutters, kept
// through random edits of every kind (rutters added, their ends and factions changed,
// rutters and factions deleted, whole lists set, filters and view modes turned), names
// what a plain walk of the visible rutters names, for every faction ever used.
TEST(StarMapLayersDifferentialTest, RoutesOfEachFactionMatchAWalkOfTheVisibleRutters)
{
    QList<GalacticCoordinates> places;
    for (const auto &[col, row] : {std::pair{0, 2}, {1, 0}, {3, 4}, {7, 1}, {12, 3}, {2, 2}})
        places.append(HexLayout::coordinates(col, row));
    for (const unsigned seed : {5u, 2024u, 90001u}) {
        const auto u = universe();
        RandomMapEdits edits(*u, seed, places);
        edits.populate();
        const StarMapVisibleSets sets(u.get(), 60);
        RutterLayer rutters(sets);
        QObject::connect(&sets, &StarMapVisibleSets::reset, [&] { rutters.invalidate(); });
        QObject::connect(&sets, &StarMapVisibleSets::cellsChanged,
                         [&](const QList<GalacticCoordinates> &cells) { rutters.cellsChanged(cells); });
        QObject::connect(&sets, &StarMapVisibleSets::rutterChanged,
                         [&](const ObjectChange<Rutter> &c) { rutters.rutterChanged(c.before, c.after); });
        QObject::connect(&sets, &StarMapVisibleSets::ruttersAppended,
                         [&](const QList<Rutter> &appended) { rutters.ruttersAppended(appended); });
        QObject::connect(&sets, &StarMapVisibleSets::factionChanged,
                         [&](const ObjectChange<Faction> &c) { rutters.factionChanged(c.before, c.after); });
        QSet<QUuid> factionIDs;
        qsizetype routesSeen = 0;
        for (int step = 0; step < 300; ++step) {
            const std::string edit = edits.step();
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step << ": " << edit);
            for (const Faction &faction : u->factions())
                factionIDs.insert(faction.id);
            for (const Rutter &rutter : u->rutters())
                factionIDs.insert(rutter.factionID);
            // The layer groups anew only when it kept nothing; otherwise it follows the edits.
            rutters.prepare();
            QHash<QUuid, QSet<RouteKey>> walked;
            const StarMapVisibleSets freshSets(u.get(), 60);
            for (const Rutter &rutter : freshSets.visibleRutters())
                walked[rutter.factionID].insert(RouteKey::of(rutter));
            for (const QUuid &id : std::as_const(factionIDs)) {
                ASSERT_EQ(rutters.routesOfFaction(id), walked.value(id)) << id.toString().toStdString();
                routesSeen += walked.value(id).size();
            }
        }
        EXPECT_GT(routesSeen, 0); // the edits left routes to look up
    }
}

} // namespace
