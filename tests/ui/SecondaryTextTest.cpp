// Status colours: over any background a hue is toned only towards black or white, just
// as far as it must go to be read (4.5:1), so that red stays red and green green.
#include "ui/SecondaryText.h"
#include "ImageProbe.h"

#include <QColor>

#include <gtest/gtest.h>

TEST(StatusTextColorTest, ReadableOnAnyBackgroundInItsOwnHue)
{
    const QColor hues[] = {
        Qt::red,  QColor(0x28, 0xA7, 0x45), QColor(0xC6, 0x28, 0x28), QColor(255, 149, 0), Qt::blue,
        Qt::green};
    for (const QColor &hue : hues) {
        for (int level = 0; level <= 255; level += 17) {
            for (const QColor &background :
                 {QColor(level, level, level), QColor(level, level / 2, 255 - level)}) {
                SCOPED_TRACE(hue.name().toStdString() + " on " + background.name().toStdString());
                const QColor toned = statusTextColor(hue, background);
                const double reached = contrast(toned.rgb(), background.rgb());
                EXPECT_GE(reached, 4.5);
                if (contrast(hue.rgb(), background.rgb()) >= 4.5) {
                    EXPECT_EQ(toned, hue); // already readable: kept as it is
                    continue;
                }
                // No further than it must: one more level would not be needed.
                EXPECT_LT(reached, 4.8);
                if (toned.hsvSaturation() >= 60) {
                    EXPECT_NEAR(toned.hsvHue(), hue.hsvHue(), 6) << toned.name().toStdString();
                }
                // Only darkened or only lightened, every channel alike.
                bool darkened = true;
                bool lightened = true;
                for (const auto channel : {&QColor::red, &QColor::green, &QColor::blue}) {
                    darkened = darkened && (toned.*channel)() <= (hue.*channel)();
                    lightened = lightened && (toned.*channel)() >= (hue.*channel)();
                }
                EXPECT_TRUE(darkened || lightened) << toned.name().toStdString();
            }
        }
    }
}
