#include "WorldRowView.h"

#include "UWPView.h"
#include "model/UWPDescriptions.h"
#include "model/WorldDescriptions.h"
#include "ui/PlainText.h"
#include "ui/Symbol.h"
#include "ui/TextStyle.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPalette>

namespace {

const QString kMoonArrow = QStringLiteral("\u21B3");

int textWidth(const QFont &font, const QString &text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

} // namespace

WorldRowView::WorldRowView(const WorldData &world, qint64 belts, qint64 gasGiants, int profileWidth,
                           bool compact)
    : m_world(world), m_belts(belts), m_gasGiants(gasGiants), m_profileWidth(profileWidth), m_compact(compact)
{}

bool WorldRowView::isMoon() const
{
    return m_world.satelliteOrbit != PlanetOrbits::planetOrbit0;
}

QString WorldRowView::orbitLabel() const
{
    if (isMoon())
        return kMoonArrow + rawValue(m_world.satelliteOrbit);
    return QLocale().toString(rawValue(m_world.sunOrbit));
}

QString WorldRowView::nameText() const
{
    if (isMainWorld())
        return m_world.name.isEmpty() ? QStringLiteral("MW") : m_world.name;
    return displayName(m_world);
}

bool WorldRowView::nameIsBold() const
{
    if (isMainWorld())
        return true;
    return !m_world.name.isEmpty() && m_world.name != kindText(m_world);
}

bool WorldRowView::showsPopulation() const
{
    return m_world.uwp.population >= 1;
}

QString WorldRowView::populationText() const
{
    return ::populationText(m_world.uwp);
}

QString WorldRowView::profileText() const
{
    if (m_compact)
        return m_world.uwp.code();
    return UWPView::profileLine(m_world.uwp, m_belts, m_gasGiants, m_world, false)
        .leftJustified(m_profileWidth, QLatin1Char(' '));
}

QSize WorldRowView::sizeHint() const
{
    const int profile = textWidth(textFont(TextStyle::subheadline, true), profileText());
    return {kOrbitWidth + kSpacing + kMinimumGap + profile, kHeight};
}

void WorldRowView::paint(QPainter &painter, const QRect &rect, const QColor &primary,
                         const QColor &secondary) const
{
    painter.save();
    const QFont font = textFont(kFontPixelSize);
    const QFont footnote = textFont(TextStyle::footnote);
    const QFont profileFont = textFont(TextStyle::subheadline, true);
    const int centreY = rect.center().y();
    int x = rect.left() + (isMoon() ? kMoonIndent : 0);

    painter.setFont(textFont(kFontPixelSize, true));
    painter.setPen(isMoon() ? secondary : primary);
    painter.drawText(QRect(x, rect.top(), kOrbitWidth, rect.height()), Qt::AlignRight | Qt::AlignVCenter,
                     orbitLabel());
    x += kOrbitWidth + kSpacing;

    if (isMainWorld()) {
        const QPixmap mark = symbolPixmap(Symbol::smallcircleFillCircle, kMainWorldSymbolSize, primary,
                                          painter.device()->devicePixelRatioF());
        painter.drawPixmap(x, centreY - kMainWorldSymbolSize / 2, mark);
        x += kMainWorldSymbolSize + kSpacing;
    }

    // The profile keeps its whole width at the trailing edge; the name gives way.
    const QString profile = profileText();
    const int profileWidth = textWidth(profileFont, profile);
    const int profileLeft = rect.right() + 1 - profileWidth;

    int populationWidth = 0;
    const int figureSize = QFontMetrics(footnote).height() - 2;
    if (showsPopulation())
        populationWidth = kSpacing + figureSize + kSpacing + textWidth(footnote, populationText());

    QFont nameFont = font;
    nameFont.setBold(nameIsBold());
    const int nameRoom = std::max(0, profileLeft - kMinimumGap - populationWidth - x);
    const QString name = elidedLine(nameText(), QFontMetrics(nameFont), nameRoom);
    painter.setFont(nameFont);
    painter.setPen(primary);
    const int nameWidth = textWidth(nameFont, name);
    painter.drawText(QRect(x, rect.top(), nameWidth + 1, rect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     name);
    x += nameWidth;

    if (showsPopulation()) {
        x += kSpacing;
        painter.drawPixmap(
            x, centreY - figureSize / 2,
            symbolPixmap(Symbol::figureStand, figureSize, secondary, painter.device()->devicePixelRatioF()));
        x += figureSize + kSpacing;
        painter.setFont(footnote);
        painter.setPen(secondary);
        painter.drawText(QRect(x, rect.top(), rect.right() - x, rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, populationText());
    }

    painter.setFont(profileFont);
    painter.setPen(secondary);
    painter.drawText(QRect(profileLeft, rect.top(), profileWidth, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, profile);
    painter.restore();
}
