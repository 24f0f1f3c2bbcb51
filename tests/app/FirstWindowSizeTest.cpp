// The main window opens within the screen, its frame included, on a screen too small
// for its usual 1200 × 800 points: the offscreen screen the tests run on.
#include "app/MainWindow.h"

#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

TEST(FirstWindowSizeTest, TheMainWindowOpensWithinASmallScreen)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QSize available = window.screen()->availableGeometry().size();
    ASSERT_LT(available.width(), 1200);
    EXPECT_LE(window.frameGeometry().width(), available.width());
    EXPECT_LE(window.frameGeometry().height(), available.height());
}
