#include "ScreenTestSupport.h"
#include "screens/ParameterView.h"
#include "screens/ParametersView.h"
#include "screens/UWPView.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

WorldData profiled()
{
    WorldData w = world({8, 6, 7, 9, 10, 11});
    w.uwp.starport = Starport::typeA;
    w.uwp.techLevel = TechnologyLevel::ttl12;
    w.uwp.bases = {Base::imperialNavalBase, Base::scoutBase};
    w.uwp.populationMultiplier = 3;
    w.tradeClasses = {TradeClass::highPopulation, TradeClass::industrial};
    return w;
}

QStringList labelTexts(const QWidget &widget, const QString &objectName)
{
    QStringList texts;
    for (const QLabel *label : widget.findChildren<QLabel *>(objectName))
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
    const auto *caption = oneLine.findChild<QLabel *>(QStringLiteral("uwpCaption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), QStringLiteral("UWP:"));
    EXPECT_TRUE(caption->font().bold());
    EXPECT_EQ(oneLine.background(), NamedColor::uwpBackground);
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

TEST(ParametersViewTest, TitlesAndValuesSideBySide)
{
    ParametersView view({QStringLiteral("Day length"), QStringLiteral("Year length")},
                        {QStringLiteral("1 Std. days"), QStringLiteral("83 Std. days")}, 400);
    EXPECT_EQ(labelTexts(view, QStringLiteral("parameterValue")), strings({"1 Std. days", "83 Std. days"}));
    QStringList titles;
    for (const QLabel *label : view.findChildren<QLabel *>()) {
        if (label->font().bold())
            titles.append(label->text());
    }
    EXPECT_EQ(titles, strings({"Day length:", "Year length:"}));
    EXPECT_EQ(view.contentsRect().height(), ParametersView::kRowHeight);
    EXPECT_EQ(view.width(), 410);
}

TEST(ParametersViewTest, AValueMayCarryASymbolInline)
{
    ParametersView view({QStringLiteral("Density")},
                        {ParameterValue(QStringLiteral("1.05 "), Symbol::eCircle, QStringLiteral("ρ"))}, 400);
    EXPECT_EQ(view.findChildren<QLabel *>(QStringLiteral("parameterSymbol")).size(), 1);
    EXPECT_EQ(labelTexts(view, QStringLiteral("parameterTrailing")), strings({"ρ"}));
}

TEST(ParametersViewTest, NoTitlesGiveAnEmptyBoxOfTheRowHeight)
{
    const ParametersView view({}, {}, 300);
    EXPECT_TRUE(view.findChildren<QLabel *>().isEmpty());
    EXPECT_EQ(view.contentsRect().height(), ParametersView::kRowHeight);
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

TEST(ParameterViewTest, OneTitledValueThatWraps)
{
    ParameterView view(QStringLiteral("Pressure"), QStringLiteral("0.71-1.49"), 300);
    const auto *title = view.findChild<QLabel *>(QStringLiteral("parameterTitle"));
    const auto *value = view.findChild<QLabel *>(QStringLiteral("parameterValue"));
    ASSERT_TRUE(title && value);
    EXPECT_EQ(title->text(), QStringLiteral("Pressure:"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_TRUE(value->wordWrap());
    view.setParameter(QStringLiteral("Vacc Suit"));
    EXPECT_EQ(view.parameter(), QStringLiteral("Vacc Suit"));
}
