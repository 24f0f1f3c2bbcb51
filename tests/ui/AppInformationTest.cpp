#include "ui/AppInformation.h"
#include "ui/NamedColor.h"

#include <QApplication>
#include <QPalette>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(AppInformation, VersionLineJoinsVersionAndBuildWithAFullStop)
{
    EXPECT_FALSE(AppInformation::appVersion().isEmpty());
    EXPECT_FALSE(AppInformation::appBuildNumber().isEmpty());
    EXPECT_EQ(AppInformation::versionLine(),
              AppInformation::appVersion() + QLatin1Char('.') + AppInformation::appBuildNumber());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)*\\.\\w+$"))
                    .match(AppInformation::versionLine())
                    .hasMatch());
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
}

TEST_F(NamedColorTest, FollowsTheLightOrDarkPalette)
{
    QPalette light;
    light.setColor(QPalette::Window, Qt::white);
    QApplication::setPalette(light);
    EXPECT_FALSE(usesDarkPalette());
    const QColor lightTitle = namedColor(NamedColor::title);
    EXPECT_EQ(lightTitle.rgba(), enumRow(NamedColor::title).light);

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    EXPECT_TRUE(usesDarkPalette());
    EXPECT_EQ(namedColor(NamedColor::title).rgba(), enumRow(NamedColor::title).dark);
    EXPECT_NE(namedColor(NamedColor::title), lightTitle);
}
