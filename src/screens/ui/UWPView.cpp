#include "UWPView.h"

#include "model/EHex.h"
#include "model/WorldDescriptions.h"
#include "ui/TextStyle.h"
#include "ui/WrappingLabel.h"

#include <QHBoxLayout>
#include <QLabel>

UWPView::UWPView(const UWP &uwp, qint64 belts, qint64 gasGiants, const WorldData &world, bool twoLines,
                 double viewWidth, QWidget *parent)
    : Tile(parent, NamedColor::uwpBackground), m_twoLines(twoLines),
      m_line(new WrappingLabel(QString(), this))
{
    setContentWidth(viewWidth);
    // As tall as the text needs, so that a two-line profile, or a line too long for
    // the width (a day of ages, many trade codes) and wrapped, is never cut.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(QStringLiteral("UWP:"), this);
    caption->setFont(textFont(kFontPixelSize, false, true));
    caption->setObjectName(QStringLiteral("uwpCaption"));
    m_line->setFont(textFont(kFontPixelSize, true));
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_line->setObjectName(QStringLiteral("uwpLine"));
    row->addWidget(caption, 0, Qt::AlignTop);
    row->addWidget(m_line, 0, Qt::AlignTop);
    row->addStretch(1);
    setValues(uwp, belts, gasGiants, world);
}

void UWPView::setValues(const UWP &uwp, qint64 belts, qint64 gasGiants, const WorldData &world)
{
    m_line->setText(profileLine(uwp, belts, gasGiants, world, m_twoLines));
}

QString UWPView::text() const
{
    return m_line->text();
}

QString UWPView::profileLine(const UWP &uwp, qint64 belts, qint64 gasGiants, const WorldData &world,
                             bool twoLines)
{
    return uwp.code() + QLatin1Char(' ') + EHex::digit(uwp.populationMultiplier) + EHex::digit(belts) +
           EHex::digit(gasGiants) + QLatin1Char(' ') + dayYearSummary(world) +
           (twoLines ? QLatin1Char('\n') : QLatin1Char(' ')) + QLatin1Char('[') + tradeClassesText(world) +
           QLatin1Char(']');
}
