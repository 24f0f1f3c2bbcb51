#include "ui/WindowRouter.h"
#include "ui/RoutedWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

GalacticCoordinates hex(qint64 sectorX, qint64 sectorY, qint64 column, qint64 row)
{
    return GalacticCoordinates{sectorX, sectorY, column, row};
}

// Deletes what closed windows left for the event loop, so that a test sees the
// state after the user's close has been fully handled.
void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct SceneExpectation
{
    const char *id;
    const char *title;
    bool group;
    QSize size; // invalid: sized by its content
    bool floating;
};

// The windows the router opens, with their titles, default sizes and levels.
const SceneExpectation kScenes[] = {{"uwp-reference", "UWP Reference", false, QSize(430, 680), true},
                                    {"world-info", "World Info", true, QSize(400, 600), true},
                                    {"system-travel", "System Travel", true, QSize(660, 620), true},
                                    {"about", "About Vostrel", false, QSize(), false}};

RoutedWindow *openScene(WindowRouter &router, const SceneExpectation &scene)
{
    const QString id = QString::fromLatin1(scene.id);
    return scene.group ? router.openWindow(id, hex(0, 0, 1, 1)) : router.openWindow(id);
}

} // namespace

class WindowRouterTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_router.reset();
        flushDeferredDeletes();
    }
    std::unique_ptr<WindowRouter> m_router = std::make_unique<WindowRouter>();
};

TEST_F(WindowRouterTest, EachSceneOpensATopLevelWindowWithItsTitleSizeAndLevel)
{
    for (const SceneExpectation &scene : kScenes) {
        SCOPED_TRACE(scene.id);
        RoutedWindow *window = openScene(*m_router, scene);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->parentWidget(), nullptr);
        EXPECT_EQ(window->windowType(), Qt::Window); // not a tool window
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(scene.title));
        EXPECT_EQ(window->id(), QString::fromLatin1(scene.id));
        EXPECT_EQ(window->coordinates().has_value(), scene.group);
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), scene.floating);
        if (scene.size.isValid()) {
            EXPECT_EQ(window->size(), scene.size);
        }
        // Until a screen is plugged in, the window shows its title.
        auto *page = qobject_cast<QLabel *>(window->content());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->text(), QString::fromUtf8(scene.title));
        const WindowScene *known = WindowRouter::scene(QString::fromLatin1(scene.id));
        ASSERT_NE(known, nullptr);
        EXPECT_EQ(known->group, scene.group);
    }
    EXPECT_EQ(m_router->openWindows().size(), std::size(kScenes));
}

TEST_F(WindowRouterTest, AWindowGroupHasOneWindowPerCoordinates)
{
    RoutedWindow *first = m_router->openWindow(WindowId::worldInfo, hex(0, 0, 12, 3));
    RoutedWindow *again = m_router->openWindow(WindowId::worldInfo, hex(0, 0, 12, 3));
    EXPECT_EQ(first, again);
    EXPECT_EQ(m_router->openWindows().size(), 1);

    // Coordinates that differ in a single field are another hex.
    const GalacticCoordinates neighbours[] = {hex(1, 0, 12, 3), hex(0, 1, 12, 3), hex(0, 0, 13, 3),
                                              hex(0, 0, 12, 4), hex(-1, 0, 12, 3)};
    for (const GalacticCoordinates &other : neighbours) {
        RoutedWindow *window = m_router->openWindow(WindowId::worldInfo, other);
        ASSERT_NE(window, nullptr);
        EXPECT_NE(window, first) << other.description().toStdString();
        EXPECT_EQ(m_router->window(WindowId::worldInfo, other), window);
        EXPECT_EQ(window->coordinates(), other);
    }
    EXPECT_EQ(m_router->openWindows().size(), 1 + std::size(neighbours));
    EXPECT_EQ(m_router->window(WindowId::worldInfo, hex(0, 0, 12, 3)), first);

    // The other group at the same hex is another window.
    RoutedWindow *travel = m_router->openWindow(WindowId::systemTravel, hex(0, 0, 12, 3));
    ASSERT_NE(travel, nullptr);
    EXPECT_NE(travel, first);
    EXPECT_EQ(m_router->openWindow(WindowId::systemTravel, hex(0, 0, 12, 3)), travel);
}

