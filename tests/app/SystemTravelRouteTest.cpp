#include "AppTestSupport.h"

#include "travel/ui/SystemTravelView.h"
#include "travel/ui/SystemTravelWindow.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

namespace {

using SystemTravelRouteTest = AppTest;

// The application's "System Travel" windows show the sheet of their hex in the
// universe that is open.
TEST_F(SystemTravelRouteTest, windowGroupShowsTheSheetOfItsHex)
{
    startApp();
    const GalacticCoordinates at{1, -2, 5, 7};
    StarSystem system;
    system.stars.append(Star{});
    universe()->insertHex(HexData{QUuid::createUuid(), at, system, {}});

    RoutedWindow *window = m_app->router()->openWindow(WindowId::systemTravel, at);
    ASSERT_TRUE(window);
    const auto *content = qobject_cast<SystemTravelWindow *>(window->content());
    ASSERT_TRUE(content);
    EXPECT_EQ(content->coordinates(), at);
    ASSERT_TRUE(content->sheet());
    EXPECT_EQ(content->sheet()->hex().coordinates, at);
}

} // namespace
