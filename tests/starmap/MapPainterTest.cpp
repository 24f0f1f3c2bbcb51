#include "starmap/MapPainter.h"
#include "HeldGlobalPool.h"

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QStaticText>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string_view>
#include <thread>

namespace {

// What a verb draws with: fills the pen's colour, shapes the pen and brush, lines and
// texts the pen, pictures their own pixels.
enum class Ink { fill, shape, pen, picture };

// One verb drawn both ways: by the map's painter, and by the QPainter verb it stands for.
struct Verb
{
    const char *name;
    Ink ink;
    // The largest difference of one channel allowed where it is translucent.
    int tolerance;
    // Whether it draws in a painter turned and not only scaled and moved.
    bool turns;
    std::function<void(MapPainter &)> ours;
    std::function<void(QPainter &)> qts;
};

// A random case: a picture of one or two device pixels per point with stripes on it, a
// clip, a transform, a pen, a brush and a font, and one verb drawn in them.
struct Case
{
    QSize size;
    qreal ratio = 1;
    std::optional<QRectF> clip;
    QPointF shift;
    double angle = 0;
    double scale = 1;
    bool smoothPictures = false;
    QPen pen;
    QColor brush;
    double fontPixels = 12;
    std::size_t verb = 0;
    QImage ours; // drawn on a thread of its own while Qt's pool is held
};

QImage background(const Case &c)
{
    QImage image(c.size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(c.ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int x = 0; x < c.size.width(); x += 7)
        painter.fillRect(QRectF(x / c.ratio, 0, 4 / c.ratio, c.size.height() / c.ratio),
                         QColor::fromHsv((x * 5) % 360, 180, 200));
    return image;
}

QFont fontOf(const Case &c)
{
    QFont font(QStringLiteral("Nasalization"));
    font.setPixelSize(int(c.fontPixels));
    return font;
}

// Sets a painter up as the case says, the clip first, untransformed, as the map sets it.
template <typename Painter> void prepare(Painter &painter, const Case &c)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, c.smoothPictures);
    if (c.clip)
        painter.setClipRect(*c.clip);
    painter.setPen(c.pen);
    if (c.brush.isValid())
        painter.setBrush(c.brush);
    else
        painter.setBrush(Qt::NoBrush);
    painter.setFont(fontOf(c));
    painter.translate(c.shift);
    painter.rotate(c.angle);
    painter.scale(c.scale, c.scale);
}

// A small picture with translucent pixels, premultiplied.
QImage picture()
{
    QImage made(23, 17, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < made.height(); ++y) {
        for (int x = 0; x < made.width(); ++x)
            made.setPixelColor(x, y,
                               QColor::fromHsv((x * 17 + y * 5) % 360, 200, 255, (x * 11 + y * 23) % 256));
    }
    return made;
}

QPainterPath shape()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(QPolygonF{{5, 5}, {95, 20}, {40, 80}, {70, 90}, {-20, 50}});
    path.closeSubpath();
    path.addEllipse(QPointF(60, 40), 30, 18);
    return path;
}

QList<QLineF> lines()
{
    QList<QLineF> made;
    for (int i = 0; i < 8; ++i)
        made.append(QLineF(3 + i * 13, 2, 90 - i * 9, 95));
    for (int i = 0; i < 5; ++i)
        made.append(QLineF(-5, 10 + i * 17, 105, 8 + i * 18));
    made.append(QLineF(30, 30, 30, 30));
    // Past the sixteenth line, which Qt strokes apart from the first sixteen.
    for (int i = 0; i < 4; ++i)
        made.append(QLineF(20 + i * 21, 100, 24 + i * 21, 0));
    return made;
}

const QString kText = QStringLiteral("0507 Regina \u0393 Ærø \u2726");

