#include "app/MainWindow.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(MainWindowSmoke, OpensAndClosesOffscreen)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Vostrel")));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}
