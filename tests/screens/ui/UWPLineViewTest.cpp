#include "ScreenTestSupport.h"
#include "screens/ui/ParametersView.h"
#include "screens/ui/UWPView.h"
#include "ui/ElidedLabel.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

WorldData profiled()
{
    return world({8, 6, 7, 9, 10, 11})
        .starport(Starport::typeA)
        .techLevel(TechnologyLevel::ttl12)
        .bases({Base::imperialNavalBase, Base::scoutBase})
        .populationMultiplier(3)
        .tradeClasses({TradeClass::highPopulation, TradeClass::industrial});
}

QStringList labelTexts(const QWidget &widget, const QString &objectName)
{
    QStringList texts;
    for (const QLabel *label : widget.findChildren<QLabel *>(objectName))
        texts.append(label->text());
    for (const ElidedLabel *label : widget.findChildren<ElidedLabel *>(objectName))
        texts.append(label->text());
    return texts;
}

} // namespace

TEST(UWPViewTest, OneLineOrTradeCodesOnASecondLine)
{
    const WorldData w = profiled();
    const UWPView oneLine(w.uwp, 1, 2, w, false, 400);
    EXPECT_EQ(oneLine.text(), QStringLiteral("A8679AB-C NS 312 D:24h\\Y:83d [Hi In]"));
    const UWPView twoLines(w.uwp, 1, 2, w, true, 400);
    EXPECT_EQ(twoLines.text(), QStringLiteral("A8679AB-C NS 312 D:24h\\Y:83d\n[Hi In]"));
    EXPECT_GT(twoLines.sizeHint().height(), oneLine.sizeHint().height());
}

TEST(UWPViewTest, CountsOfTenAndMoreAreOneExtendedHexDigit)
{
    WorldData w = profiled();
    w.uwp.populationMultiplier = 10;
    EXPECT_TRUE(UWPView::profileLine(w.uwp, 10, 17, w, false).contains(QStringLiteral(" AAH ")));
    w.tradeClasses.clear();
    EXPECT_TRUE(UWPView::profileLine(w.uwp, 0, 0, w, false).endsWith(QStringLiteral(" []")));
}

TEST(UWPViewTest, TheLineFollowsNewValues)
{
    WorldData w = profiled();
    UWPView view(w.uwp, 1, 2, w, false, 400);
    w.uwp.starport = Starport::typeE;
    w.tideLocked = true;
    w.dayLength = w.yearLength;
    view.setValues(w.uwp, 0, 5, w);
    EXPECT_EQ(view.text(), QStringLiteral("E8679AB-C NS 305 D:Tz\\Y:83d [Hi In]"));
}

TEST(ParametersViewTest, TitlesWithoutValuesShowEmptyValues)
{
    ParametersView view({QStringLiteral("Day length"), QStringLiteral("Year length")},
                        {QStringLiteral("5 Std. hr")}, 400);
    EXPECT_EQ(labelTexts(view, QStringLiteral("parameterValue")),
              (QStringList{QStringLiteral("5 Std. hr"), QString()}));
    view.setParameters({QStringLiteral("6 Std. hr"), QStringLiteral("2 Std. days"), QStringLiteral("spare")});
    EXPECT_EQ(labelTexts(view, QStringLiteral("parameterValue")), strings({"6 Std. hr", "2 Std. days"}));
}
