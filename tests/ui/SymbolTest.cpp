// Drawn symbols: each looks like itself, and is drawn once per size, colour and
// pixel ratio, never served for another.
#include "ui/Symbol.h"

#include <QImage>
#include <QPixmapCache>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// The most opaque pixel of a picture, unpremultiplied: the ink the symbol was drawn in.
QColor ink(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QColor best(0, 0, 0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > best.alpha())
                best = pixel;
        }
    }
    return best;
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 &&
           qAbs(a.blue() - b.blue()) <= 2 && qAbs(a.alpha() - b.alpha()) <= 2;
}

QByteArray bytes(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    return {reinterpret_cast<const char *>(image.constBits()), qsizetype(image.sizeInBytes())};
}

} // namespace

TEST(SymbolTest, EveryDrawnSymbolShowsSomethingOfItsOwn)
{
    QSet<QByteArray> seen;
    for (const Symbol symbol : allCases<Symbol>()) {
        const QPixmap pixmap = symbolPixmap(symbol, 16, Qt::black);
        const QImage image = pixmap.toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
        EXPECT_GT(inked, 10) << rawValue(symbol).toStdString();
        EXPECT_FALSE(seen.contains(bytes(pixmap)))
            << rawValue(symbol).toStdString() << " looks like another symbol";
        seen.insert(bytes(pixmap));
        EXPECT_FALSE(symbolIcon(symbol).isNull());
    }
}

TEST(SymbolTest, ASymbolAskedForAgainIsTheOneDrawnBefore)
{
    QPixmapCache::clear();
    const QColor red(200, 30, 30);
    const QPixmap first = symbolPixmap(Symbol::figureStand, 16, red, 2.0);
    const QPixmap again = symbolPixmap(Symbol::figureStand, 16, red, 2.0);
    EXPECT_EQ(again.cacheKey(), first.cacheKey());
    // The same colour given another way is the same picture.
    EXPECT_EQ(symbolPixmap(Symbol::figureStand, 16, QColor(QStringLiteral("#c81e1e")), 2.0).cacheKey(),
              first.cacheKey());

    // Once the cache lets it go, it is drawn again alike.
    QPixmapCache::clear();
    const QPixmap redrawn = symbolPixmap(Symbol::figureStand, 16, red, 2.0);
    EXPECT_NE(redrawn.cacheKey(), first.cacheKey());
    EXPECT_EQ(bytes(redrawn), bytes(first));
    EXPECT_EQ(redrawn.devicePixelRatio(), 2.0);
}

// Each request follows one that differs from it in a single respect, so that a cache
// that left that respect out of its key would serve the earlier picture.
TEST(SymbolTest, EverySizeColourAndRatioIsDrawnForItself)
{
    QPixmapCache::clear();
    struct Request
    {
        Symbol symbol;
        int size;
        QColor color;
        qreal ratio;
    };
    const QColor red(220, 20, 20);
    const std::vector<Request> requests{
        {Symbol::smallcircleFillCircle, 16, red, 1.0},
        {Symbol::smallcircleFillCircle, 16, QColor(20, 20, 220), 1.0},
        {Symbol::smallcircleFillCircle, 16, QColor(220, 20, 20, 90), 1.0},
        {Symbol::smallcircleFillCircle, 20, red, 1.0},
        {Symbol::smallcircleFillCircle, 16, red, 1.5},
        {Symbol::smallcircleFillCircle, 16, red, 2.0},
        {Symbol::smallcircleFillCircle, 16, red, 1.25},
        {Symbol::lockFill, 16, red, 1.0},
    };
    QSet<qint64> keys;
    for (const Request &request : requests) {
        const QPixmap pixmap = symbolPixmap(request.symbol, request.size, request.color, request.ratio);
        const std::string what = rawValue(request.symbol).toStdString() + " " + std::to_string(request.size) +
                                 " " + request.color.name(QColor::HexArgb).toStdString() + " @" +
                                 std::to_string(request.ratio);
        EXPECT_EQ(pixmap.devicePixelRatio(), request.ratio) << what;
        EXPECT_EQ(pixmap.width(), qRound(request.size * request.ratio)) << what;
        EXPECT_TRUE(near(ink(pixmap), request.color))
            << what << " drawn in " << ink(pixmap).name(QColor::HexArgb).toStdString();
        EXPECT_FALSE(keys.contains(pixmap.cacheKey())) << what << " is an earlier picture";
        keys.insert(pixmap.cacheKey());
    }
}
