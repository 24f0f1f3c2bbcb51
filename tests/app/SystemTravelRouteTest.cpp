#include "AppTestSupport.h"

#include "travel/ui/SystemTravelView.h"
#include "travel/ui/SystemTravelWindow.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

using SystemTravelRoute = AppTest;

// The application's "System Travel" windows show the sheet of their hex, here one
// without stars.
TEST_F(SystemTravelRoute, windowShowsTheSheetOfItsHex)
{
    startApp();
    const GalacticCoordinates at{1, -2, 5, 7};
    universe()->insertHex(HexData{QUuid::createUuid(), at, StarSystem{}, {}});
    RoutedWindow *window = m_app->router()->openWindow(WindowId::systemTravel, at);
    ASSERT_TRUE(window);
    const auto *content = qobject_cast<SystemTravelWindow *>(window->content());
    ASSERT_TRUE(content && content->sheet());
    EXPECT_EQ(content->sheet()->hex().coordinates, at);
}
