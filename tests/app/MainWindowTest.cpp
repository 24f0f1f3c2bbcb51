#include "AppTestSupport.h"

#include "app/AboutWindow.h"
#include "app/ExternalLinks.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void pressUwpReferenceShortcut(QWidget *window)
{
    QTest::keyClick(window, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

// The application on a temporary documents folder and settings file.
using VostrelAppTest = AppTest;

TEST(MainWindow, TheShortcutTwiceGivesOneUwpReferenceWindow)
{
    MainWindow window;
    ASSERT_TRUE(showActive(window));
    pressUwpReferenceShortcut(&window);
    RoutedWindow *reference = window.router()->window(WindowId::uwpReference);
    ASSERT_NE(reference, nullptr);
    EXPECT_TRUE(reference->isVisible());

    ASSERT_TRUE(showActive(window));
    pressUwpReferenceShortcut(&window);
    EXPECT_EQ(window.router()->window(WindowId::uwpReference), reference);
    EXPECT_EQ(window.router()->openWindows().size(), 1);
}

TEST(MainWindow, TheShortcutWorksFromAnAuxiliaryWindowAfterTheMainWindowCloses)
{
    MainWindow window;
    ASSERT_TRUE(showActive(window));
    window.aboutAction()->trigger();
    RoutedWindow *about = window.router()->window(WindowId::about);
    ASSERT_NE(about, nullptr);
    window.close();

    ASSERT_TRUE(showActive(*about));
    pressUwpReferenceShortcut(about);
    EXPECT_NE(window.router()->window(WindowId::uwpReference), nullptr);
}

TEST(MainWindow, HelpAsksToOpenTheGuideShippedNextToTheProgram)
{
    QList<QUrl> opened;
    ExternalLinks::ScopedUrlOpener opener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    MainWindow window;
    window.helpAction()->trigger();
    ASSERT_EQ(opened.size(), 1);
    const QUrl guide = opened.first();
    ASSERT_TRUE(guide.isLocalFile());
    const QFileInfo file(guide.toLocalFile());
    EXPECT_TRUE(file.isFile());
    EXPECT_EQ(file.absolutePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/help"));
    QFile page(file.filePath());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("Vostrel Help"));
    EXPECT_EQ(window.findChild<QMessageBox *>(), nullptr);
}

TEST(MainWindow, AHelpPageThatCannotBeOpenedIsReported)
{
    ExternalLinks::ScopedUrlOpener opener([](const QUrl &) { return false; });
    MainWindow window;
    window.helpAction()->trigger();
    auto *message = window.findChild<QMessageBox *>();
    ASSERT_NE(message, nullptr);
    // The guide is there; what failed is the program to show it, and the message says so.
    EXPECT_TRUE(message->text().contains(QStringLiteral("user guide")));
    EXPECT_TRUE(message->text().contains(QStringLiteral("no program")));
    EXPECT_TRUE(message->text().contains(
        QDir::toNativeSeparators(ExternalLinks::helpGuidePath(QCoreApplication::applicationDirPath()))));
    message->close();
}

TEST(ExternalLinks, AMissingLocalPageIsNotHandedToTheDesktop)
{
    int calls = 0;
    ExternalLinks::ScopedUrlOpener opener([&calls](const QUrl &) {
        ++calls;
        return true;
    });
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    using ExternalLinks::PageOutcome;
    EXPECT_EQ(ExternalLinks::openLocalPage(folder.filePath(QStringLiteral("help/index.html"))),
              PageOutcome::missing);
    EXPECT_EQ(ExternalLinks::openLocalPage(folder.path()), PageOutcome::missing); // a folder is not a page
    EXPECT_EQ(calls, 0);

    QFile page(folder.filePath(QStringLiteral("page.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    EXPECT_EQ(ExternalLinks::openLocalPage(page.fileName()), PageOutcome::opened);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ExternalLinks::helpGuidePath(folder.path()),
              folder.path() + QStringLiteral("/help/index.html"));
}

TEST_F(VostrelAppTest, SetsUpTheApplicationAndItsWindows)
{
    VostrelApp app(folder(), &m_settings);
    EXPECT_EQ(QApplication::organizationName(), QStringLiteral("Dulvane"));
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Vostrel"));
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    EXPECT_EQ(app.mainWindow()->router(), app.router());

    app.start();
    EXPECT_TRUE(app.mainWindow()->isVisible());
    app.mainWindow()->aboutAction()->trigger();
    RoutedWindow *about = app.router()->window(WindowId::about);
    ASSERT_NE(about, nullptr);
    EXPECT_NE(qobject_cast<AboutWindow *>(about->content()), nullptr);
    EXPECT_GE(about->width(), AboutWindow::kMinimumWidth);
    EXPECT_GE(about->height(), AboutWindow::kMinimumHeight);
}

// Closing the main window while the About window is open keeps the program running;
// closing the About window then ends it.
TEST_F(VostrelAppTest, QuitsWhenTheLastWindowCloses)
{
    VostrelApp app(folder(), &m_settings);
    app.start();
    app.mainWindow()->aboutAction()->trigger();
    QPointer<RoutedWindow> about = app.router()->window(WindowId::about);
    ASSERT_TRUE(about);

    bool runningAfterMainClosed = false;
    QTimer::singleShot(0, [&] {
        app.mainWindow()->close();
        QTimer::singleShot(0, [&] {
            runningAfterMainClosed = true;
            if (about)
                about->close();
        });
    });
    // A safety net so that a program that never quits fails instead of hanging.
    QTimer safetyNet;
    safetyNet.setSingleShot(true);
    QObject::connect(&safetyNet, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safetyNet.start(30000);

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(runningAfterMainClosed);
}

// Routed windows read the open universe: when the application goes, they must go
// before the store and the main window.
TEST_F(VostrelAppTest, RoutedWindowsGoBeforeTheStoreAndTheMainWindow)
{
    startApp();
    QPointer<UniverseManager> store = manager();
    QPointer<MainWindow> main = window();
    bool storeAliveAtClose = false;
    bool mainAliveAtClose = false;
    m_app->router()->setGroupContentFactory(WindowId::worldInfo, [&](const GalacticCoordinates &) {
        auto *page = new QLabel(QStringLiteral("reads the universe"));
        QObject::connect(page, &QObject::destroyed, [&] {
            storeAliveAtClose = store && store->current();
            mainAliveAtClose = !main.isNull();
        });
        return page;
    });
    ASSERT_NE(m_app->router()->openWindow(WindowId::worldInfo, GalacticCoordinates{0, 0, 1, 1}), nullptr);

    m_app.reset();
    EXPECT_TRUE(storeAliveAtClose);
    EXPECT_TRUE(mainAliveAtClose);
    EXPECT_TRUE(store.isNull());
}
