#include "ui/AppInformation.h"
#include "ui/NamedColor.h"

#include <QApplication>
#include <QPalette>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(AppInformation, VersionLineJoinsVersionAndBuildWithAFullStop)
{
    EXPECT_EQ(AppInformation::versionLine(QStringLiteral("1.2"), QStringLiteral("34")),
              QStringLiteral("1.2.34"));
    EXPECT_EQ(AppInformation::versionLine(QStringLiteral("10.0.3"), QStringLiteral("7")),
              QStringLiteral("10.0.3.7"));
}

TEST(AppInformation, TheBuildSuppliesTheProjectVersionAndItsBuildNumber)
{
    // The version declared by the project (CMakeLists.txt); a new version changes both.
    EXPECT_EQ(AppInformation::appVersion(), QStringLiteral("0.1.0"));
    // The build number is chosen when the build is configured: one word, never a version.
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\w+$")).match(AppInformation::appBuildNumber()).hasMatch())
        << AppInformation::appBuildNumber().toStdString();
    EXPECT_EQ(AppInformation::versionLine(), QStringLiteral("0.1.0.") + AppInformation::appBuildNumber());
}

class NamedColorTest : public ::testing::Test
{
protected:
    void TearDown() override { QApplication::setPalette(m_original); }
    QPalette m_original = QApplication::palette();
};

TEST_F(NamedColorTest, EveryNameResolvesToAnOpaqueColour)
{
    const char *names[] = {"mainBackground", "parameterBackground", "sectorBackground", "smallTitle",
                           "title",          "uwpBackground",       "worldTag"};
    for (const char *name : names) {
        const auto color = namedColor(QString::fromLatin1(name));
        ASSERT_TRUE(color.has_value()) << name;
        EXPECT_TRUE(color->isValid()) << name;
        EXPECT_EQ(color->alpha(), 255) << name;
    }
    // Names are matched exactly.
    for (const char *name : {"", "Title", "title ", "uwp-background"})
        EXPECT_FALSE(namedColor(QString::fromLatin1(name)).has_value()) << name;
}

TEST_F(NamedColorTest, FollowsTheLightOrDarkPalette)
{
    QPalette light;
    light.setColor(QPalette::Window, Qt::white);
    QApplication::setPalette(light);
    EXPECT_FALSE(usesDarkPalette());
    const QColor lightTitle = namedColor(NamedColor::title);
    EXPECT_EQ(lightTitle.rgba(), 0xFF1D3557u);
    EXPECT_EQ(namedColor(QStringLiteral("smallTitle"))->rgba(), 0xFF5E5E63u);

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    EXPECT_TRUE(usesDarkPalette());
    EXPECT_EQ(namedColor(NamedColor::title).rgba(), 0xFFA8DADCu);
    EXPECT_EQ(namedColor(QStringLiteral("smallTitle"))->rgba(), 0xFFBDBDC2u);
    EXPECT_NE(namedColor(NamedColor::title), lightTitle);
}
