// Colour marks: a mark shows on a list of its own colour, in light and dark palettes,
// and its ring never changes the colour it stands for.
#include "ui/ColorMark.h"
#include "ImageProbe.h"
#include "ui/PaletteColor.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>

#include <gtest/gtest.h>

namespace {

// The mark as a list of `base` colour shows it.
QImage onBase(const QIcon &icon, int size, const QColor &base)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(base);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, icon.pixmap(size));
    return image;
}

int brightestGray(const QImage &image)
{
    int brightest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            brightest = std::max(brightest, qGray(image.pixel(x, y)));
    }
    return brightest;
}

// Sets the application's text colour for one test.
class TextColor
{
public:
    explicit TextColor(const QColor &text) : m_saved(QApplication::palette())
    {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Text, text);
        QApplication::setPalette(palette);
    }
    ~TextColor() { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

} // namespace

TEST(ColorMarkTest, AWhiteFlagShowsOnAWhiteListAtEverySize)
{
    const TextColor black(Qt::black);
    for (const int size : {12, 16, 24, 32}) {
        const QImage image = onBase(colorFlagIcon(Qt::white), size, Qt::white);
        EXPECT_LT(darkestGray(image, image.rect()), 200) << size;
        // The ring follows the flag: right of the pole, below the cloth, the list shows.
        EXPECT_EQ(image.pixel(size - 1, size - 1), qRgb(255, 255, 255)) << size;
    }
}

TEST(ColorMarkTest, TheRingLeavesTheClothInTheColourItStandsFor)
{
    const TextColor black(Qt::black);
    for (const FactionColor entry : allCases<FactionColor>()) {
        const QColor color = paletteColor(entry);
        const QImage image = onBase(colorFlagIcon(color), 16, Qt::white);
        // The middle of the cloth.
        const QColor cloth = image.pixelColor(9, 6);
        EXPECT_LE(std::abs(cloth.red() - color.red()) + std::abs(cloth.green() - color.green()) +
                      std::abs(cloth.blue() - color.blue()),
                  3)
            << rawValue(entry).toStdString();
    }
}

TEST(ColorMarkTest, ADarkPaletteRingsABlackMarkInALightShade)
{
    QPixmapCache::clear();
    {
        const TextColor black(Qt::black);
        // Drawn once for a light palette...
        EXPECT_LT(darkestGray(onBase(colorFlagIcon(Qt::black), 16, Qt::white), QRect(0, 0, 16, 16)), 60);
        EXPECT_LT(darkestGray(onBase(colorDotIcon(Qt::black), 12, Qt::white), QRect(0, 0, 12, 12)), 60);
    }
    // ...and again for a dark one, whose black list shows a black flag by a light ring.
    const TextColor white(Qt::white);
    EXPECT_GT(brightestGray(onBase(colorFlagIcon(Qt::black), 16, Qt::black)), 80);
    EXPECT_GT(brightestGray(onBase(colorDotIcon(Qt::black), 12, Qt::black)), 80);
}

// A picker asks for the dot's 16-point icon box at the screen's pixel ratio: it gets a
// picture drawn for that ratio, with the dot 12 points across in the middle of the box
// and its edge a single pixel of ring, as sharp as at ratio 1.
TEST(ColorMarkTest, TheDotIsDrawnAtTheScreensPixelRatio)
{
    const TextColor black(Qt::black);
    const QColor red(Qt::red);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const QPixmap picture = colorDotIcon(red).pixmap(QSize(16, 16), ratio);
        const int box = qRound(16 * ratio);
        ASSERT_EQ(picture.size(), QSize(box, box)) << ratio;
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(16, 16)) << ratio;

        // Across the middle row: clear outside the dot, the ring's one pixel, then red.
        const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
        const int middle = box / 2;
        const int left = qRound(2 * ratio);
        const int right = box - 1 - left;
        EXPECT_LE(qAlpha(image.pixel(left - 1, middle)), 8) << ratio;
        EXPECT_LE(qAlpha(image.pixel(right + 1, middle)), 8) << ratio;
        EXPECT_GT(qAlpha(image.pixel(left, middle)), 128) << ratio;
        for (int x = left + 1; x < right; ++x) {
            const QRgb pixel = image.pixel(x, middle);
            EXPECT_LE(std::abs(qRed(pixel) - 255) + qGreen(pixel) + qBlue(pixel) + (255 - qAlpha(pixel)), 12)
                << ratio << " at " << x;
        }
    }
}
