#include "starmap/MapPainter.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPicture>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <random>
#include <thread>

namespace {

using Draw = std::function<void(QPainter &)>;

// A picture with something on it already, so that blending shows: stripes of opaque
// colours, and a translucent band where the picture itself is not opaque.
QImage background(QSize size, qreal ratio)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int x = 0; x < size.width(); x += 7)
        painter.fillRect(QRectF(x / ratio, 0, 4 / ratio, size.height() / ratio),
                         QColor::fromHsv((x * 5) % 360, 180, 200));
    painter.fillRect(QRectF(0, size.height() / ratio / 2, size.width() / ratio, 9), QColor(20, 40, 200, 90));
    return image;
}

// The picture after `prepare` has set the painter up and `draw` has drawn on it.
QImage drawn(QSize size, qreal ratio, const Draw &prepare, const Draw &draw)
{
    QImage image = background(size, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    prepare(painter);
    draw(painter);
    return image;
}

// The lines drawn with `pen` by the map's painter.
void drawLines(QPainter &painter, const QList<QLineF> &lines, const QPen &pen)
{
    MapPainter map(painter);
    map.setPen(pen);
    map.drawLines(lines);
}

// The largest difference of one channel, alpha included, between two pictures.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

struct Case
{
    QSize size;
    qreal ratio = 1;
    Draw prepare;
    QPainterPath path;
    QColor color;
    QList<QLineF> lines;
    QPen pen;
};

// A random shape in a random state of the painter: overlapping polygons filled
// together, lines of a translucent pen, a turned, scaled or shifted painter, a clip,
// an opacity of its own, on pictures of one or two device pixels per point, reaching past their edges.
Case randomCase(std::mt19937 &random)
{
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    Case c;
    c.size = QSize(int(uniform(40, 160)), int(uniform(40, 160)));
    c.ratio = random() % 2 ? 2 : 1;
    const double shiftX = uniform(-20, 20), shiftY = uniform(-20, 20), scale = uniform(0.5, 2),
                 angle = random() % 3 ? 0 : uniform(0, 90);
    const bool clipped = random() % 2;
    const double opacity = random() % 4 ? 1 : 0.6;
    const QRectF clip(uniform(0, 30), uniform(0, 30), uniform(20, 120), uniform(20, 120));
    c.prepare = [=](QPainter &painter) {
        if (clipped)
            painter.setClipRect(clip);
        painter.translate(shiftX, shiftY);
        painter.scale(scale, scale);
        painter.rotate(angle);
        painter.setOpacity(opacity);
    };
    c.path.setFillRule(random() % 2 ? Qt::WindingFill : Qt::OddEvenFill);
    for (int p = 0; p < 1 + int(random() % 6); ++p) {
        QPolygonF polygon;
        for (int v = 0; v < 3 + int(random() % 6); ++v)
            polygon.append(QPointF(uniform(-20, 120), uniform(-20, 120)));
        c.path.addPolygon(polygon);
        c.path.closeSubpath();
    }
    c.path.addEllipse(QPointF(uniform(0, 100), uniform(0, 100)), uniform(2, 30), uniform(2, 30));
    c.color = QColor::fromHsv(int(random() % 360), int(random() % 256), int(random() % 256),
                              1 + int(random() % 254));
    for (int l = 0; l < 1 + int(random() % 8); ++l)
        c.lines.append(QLineF(uniform(-10, 110), uniform(-10, 110), uniform(-10, 110), uniform(-10, 110)));
    c.pen = QPen(QColor::fromHsv(int(random() % 360), 200, 255, 1 + int(random() % 254)), uniform(0.5, 4),
                 Qt::SolidLine, std::array{Qt::FlatCap, Qt::SquareCap, Qt::RoundCap}[random() % 3],
                 Qt::MiterJoin);
    return c;
}

// Fills and lines come out as the painter's own translucent ones do, to a few units
// of rounding, whatever the painter's transform, clip and device pixel ratio, on the
// thread that made the painter or on another.
TEST(TranslucentFillTest, DrawsWhatThePainterDraws)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 120; ++round) {
        const Case c = randomCase(random);
        SCOPED_TRACE(testing::Message() << "round " << round);
        const QImage before = drawn(c.size, c.ratio, c.prepare, [](QPainter &) {});
        const QImage platformFill =
            drawn(c.size, c.ratio, c.prepare, [&](QPainter &painter) { painter.fillPath(c.path, c.color); });
        const QImage platformLines = drawn(c.size, c.ratio, c.prepare, [&](QPainter &painter) {
            painter.setPen(c.pen);
            painter.drawLines(c.lines);
        });
        QImage fill, lines;
        std::thread([&] {
            fill = drawn(c.size, c.ratio, c.prepare,
                         [&](QPainter &painter) { MapPainter(painter).fillPath(c.path, c.color); });
            lines = drawn(c.size, c.ratio, c.prepare,
                          [&](QPainter &painter) { drawLines(painter, c.lines, c.pen); });
        }).join();
        EXPECT_LE(largestDifference(fill, platformFill), 3);
        // Each set of lines that overlap others rounds on its own.
        EXPECT_LE(largestDifference(lines, platformLines), 6);
        // Drawn on the painter's own thread, the same pixels.
        EXPECT_EQ(drawn(c.size, c.ratio, c.prepare,
                        [&](QPainter &painter) { MapPainter(painter).fillPath(c.path, c.color); }),
                  fill);
        // Where the platform drew more than rounding, so did we.
        if (largestDifference(platformFill, before) > 3) {
            EXPECT_GT(largestDifference(fill, before), 0);
        }
    }
}

