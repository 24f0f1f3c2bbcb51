// Test entry point shared by every suite. Widget suites get a QApplication and
// drawing suites a QGuiApplication (both on the offscreen platform set by CMake); the
// others run with a plain QCoreApplication so that pure logic is proven not to need a
// GUI.
#include <gtest/gtest.h>

#ifdef VOSTREL_WIDGET_TESTS
#include <QApplication>
using TestApplication = QApplication;
#elif defined(VOSTREL_GUI_TESTS)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <QStandardPaths>

int main(int argc, char **argv)
{
    // Anything that reaches for the user's folders or settings gets a test copy.
    QStandardPaths::setTestModeEnabled(true);
#if defined(VOSTREL_WIDGET_TESTS) || defined(VOSTREL_GUI_TESTS)
    // Test discovery runs the executable outside CTest's environment too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("Dulvane"));
    TestApplication::setApplicationName(QStringLiteral("VostrelTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
