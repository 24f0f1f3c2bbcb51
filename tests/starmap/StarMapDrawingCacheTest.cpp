#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/MapPainter.h"
#include "starmap/MapStamp.h"
#include "starmap/MapText.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

using namespace StarMapTest;

namespace {

const QSize kView(320, 240);

QImage blank()
{
    QImage image(kView, QImage::Format_ARGB32_Premultiplied);
    image.fill(MapColors::background());
    return image;
}

// Stars of every spectral type and luminosity, one to four per system, so that
// glyphs of one, two and three discs of many colours stand side by side.
QList<StarGlyph> glyphs()
{
    QList<StarGlyph> made;
    for (int i = 0; i < 40; ++i) {
        QList<Star> stars;
        for (int k = 0; k <= i % 4; ++k) {
            Star star;
            star.spectralType = static_cast<SpectralType>((i + 3 * k) % 7);
            star.luminosity = static_cast<LuminosityClass>((2 * i + k) % 8);
            stars.append(star);
        }
        made.append(StarGlyph::of(stars));
    }
    return made;
}

} // namespace

// Stamped star discs differ from discs drawn one by one by anti-aliasing only, at
// every scale, placement and disc size, discs overlapping within a glyph included.
TEST(StarMapDrawingCacheTest, StampedDiscsMatchDrawnDiscs)
{
    const QList<StarGlyph> all = glyphs();
    const HexLayout layout(60);
    for (const double scale : {0.03, 0.07, 0.15, 0.29, 0.61, 1.37}) {
        const MapTransform t{scale, QPointF(7.3, 5.6)};
        QImage drawn = blank(), stamped = blank();
        MapPainter one(drawn), many(stamped);
        one.setRenderHint(QPainter::Antialiasing);
        many.setRenderHint(QPainter::Antialiasing);
        for (qsizetype i = 0; i < all.size(); ++i) {
            const QPointF centre =
                t.toScreen(layout.center(HexLayout::coordinates(i % 8, i / 8))) +
                QPointF(0.13 * static_cast<double>(i % 5), 0.29 * static_cast<double>(i % 3));
            all[i].draw(one, centre, scale, 60, false);
            all[i].draw(many, centre, scale, 60, true);
        }
        int largest = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb a = drawn.pixel(x, y), b = stamped.pixel(x, y);
                largest = std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b))});
            }
        }
        EXPECT_LE(largest, 64) << "scale " << scale;
        EXPECT_NE(stamped, blank());
    }
}

