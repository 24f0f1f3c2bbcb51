#include "ui/ProgressSpinner.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The pixel of the spinner's picture that stands out most from its white background.
QColor strongestInk(ProgressSpinner &spinner)
{
    const QImage picture = spinner.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QColor strongest = Qt::white;
    int best = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            const int distance = (255 - pixel.red()) + (255 - pixel.green()) + (255 - pixel.blue());
            if (distance > best) {
                best = distance;
                strongest = pixel;
            }
        }
    }
    return strongest;
}

void setTextColour(ProgressSpinner &spinner, const QColor &colour)
{
    QPalette palette = spinner.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, colour);
    spinner.setPalette(palette);
}

} // namespace

// The spinner is drawn in its palette's text colour, and drawn again when that changes
// (a switch between light and dark appearance), not left in the colour it had first.
TEST(ProgressSpinner, DrawsInTheTextColourOfItsPalette)
{
    ProgressSpinner spinner;
    EXPECT_EQ(spinner.size(), QSize(ProgressSpinner::kWidth, ProgressSpinner::kWidth));
    setTextColour(spinner, QColor(200, 0, 0));
    const QColor red = strongestInk(spinner);
    EXPECT_GT(red.red(), 150);
    EXPECT_LT(red.green(), 60);
    EXPECT_LT(red.blue(), 60);

    setTextColour(spinner, QColor(0, 0, 200));
    const QColor blue = strongestInk(spinner);
    EXPECT_GT(blue.blue(), 150);
    EXPECT_LT(blue.red(), 60);
    EXPECT_LT(blue.green(), 60);
}

// The spokes fade behind the leading one: the leading spoke, straight up, is the
// strongest, and the one just behind it (anticlockwise) the faintest but visible.
TEST(ProgressSpinner, TheSpokesFadeBehindTheLeadingOne)
{
    const QImage picture = ProgressSpinner::image(64, Qt::black);
    const auto alphaAt = [&](double degrees) {
        const double radians = qDegreesToRadians(degrees);
        const QPointF point = QPointF(32, 32) + 20 * QPointF(std::sin(radians), -std::cos(radians));
        return qAlpha(picture.pixel(point.toPoint()));
    };
    EXPECT_EQ(qAlpha(picture.pixel(32, 32)), 0); // the centre is open
    int previous = alphaAt(0);
    EXPECT_GT(previous, 200);
    // Going anticlockwise from the leading spoke, each spoke is fainter than the last.
    for (int spoke = 1; spoke < 12; ++spoke) {
        const int alpha = alphaAt(-30.0 * spoke);
        EXPECT_LT(alpha, previous) << spoke;
        previous = alpha;
    }
    EXPECT_GT(previous, 30);
}