// Fills one after another through one scratch picture each find it clean where they
// are drawn, small after large and large after small.
TEST(TranslucentFillTest, FillsInARowLeaveNothingOfEachOther)
{
    const QSize size(900, 400);
    const auto ellipse = [](const QRectF &box) {
        QPainterPath path;
        path.addEllipse(box);
        return path;
    };
    const QList<std::pair<QPainterPath, QColor>> fills{
        {ellipse({10, 10, 880, 380}), QColor(255, 0, 0, 100)},
        {ellipse({40, 40, 30, 20}), QColor(0, 255, 0, 180)},
        {ellipse({100, 60, 300, 200}), QColor(0, 0, 255, 60)},
        {ellipse({0, 0, 890, 390}), QColor(255, 255, 0, 30)},
        {ellipse({60, 30, 10, 10}), QColor(0, 0, 0, 128)},
    };
    const QImage platform = drawn(
        size, 1, [](QPainter &) {},
        [&](QPainter &painter) {
            for (const auto &[path, color] : fills)
                painter.fillPath(path, color);
        });
    const QImage ours = drawn(
        size, 1, [](QPainter &) {},
        [&](QPainter &painter) {
            MapPainter map(painter);
            for (const auto &[path, color] : fills)
                map.fillPath(path, color);
        });
    EXPECT_LE(largestDifference(ours, platform), 3);
}

// Shapes reaching far past the picture, as a region's outline does on a map zoomed in,
// or lying far off it: only what falls on the picture is drawn, as the painter draws it.
TEST(TranslucentFillTest, ShapesReachingFarPastThePicture)
{
    const QSize size(90, 70);
    QPainterPath across;
    across.addPolygon(QPolygonF{{-1e12, 10}, {1e12, 20}, {30, 1e11}});
    across.closeSubpath();
    QPainterPath farOff;
    farOff.addRect(QRectF(2e9, 2e9, 5e8, 5e8));
    const QList<QLineF> lines{{-1e10, 30, 1e10, 35}, {40, -1e10, 45, 1e10}};
    const QPen pen(QColor(255, 255, 255, 128), 2, Qt::SolidLine, Qt::FlatCap);
    const Draw none = [](QPainter &) {};
    for (const QPainterPath &path : {across, farOff}) {
        const QColor color(30, 200, 90, 100);
        EXPECT_LE(
            largestDifference(
                drawn(size, 1, none, [&](QPainter &painter) { MapPainter(painter).fillPath(path, color); }),
                drawn(size, 1, none, [&](QPainter &painter) { painter.fillPath(path, color); })),
            3);
    }
    EXPECT_LE(
        largestDifference(drawn(size, 1, none, [&](QPainter &painter) { drawLines(painter, lines, pen); }),
                          drawn(size, 1, none,
                                [&](QPainter &painter) {
                                    painter.setPen(pen);
                                    painter.drawLines(lines);
                                })),
        6);
}

// What the painter draws itself comes out exactly as its own: opaque colours, shapes
// wholly outside the picture or its clip, another composition mode, and a device that
// is not a picture.
TEST(TranslucentFillTest, WhatThePainterDrawsItselfIsExactlyItsOwn)
{
    const QSize size(80, 60);
    QPainterPath inside;
    inside.addEllipse(QRectF(10, 10, 50, 30));
    QPainterPath outside;
    outside.addRect(QRectF(200, 10, 30, 30));
    const QList<QLineF> lines{{0, 0, 80, 60}, {0, 60, 80, 0}};
    const auto same = [&](const Draw &prepare, const QPainterPath &path, const QColor &color) {
        EXPECT_EQ(
            drawn(size, 1, prepare, [&](QPainter &painter) { MapPainter(painter).fillPath(path, color); }),
            drawn(size, 1, prepare, [&](QPainter &painter) { painter.fillPath(path, color); }));
    };
    const Draw none = [](QPainter &) {};
    same(none, inside, QColor(200, 10, 10));
    same(none, outside, QColor(200, 10, 10, 100));
    same([](QPainter &painter) { painter.setClipRect(QRectF(70, 50, 10, 10)); }, inside,
         QColor(0, 0, 0, 100));
    same([](QPainter &painter) { painter.setCompositionMode(QPainter::CompositionMode_Plus); }, inside,
         QColor(200, 10, 10, 100));
    const QPen opaquePen(Qt::white, 2);
    EXPECT_EQ(drawn(size, 1, none, [&](QPainter &painter) { drawLines(painter, lines, opaquePen); }),
              drawn(size, 1, none, [&](QPainter &painter) {
                  painter.setPen(opaquePen);
                  painter.drawLines(lines);
              }));

    // On a recording, the recording holds the painter's own fill and lines.
    const auto played = [&](const Draw &draw) {
        QPicture recording;
        {
            QPainter painter(&recording);
            draw(painter);
        }
        return drawn(size, 1, none, [&](QPainter &painter) { recording.play(&painter); });
    };
    const QColor translucent(10, 200, 10, 120);
    const QPen translucentPen(QColor(255, 255, 255, 128), 2);
    EXPECT_EQ(played([&](QPainter &painter) {
                  MapPainter(painter).fillPath(inside, translucent);
                  drawLines(painter, lines, translucentPen);
              }),
              played([&](QPainter &painter) {
                  painter.fillPath(inside, translucent);
                  painter.setPen(translucentPen);
                  painter.drawLines(lines);
              }));
}

} // namespace