const std::array<Verb, 10> &verbs()
{
    static const QImage kPicture = picture();
    static const std::array<Verb, 10> all{{
        {"fillRect", Ink::fill, 3, true,
         [](MapPainter &p) { p.fillRect(QRectF(10.3, 7.6, 70, 55), p.pen().color()); },
         [](QPainter &p) { p.fillRect(QRectF(10.3, 7.6, 70, 55), p.pen().color()); }},
        {"fillPath", Ink::fill, 3, true, [](MapPainter &p) { p.fillPath(shape(), p.pen().color()); },
         [](QPainter &p) { p.fillPath(shape(), p.pen().color()); }},
        {"drawPath", Ink::shape, 3, true, [](MapPainter &p) { p.drawPath(shape()); },
         [](QPainter &p) { p.drawPath(shape()); }},
        {"drawEllipse", Ink::shape, 3, true,
         [](MapPainter &p) { p.drawEllipse(QPointF(50.4, 45.2), 38, 22); },
         [](QPainter &p) { p.drawEllipse(QPointF(50.4, 45.2), 38, 22); }},
        {"drawRoundedRect", Ink::shape, 3, true,
         [](MapPainter &p) { p.drawRoundedRect(QRectF(8, 12, 80, 30), 15, 15); },
         [](QPainter &p) { p.drawRoundedRect(QRectF(8, 12, 80, 30), 15, 15); }},
        // Each line blended on its own: sets of lines that share pixels round apart.
        {"drawLines", Ink::pen, 6, true, [](MapPainter &p) { p.drawLines(lines()); },
         [](QPainter &p) { p.drawLines(lines()); }},
        {"drawText", Ink::pen, 4, true, [](MapPainter &p) { p.drawText(QPointF(4.3, 60.7), kText); },
         [](QPainter &p) { p.drawText(QPointF(4.3, 60.7), kText); }},
        {"drawStaticText", Ink::pen, 4, true,
         [](MapPainter &p) { p.drawStaticText(QPointF(2.5, 9.25), QStaticText(kText)); },
         [](QPainter &p) { p.drawStaticText(QPointF(2.5, 9.25), QStaticText(kText)); }},
        {"drawPicture", Ink::picture, 0, true, [](MapPainter &p) { p.drawPicture(QPoint(13, 9), kPicture); },
         [](QPainter &p) {
             const qreal ratio = p.device()->devicePixelRatioF();
             p.resetTransform();
             p.setRenderHint(QPainter::SmoothPixmapTransform, false);
             p.drawImage(QRectF(QPointF(13, 9) / ratio, QSizeF(kPicture.size()) / ratio), kPicture);
         }},
        // The raster engine weighs its samples in steps of 1/16 at most.
        {"drawStretched", Ink::picture, 8, false,
         [](MapPainter &p) { p.drawStretched(QRectF(6.3, 4.8, 81.7, 62.1), kPicture); },
         [](QPainter &p) {
             p.setRenderHint(QPainter::SmoothPixmapTransform);
             p.drawImage(QRectF(6.3, 4.8, 81.7, 62.1), kPicture);
         }},
    }};
    return all;
}

Case randomCase(std::mt19937 &random)
{
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto color = [&](bool opaque) {
        return QColor::fromHsv(int(random() % 360), int(random() % 256), int(random() % 256),
                               opaque ? 255 : 1 + int(random() % 254));
    };
    Case c;
    c.ratio = random() % 2 ? 2 : 1;
    c.size = QSize(int(uniform(60, 200) * c.ratio), int(uniform(60, 200) * c.ratio));
    c.verb = random() % verbs().size();
    if (random() % 3 == 0)
        c.clip = QRectF(uniform(0, 30), uniform(0, 30), uniform(20, 120), uniform(20, 120));
    c.shift = QPointF(uniform(-20, 30), uniform(-20, 30));
    if (verbs()[c.verb].turns && random() % 3 == 0)
        c.angle = uniform(-60, 60);
    c.scale = uniform(0.4, 2.5);
    c.smoothPictures = random() % 2;
    // Thin, cosmetic and thick pens of every end, opaque now and then.
    const bool opaque = random() % 5 == 0;
    c.pen = QPen(color(opaque), std::array{0.0, 0.6, 1.0, 2.0, 4.5}[random() % 5], Qt::SolidLine,
                 std::array{Qt::FlatCap, Qt::SquareCap, Qt::RoundCap}[random() % 3],
                 std::array{Qt::MiterJoin, Qt::RoundJoin, Qt::BevelJoin}[random() % 3]);
    if (random() % 4 == 0)
        c.pen.setStyle(Qt::NoPen);
    if (random() % 4 != 0)
        c.brush = color(opaque);
    // Text from small, which Qt lays from its glyph cache, to large, which it fills.
    c.fontPixels = std::array{9.0, 14.0, 31.0, 40.0, 70.0, 130.0}[random() % 6];
    return c;
}

// The largest difference of one channel between two pictures, premultiplied as they
// are stored: a unit of rounding in a pixel nearly transparent stays a unit.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *left = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *right = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = left[x], q = right[x];
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