// Star discs are kept under a key packed from their colour, their radius in sixteenths
// of a pixel and their quarter-pixel placement. Discs of the radii at the ends of what
// that holds (the smallest, those about 16 pixels, the largest stamped and one past
// it), at every placement and in two colours, each stamped after the smaller discs a
// narrower field would take it for, differ from discs drawn afresh by anti-aliasing
// only.
TEST(StarMapDrawingCacheTest, StampedDiscsAtTheEndsOfTheirKeyMatchDrawnDiscs)
{
    const auto disc = [](double radius, const QPointF &centre, const QColor &color, bool stamp) {
        QImage image(56, 56, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        {
            MapPainter painter(image);
            painter.setRenderHint(QPainter::Antialiasing);
            MapStamp::disc(painter, centre, radius, color, stamp);
        }
        return image;
    };
    for (const QColor &color : {QColor(255, 210, 160), QColor(160, 190, 255)}) {
        for (int sixteenths = 1; sixteenths <= 24 * 16 + 1; ++sixteenths) {
            if (sixteenths > 20 && std::abs(sixteenths - 256) > 6 && sixteenths < 380)
                continue;
            for (int place = 0; place < 16; ++place) {
                const QPointF centre(28 + (place % 4) / 4.0, 28 + (place / 4) / 4.0);
                const double radius = sixteenths / 16.0;
                EXPECT_LE(
                    compare(disc(radius, centre, color, true), disc(radius, centre, color, false)).largest,
                    64)
                    << "radius " << radius << " at " << centre.x() << ", " << centre.y();
            }
        }
    }
}

// Texts measured once and kept must place every name and number where a fresh
// measurement does, also after many other sizes have been drawn in between.
TEST(StarMapDrawingCacheTest, KeptTextWidthsDrawTheSameFrameAsFreshOnes)
{
    QList<HexData> data;
    for (int c = 1; c <= 6; ++c)
        data.append(hex(at(c, c % 3 + 1)));
    data[2].starSystem.name = QStringLiteral("A rather long system name");
    data[3].starSystem.name.clear();
    const auto universe = StarMapTest::universe(data);
    const StarMapVisibleSets sets(universe.get(), 60);
    const StarMapRenderer renderer(sets);
    const GridExtent extent = sets.systems().extent()->widened(2);
    const auto frame = [&](double scale) {
        QImage image(kView, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        renderer.draw(painter, {scale, QPointF(-20, 10)}, extent, QRectF(QPointF(0, 0), QSizeF(kView)));
        return image;
    };
    QImage fresh;
    // Another thread starts with nothing measured.
    std::thread([&] { fresh = frame(1.0); }).join();
    for (int step = 0; step < 40; ++step)
        frame(0.4 + step * 0.05);
    EXPECT_EQ(frame(1.0), fresh);
}

// Placed texts land on the pixels of a plain drawing from the font's metrics at the
// same point on the grid of 1/64 point glyphs are placed by, drawn straight, moved by
// the painter, turned as the labels are, or on a double-density picture.
TEST(StarMapDrawingCacheTest, PlacedTextsMatchPlainDrawingMovedOrTurned)
{
    const auto onGrid = [](double value) { return std::floor(value * 64 + 0.5) / 64; };
    for (const double angle : {0.0, 360.0, 17.0, -64.0, 1.0}) {
        QImage placed = blank(), plain = blank();
        for (QImage *image : {&placed, &plain}) {
            if (angle == 1.0)
                image->setDevicePixelRatio(2);
            QPainter painter(image);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setFont(MapText::display(13.7, painter.device()));
            painter.setPen(Qt::white);
            if (angle != 0 && angle != 1.0) {
                painter.translate(101.3, 77.6);
                painter.rotate(angle);
            }
            const QFontMetricsF metrics(painter.font(), painter.device());
            for (const QString &text : {QStringLiteral("0507"), QStringLiteral("Unnamed Region")}) {
                if (image == &placed) {
                    MapPainter map(painter);
                    MapText::drawCentred(map, QPointF(3.25, 9.5), text);
                    MapText::drawFromTopLeft(map, QPointF(-40.4, 30.1), text);
                } else {
                    painter.drawText(QPointF(onGrid(3.25 - metrics.horizontalAdvance(text) / 2),
                                             onGrid(9.5 - metrics.height() / 2) + metrics.ascent()),
                                     text);
                    painter.drawText(QPointF(onGrid(-40.4), onGrid(30.1) + metrics.ascent()), text);
                }
            }
        }
        EXPECT_EQ(placed, plain) << "angle " << angle;
        EXPECT_NE(placed, blank());
    }
}

// A text drawn whole pixels away, also starting left of the picture's origin as in a
// tile right of the first, gets the same pixels: the parts of a map drawn in tiles
// join into the picture drawn in one go.
TEST(StarMapDrawingCacheTest, TextsMovedByWholePixelsKeepTheirPixels)
{
    const QString text = QStringLiteral("Another name, much longer again, that runs past the edge");
    for (const double centre : {350.5, 255.0, 301.3}) {
        QList<QImage> drawn;
        for (const int shift : {0, 256}) {
            QImage image(700, 60, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::black);
            {
                MapPainter painter(image);
                painter.setFont(MapText::display(11, painter.device()));
                painter.setPen(Qt::white);
                MapText::drawCentred(painter, QPointF(centre - shift, 30.2), text);
            }
            drawn.append(image);
        }
        EXPECT_EQ(drawn[0].copy(256, 0, 300, 60), drawn[1].copy(0, 0, 300, 60)) << "centre " << centre;
        QImage black(300, 60, QImage::Format_ARGB32_Premultiplied);
        black.fill(Qt::black);
        EXPECT_NE(drawn[1].copy(0, 0, 300, 60), black);
    }
}

// A text of any length is laid out only as far as a screen could show it, and the box
// it is measured by holds what is drawn, so that the area a label or a name is said to
// reach never cuts its drawing.
TEST(StarMapDrawingCacheTest, LongTextsAreLaidOutAsFarAsAScreenShowsAndMeasuredAsDrawn)
{
    const QString megabyte = QStringLiteral("Regina ") + QString(1'000'000, u'i');
    for (const QString &text :
         {QStringLiteral("Spinward Marches"), QString(MapText::kLongestText + 1, u'l'), megabyte}) {
        constexpr double kSize = 9; // the smallest text the map draws of a name
        const QSizeF box = MapText::displayBoxPerPoint(text) * kSize;
        ASSERT_LT(box.width(), 40'000) << text.size();
        QImage image(int(std::ceil(box.width())) + 40, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        {
            MapPainter painter(image);
            painter.setFont(MapText::display(kSize, painter.device()));
            painter.setPen(Qt::white);
            MapText::drawCentred(painter, QPointF(image.width() / 2.0, 20), text);
        }
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) > 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        const double boxLeft = image.width() / 2.0 - box.width() / 2;
        EXPECT_GE(left, boxLeft - 2) << text.size();
        EXPECT_LE(right, boxLeft + box.width() + 2) << text.size();
        EXPECT_GE(right - left, box.width() - 6) << text.size();
    }
}
