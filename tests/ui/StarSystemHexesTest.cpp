#include "ui/StarSystemHexes.h"

#include <QColor>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;

QColor at(const QImage &image, double x, double y)
{
    return image.pixelColor(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

} // namespace

TEST(StarSystemHexes, AStarSitsInTheMiddleAndSpaceIsClear)
{
    const QImage image = StarSystemHexes::image(200);
    ASSERT_EQ(image.size(), QSize(200, 200));

    const QColor star = at(image, 100, 100);
    EXPECT_EQ(star.alpha(), 255);
    EXPECT_GT(star.red(), 230);
    EXPECT_GT(star.green(), 200);

    // Beyond the ring of hexes, at the corners, nothing is drawn.
    for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 199), QPoint(199, 199)})
        EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
}

TEST(StarSystemHexes, SixHexesRingTheStar)
{
    const int size = 300;
    const QImage image = StarSystemHexes::image(size);
    // The artwork spans a little more than 3·√3 hex radii from top to bottom.
    const double radius = size / (3 * kSqrt3 + 0.2);
    const QPointF centre(size / 2.0, size / 2.0);
    for (int k = 0; k < 6; ++k) {
        // Ring hexes lie √3 radii from the centre, at 30° + k·60°; a point halfway
        // between a hex's centre and its inner edge is hex fill, whatever world sits there.
        const double angle = (30 + 60 * k) * M_PI / 180;
        const QPointF inside = centre + QPointF(std::cos(angle), std::sin(angle)) * kSqrt3 * radius * 1.25;
        const QColor fill = at(image, inside.x(), inside.y());
        EXPECT_EQ(fill.alpha(), 255) << "hex " << k;
        EXPECT_GT(fill.blue(), fill.red()) << "hex " << k;
    }
    // Between two neighbouring ring hexes, outside the ring, there is a gap.
    const QPointF notch = centre + QPointF(0, -1) * (2.5 * radius);
    EXPECT_EQ(at(image, notch.x() + 2.2 * radius, notch.y()).alpha(), 0);
}

TEST(StarSystemHexes, StaysSquareAndCentredInAWideRectangle)
{
    QImage wide(400, 200, QImage::Format_ARGB32_Premultiplied);
    wide.fill(Qt::transparent);
    QPainter painter(&wide);
    StarSystemHexes::paint(painter, QRectF(0, 0, 400, 200));
    painter.end();
    EXPECT_GT(at(wide, 200, 100).red(), 230);
    for (int x = 0; x < 100; x += 10) {
        EXPECT_EQ(wide.pixelColor(x, 100).alpha(), 0) << x;
        EXPECT_EQ(wide.pixelColor(399 - x, 100).alpha(), 0) << x;
    }
}

TEST(StarSystemHexes, DegenerateSizesDrawNothingAndDoNotFail)
{
    EXPECT_EQ(StarSystemHexes::image(0).size(), QSize(1, 1));
    EXPECT_EQ(StarSystemHexes::image(-5).size(), QSize(1, 1));
    QImage target(10, 10, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    StarSystemHexes::paint(painter, QRectF(0, 0, 0, 10));
    painter.end();
    EXPECT_EQ(target.pixelColor(5, 5).alpha(), 0);
}