// Every verb of the map's painter, in random states of the painter (turned, scaled,
// clipped, smoothing pictures or not, on pictures of one and two device pixels per
// point), with translucent and opaque pens and brushes, thin and thick lines of every
// end, and text from small to large: drawn on a thread outside Qt's global pool while
// every thread of that pool is held, each finishes, and draws the pixels of the
// QPainter verb it stands for, to a few units of rounding; exactly where the painter
// draws it itself, opaque.
TEST(MapPainterTest, EveryVerbDrawsQPaintersPixelsWithoutWaitingOnTheGlobalPool)
{
    std::mt19937 random(20261210);
    std::vector<Case> cases;
    for (int round = 0; round < 240; ++round)
        cases.push_back(randomCase(random));
    std::atomic<std::size_t> drawing{0};
    {
        HeldGlobalPool held(2);
        ASSERT_TRUE(held.isHeld());
        std::thread worker([&] {
            for (Case &c : cases) {
                c.ours = background(c);
                // A painter that smooths pictures, as the one given may.
                QPainter given(&c.ours);
                given.setRenderHint(QPainter::SmoothPixmapTransform, c.smoothPictures);
                MapPainter painter(given);
                prepare(painter, c);
                verbs()[c.verb].ours(painter);
                ++drawing;
            }
        });
        const bool drawn = QTest::qWaitFor([&] { return drawing == cases.size(); }, 30000);
        held.release();
        worker.join();
        ASSERT_TRUE(drawn) << "case " << drawing << " (" << verbs()[cases[drawing].verb].name
                           << ") waited on Qt's global pool";
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        const Verb &verb = verbs()[c.verb];
        SCOPED_TRACE(testing::Message()
                     << "case " << i << ", " << verb.name << ", ratio " << c.ratio << ", scale " << c.scale
                     << ", angle " << c.angle << ", pen " << c.pen.color().alpha() << " wide "
                     << c.pen.widthF() << ", font " << c.fontPixels);
        QImage qts = background(c);
        {
            QPainter painter(&qts);
            prepare(painter, c);
            verb.qts(painter);
        }
        const bool opaquePen = c.pen.style() == Qt::NoPen || c.pen.color().alpha() == 255;
        const bool opaque = verb.ink == Ink::fill ? c.pen.color().alpha() == 255
                            : verb.ink == Ink::shape
                                ? opaquePen && (!c.brush.isValid() || c.brush.alpha() == 255)
                            : verb.ink == Ink::pen ? opaquePen
                                                   : std::string_view(verb.name) == "drawPicture";
        // A translucent outline a device pixel wide or less is laid over as one stroke,
        // where Qt blends it segment by segment, twice where two segments meet: those
        // pixels differ by up to an eighth of the colour.
        const double device = c.pen.isCosmetic() ? c.pen.widthF() : c.pen.widthF() * c.scale * c.ratio;
        const bool thinOutline = verb.ink == Ink::shape && c.pen.style() != Qt::NoPen &&
                                 c.pen.color().alpha() < 255 && device <= 1;
        if (opaque) {
            EXPECT_TRUE(c.ours == qts) << "differs by " << largestDifference(c.ours, qts);
        } else {
            EXPECT_LE(largestDifference(c.ours, qts), thinOutline ? 32 : verb.tolerance);
        }
        // Where Qt drew more than rounding, so did we.
        const QImage before = background(c);
        if (largestDifference(qts, before) > verb.tolerance) {
            EXPECT_GT(largestDifference(c.ours, before), 0);
        }
    }
}

} // namespace

// Translucent lines blend as QPainter blends them, for every end and width, thin and
// cosmetic ones stepped one by one, thick ones with round ends stroked sixteen at a
// time: the crossings of lines apart blend twice, those within a run of sixteen round
// ended lines once.
TEST(MapPainterTest, TranslucentLinesBlendWhereQPainterBlendsThem)
{
    for (const Qt::PenCapStyle cap : {Qt::FlatCap, Qt::SquareCap, Qt::RoundCap}) {
        for (const double width : {0.0, 0.7, 1.0, 3.0}) {
            for (const qreal ratio : {1.0, 2.0}) {
                for (const double angle : {0.0, 30.0}) {
                    Case c;
                    c.size = QSize(120, 120) * ratio;
                    c.ratio = ratio;
                    c.shift = QPointF(10, 8);
                    c.angle = angle;
                    c.pen = QPen(QColor(200, 60, 40, 140), width, Qt::SolidLine, cap);
                    QImage ours = background(c), qts = background(c);
                    {
                        MapPainter painter(ours);
                        prepare(painter, c);
                        painter.drawLines(lines());
                    }
                    {
                        QPainter painter(&qts);
                        prepare(painter, c);
                        painter.drawLines(lines());
                    }
                    EXPECT_LE(largestDifference(ours, qts), 6)
                        << "cap " << cap << ", width " << width << ", ratio " << ratio << ", angle " << angle;
                }
            }
        }
    }
}

// A painter given smoothing pictures lays a picture too tall for the raster engine to
// blend in one piece without waiting on Qt's held pool, pixel for pixel, and smooths
// again once the map's painter is gone.
TEST(MapPainterTest, APainterThatSmoothsLaysLargePicturesInPlaceAndIsGivenBackSmoothing)
{
    const QImage large = picture().scaled(300, 280);
    QImage ours(320, 320, QImage::Format_ARGB32_Premultiplied);
    ours.fill(QColor(20, 30, 60));
    QImage qts = ours;
    bool smoothsAfter = false;
    std::atomic_bool drawn = false;
    {
        HeldGlobalPool held(2);
        ASSERT_TRUE(held.isHeld());
        std::thread worker([&] {
            QPainter given(&ours);
            given.setRenderHint(QPainter::SmoothPixmapTransform);
            {
                MapPainter painter(given);
                painter.drawPicture(QPoint(7, 11), large);
            }
            smoothsAfter = given.testRenderHint(QPainter::SmoothPixmapTransform);
            drawn = true;
        });
        const bool finished = QTest::qWaitFor([&] { return drawn.load(); }, 30000);
        held.release();
        worker.join();
        ASSERT_TRUE(finished) << "the picture waited on Qt's global pool";
    }
    EXPECT_TRUE(smoothsAfter);
    QPainter(&qts).drawImage(QPoint(7, 11), large);
    EXPECT_TRUE(ours == qts) << "differs by " << largestDifference(ours, qts);
}
