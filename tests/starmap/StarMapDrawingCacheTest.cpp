#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/MapText.h"
#include "starmap/StarGlyphBatch.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QPainter>

#include <gtest/gtest.h>

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

// Painted together, the glyphs of neighbouring hexes come out as painted one by one,
// at every scale below the one where names join them.
TEST(StarMapDrawingCacheTest, BatchedGlyphsMatchGlyphsPaintedInTurn)
{
    const QList<StarGlyph> all = glyphs();
    const HexLayout layout(60);
    for (const double scale : {0.03, 0.07, 0.15, 0.29}) {
        const MapTransform t{scale, QPointF(7.3, 5.6)};
        QImage single = blank(), batched = blank();
        QPainter one(&single), many(&batched);
        one.setRenderHint(QPainter::Antialiasing);
        many.setRenderHint(QPainter::Antialiasing);
        StarGlyphBatch batch;
        for (qsizetype i = 0; i < all.size(); ++i) {
            const QPointF centre = t.toScreen(layout.center(HexLayout::coordinates(i % 8, i / 8)));
            all[i].draw(one, centre, scale, 60);
            batch.add(all[i], centre, scale, 60);
        }
        batch.paint(many);
        EXPECT_EQ(single, batched) << "scale " << scale;
        EXPECT_NE(single, blank());
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

// Placed texts land on the pixels of a plain drawing from the font's metrics, drawn
// straight, moved by the painter, turned as the labels are, or on a double-density
// picture.
TEST(StarMapDrawingCacheTest, PlacedTextsMatchPlainDrawingMovedOrTurned)
{
    for (const double angle : {0.0, 360.0, 17.0, -64.0, 1.0}) {
        QImage placed = blank(), plain = blank();
        for (QImage *image : {&placed, &plain}) {
            if (angle == 1.0)
                image->setDevicePixelRatio(2);
            QPainter painter(image);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setFont(MapText::display(13.7, painter));
            painter.setPen(Qt::white);
            if (angle != 0 && angle != 1.0) {
                painter.translate(101.3, 77.6);
                painter.rotate(angle);
            }
            const QFontMetricsF metrics(painter.font(), painter.device());
            for (const QString &text : {QStringLiteral("0507"), QStringLiteral("Unnamed Region")}) {
                if (image == &placed) {
                    MapText::drawCentred(painter, QPointF(3.25, 9.5), text);
                    MapText::drawFromTopLeft(painter, QPointF(-40.4, 30.1), text);
                } else {
                    painter.drawText(QPointF(3.25 - metrics.horizontalAdvance(text) / 2,
                                             9.5 - metrics.height() / 2 + metrics.ascent()),
                                     text);
                    painter.drawText(QPointF(-40.4, 30.1 + metrics.ascent()), text);
                }
            }
        }
        EXPECT_EQ(placed, plain) << "angle " << angle;
        EXPECT_NE(placed, blank());
    }
}