TEST_F(WindowRouterTest, ClosingThenReopeningBuildsAFreshWindow)
{
    int built = 0;
    ASSERT_TRUE(m_router->setContentFactory(WindowId::uwpReference, [&built] {
        ++built;
        return new QLabel(QStringLiteral("reference"));
    }));
    QPointer<RoutedWindow> first = m_router->openWindow(WindowId::uwpReference);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->close());
    // Forgotten at once, before its deferred deletion.
    EXPECT_EQ(m_router->window(WindowId::uwpReference), nullptr);
    EXPECT_TRUE(m_router->openWindows().isEmpty());

    RoutedWindow *second = m_router->openWindow(WindowId::uwpReference);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first.data());
    EXPECT_EQ(built, 2);
    flushDeferredDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(m_router->window(WindowId::uwpReference), second);
}

TEST_F(WindowRouterTest, IdsOfTheWrongKindOrUnknownOpenNothing)
{
    EXPECT_EQ(m_router->openWindow(WindowId::worldInfo), nullptr);
    EXPECT_EQ(m_router->openWindow(WindowId::systemTravel), nullptr);
    EXPECT_EQ(m_router->openWindow(WindowId::about, hex(0, 0, 1, 1)), nullptr);
    EXPECT_EQ(m_router->openWindow(QStringLiteral("UWP-Reference")), nullptr);
    EXPECT_EQ(m_router->openWindow(WindowId::main), nullptr);
    EXPECT_TRUE(m_router->openWindows().isEmpty());

    const auto single = [] { return new QLabel; };
    const auto group = [](const GalacticCoordinates &) { return new QLabel; };
    EXPECT_FALSE(m_router->setContentFactory(WindowId::worldInfo, single));
    EXPECT_FALSE(m_router->setContentFactory(QStringLiteral("nowhere"), single));
    EXPECT_FALSE(m_router->setGroupContentFactory(WindowId::uwpReference, group));
    EXPECT_TRUE(m_router->setGroupContentFactory(WindowId::systemTravel, group));
}

TEST_F(WindowRouterTest, CtrlWAndEscapeCloseTheFocusedWindowOnly)
{
    // Each window holds a text field with the focus, as the travel window does.
    const auto withField = [] {
        auto *page = new QWidget;
        auto *field = new QLineEdit(page);
        field->setObjectName(QStringLiteral("field"));
        (new QVBoxLayout(page))->addWidget(field);
        page->setFocusProxy(field);
        return page;
    };
    for (const SceneExpectation &scene : kScenes) {
        const QString id = QString::fromLatin1(scene.id);
        if (scene.group)
            ASSERT_TRUE(m_router->setGroupContentFactory(
                id, [withField](const GalacticCoordinates &) { return withField(); }));
        else
            ASSERT_TRUE(m_router->setContentFactory(id, withField));
    }
    const auto pressIn = [](RoutedWindow *window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            return false;
        auto *field = window->findChild<QLineEdit *>(QStringLiteral("field"));
        field->setFocus();
        QTest::keyClick(field, key, modifiers);
        return true;
    };

    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_W, Qt::ControlModifier},
                                                              {Qt::Key_Escape, Qt::NoModifier}};
    for (const SceneExpectation &scene : kScenes) {
        for (const auto &[key, modifiers] : keys) {
            SCOPED_TRACE(std::string(scene.id) + " key " + std::to_string(key));
            QPointer<RoutedWindow> window = openScene(*m_router, scene);
            ASSERT_TRUE(window);
            ASSERT_TRUE(pressIn(window, key, modifiers));
            EXPECT_TRUE(m_router->openWindows().isEmpty());
            flushDeferredDeletes();
            EXPECT_TRUE(window.isNull());
        }
    }

    // The keys close the window they are pressed in, not every window.
    QPointer<RoutedWindow> about = m_router->openWindow(WindowId::about);
    QPointer<RoutedWindow> reference = m_router->openWindow(WindowId::uwpReference);
    ASSERT_TRUE(pressIn(reference, Qt::Key_W, Qt::ControlModifier));
    flushDeferredDeletes();
    EXPECT_TRUE(reference.isNull());
    EXPECT_EQ(m_router->openWindows(), QList<RoutedWindow *>{about.data()});
}
