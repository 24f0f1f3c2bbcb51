// A new window's size: what it asks for, unless the screen's available area could not
// hold that with the window's frame around it.
#include "ui/ScreenFit.h"

#include <gtest/gtest.h>

TEST(ScreenFitTest, TheWindowAndItsFrameFitTheAvailableArea)
{
    const QSize wanted(1200, 800);
    const struct
    {
        QRect available;
        QSize expected;
    } cases[] = {
        // Room to spare: the size asked for.
        {QRect(0, 0, 1920, 1080), wanted},
        // Room exactly for the window and its frame.
        {QRect(0, 0, 1216, 848), wanted},
        // 2560 × 1600 pixels at scale 2, less a panel at the top: too short.
        {QRect(0, 28, 1280, 772), QSize(1200, 724)},
        // Too narrow and too short.
        {QRect(0, 0, 1024, 768), QSize(1008, 720)},
    };
    for (const auto &[available, expected] : cases)
        EXPECT_EQ(sizeWithinScreen(wanted, available), expected)
            << available.width() << "x" << available.height();
}
