#include "starmap/RoundStroke.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <span>
#include <vector>

namespace {

constexpr int kSize = 96;

struct Difference
{
    int largest = 0;
    double mean = 0; // over the pixels either picture covers
};

QImage blank()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The area a round-joined, round-capped stroke of the line covers, each pixel as
// covered as the area is within it: every point within half the width of the line.
// Each segment is drawn opaque with round caps 8 times as fine, and each 8 × 8 pixels
// then averaged, so that the rounding at the edges shrinks to an eighth.
QImage area(const QPolygonF &line, bool closed, double width)
{
    constexpr int fine = 8;
    QImage image(kSize * fine, kSize * fine, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(fine, fine);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
    for (qsizetype p = 0; p + 1 < line.size(); ++p)
        painter.drawLine(line[p], line[p + 1]);
    if (closed || line.size() == 1)
        painter.drawLine(line.last(), line.first());
    painter.end();
    QImage averaged = blank();
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            int sum = 0;
            for (int j = 0; j < fine; ++j) {
                for (int i = 0; i < fine; ++i)
                    sum += qAlpha(image.pixel(x * fine + i, y * fine + j));
            }
            averaged.setPixel(x, y, qRgba(0, 0, 0, (sum + fine * fine / 2) / (fine * fine)));
        }
    }
    return averaged;
}

// A picture of what `draw` paints, anti-aliased.
template <typename Draw> QImage painted(Draw draw)
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

// The line stroked by the platform, with round joins and caps.
QImage stroked(const QPolygonF &line, bool closed, double width)
{
    return painted([&](QPainter &painter) {
        QPainterPath path;
        path.addPolygon(line);
        if (closed)
            path.closeSubpath();
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    });
}

// The line stroked at each width in one walk, each stroke filled on a picture of its own.
std::vector<QImage> filled(const QPolygonF &line, bool closed, std::vector<double> widths)
{
    std::vector<QPainterPath> paths(widths.size());
    for (QPainterPath &path : paths)
        path.setFillRule(Qt::WindingFill);
    RoundStroke::append(paths, widths, line, closed, 0.1);
    std::vector<QImage> pictures;
    for (const QPainterPath &path : paths)
        pictures.push_back(painted([&](QPainter &painter) { painter.fillPath(path, Qt::black); }));
    return pictures;
}

QImage filled(const QPolygonF &line, bool closed, double width)
{
    return filled(line, closed, std::vector{width}).front();
}

Difference compare(const QImage &a, const QImage &b)
{
    Difference difference;
    int covered = 0;
    double sum = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int alphaA = qAlpha(a.pixel(x, y)), alphaB = qAlpha(b.pixel(x, y));
            if (alphaA == 0 && alphaB == 0)
                continue;
            const int d = std::abs(alphaA - alphaB);
            difference.largest = std::max(difference.largest, d);
            sum += d;
            ++covered;
        }
    }
    difference.mean = covered ? sum / covered : 0;
    return difference;
}

// A line along hex edges `edge` long, each turned by ±60° from the one before, as a
// region's outline is; it may run back along edges it ran before.
QPolygonF hexWalk(std::mt19937 &random, double edge, int edges)
{
    QPolygonF line{QPointF(kSize / 2.0 + 0.3, kSize / 2.0 + 0.7)};
    double angle = 30;
    for (int e = 0; e < edges; ++e) {
        angle += random() % 2 ? 60 : -60;
        const double radians = angle * std::numbers::pi / 180;
        line.append(line.last() + QPointF(edge * std::cos(radians), edge * std::sin(radians)));
    }
    return line;
}

// Covers the area of a round-joined stroke as closely as the platform's own stroke
// does, whatever the turns: hex walks from edges shorter than the stroke is wide to
// edges many times wider, open and closed, and lines of any angles, turning straight
// back included, each width of a walk along the line for several. Where a line runs
// over itself, both count the pixels at the edge of the area once per run, so both
// stray from it alike there.
TEST(RoundStrokeTest, CoversTheAreaAsCloselyAsThePlatformsStroke)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> place(20, kSize - 20);
    for (int round = 0; round < 60; ++round) {
        const bool closed = round % 2 == 0;
        const std::vector<double> widths = round % 3 == 0 ? std::vector{6.0, 2.5} : std::vector{4.0};
        QPolygonF line;
        if (round < 40) {
            line = hexWalk(random, 1 + (round % 5) * 1.5, 6 + round % 13);
        } else {
            for (int p = 0; p < 3 + round % 5; ++p)
                line.append(QPointF(place(random), place(random)));
            if (round % 4 == 1)
                line.append(line[line.size() - 2]); // straight back
        }
        const std::vector<QImage> ours = filled(line, closed, widths);
        for (std::size_t w = 0; w < widths.size(); ++w) {
            const double width = widths[w];
            SCOPED_TRACE(testing::Message()
                         << "round " << round << ", width " << width << ", closed " << closed);
            const QImage truth = area(line, closed, width);
            const Difference ourDifference = compare(ours[w], truth);
            const Difference platform = compare(stroked(line, closed, width), truth);
            EXPECT_LE(ourDifference.mean, platform.mean + 2.0);
            EXPECT_LE(ourDifference.largest, platform.largest + 48);
        }
    }
}

// Lines that collapse: repeated points count once, a line of one point is a dot and a
// closed line of two points is the segment with its round ends.
TEST(RoundStrokeTest, RepeatedPointsDotsAndTwoPointLoops)
{
    const QPointF a(40.25, 50.5), b(60.5, 44.75);
    EXPECT_EQ(filled({a, a, b, b, b}, false, 4), filled({a, b}, false, 4));
    EXPECT_EQ(filled({a, b, a, a}, true, 4), filled({a, b}, true, 4));
    EXPECT_LE(compare(filled({a, b}, true, 4), area({a, b}, false, 4)).mean, 6.0);

    const QImage dot = filled({a, a}, false, 6);
    EXPECT_EQ(qAlpha(dot.pixel(40, 50)), 255);
    EXPECT_EQ(qAlpha(dot.pixel(44, 50)), 0);
    EXPECT_GT(qAlpha(dot.pixel(42, 50)), 0);

    QPainterPath none;
    const double width = 4;
    RoundStroke::append(std::span(&none, 1), std::span(&width, 1), {}, true, 0.1);
    EXPECT_TRUE(none.isEmpty());
}

} // namespace
