#include "starmap/PictureCache.h"
#include "StarMapTestSupport.h"

#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <cmath>

using StarMapTest::heapInUse;

namespace {

// A picture of a long closed outline, filled and stroked with dashes, as a region's
// outline is drawn: the painter works with buffers many times the picture's pixels.
QImage outlinePicture(int seed)
{
    QImage made(120, 120, QImage::Format_ARGB32_Premultiplied);
    made.fill(Qt::transparent);
    QPainter painter(&made);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(10, 10);
    for (int i = 0; i < 3000; ++i)
        path.lineTo(60 + 50 * std::cos(i * 0.01 + seed), 60 + 50 * std::sin(i * 0.013));
    path.closeSubpath();
    painter.fillPath(path, QColor(255, 0, 0, 60));
    painter.setPen(QPen(Qt::blue, 2, Qt::DashLine));
    painter.drawPath(path);
    return made;
}

QImage filled(int side, QRgb colour)
{
    QImage made(side, side, QImage::Format_ARGB32_Premultiplied);
    made.fill(colour);
    return made;
}

} // namespace

// The memory the kept pictures take is what the cache counts against its budget, also
// for pictures a painter drew on, whose painters' working buffers could otherwise live
// on with them unseen.
TEST(PictureCacheTest, PicturesPaintedOnTakeTheMemoryTheBudgetCounts)
{
    constexpr int kPictures = 60;
    const qsizetype before = heapInUse();
    PictureCache<int> cache(1024 * 1024 * 1024);
    for (int key = 0; key < kPictures; ++key)
        cache.get(key, [key] { return outlinePicture(key); });
    const qsizetype counted = cache.bytes();
    ASSERT_EQ(counted, kPictures * filled(120, 0).sizeInBytes()) << "a picture was dropped or counted twice";
    const qsizetype taken = heapInUse() - before;
    // Each picture's entry and key take a little more than its pixels.
    EXPECT_LE(taken, counted + counted / 4 + 1024 * 1024)
        << "the pictures kept take " << taken << " bytes, the budget counts " << counted;
}

// Past its budget the cache drops the pictures used least recently, keeps the newest
// even when it alone exceeds the budget, and makes a dropped picture again when asked.
TEST(PictureCacheTest, TheLeastRecentlyUsedGoFirstAndTheNewestAlwaysStays)
{
    const qsizetype one = filled(64, 0).sizeInBytes();
    PictureCache<int> cache(3 * one);
    int made = 0;
    const auto get = [&](int key, int side = 64) {
        return cache.get(key, [&] {
            ++made;
            return filled(side, qRgb(key, 0, 0));
        });
    };
    get(1);
    get(2);
    get(3);
    EXPECT_EQ(made, 3);
    EXPECT_EQ(cache.bytes(), 3 * one);
    // Picture 1 is used again, so 2 is the oldest when 4 comes.
    EXPECT_EQ(get(1).pixel(0, 0), qRgb(1, 0, 0));
    EXPECT_EQ(made, 3);
    get(4);
    EXPECT_EQ(cache.bytes(), 3 * one);
    get(1);
    get(3);
    EXPECT_EQ(made, 4) << "a picture used lately was dropped";
    EXPECT_EQ(get(2).pixel(0, 0), qRgb(2, 0, 0));
    EXPECT_EQ(made, 5) << "the picture used least lately was kept";

    // A picture larger than the whole budget is kept alone.
    const QImage large = get(9, 256);
    EXPECT_EQ(cache.bytes(), large.sizeInBytes());
    EXPECT_EQ(get(9, 256).pixel(0, 0), qRgb(9, 0, 0));
    EXPECT_EQ(made, 6);
    get(1);
    EXPECT_EQ(cache.bytes(), one);
}
