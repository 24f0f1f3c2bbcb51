#include "StarmapLabelPreview.h"

#include "starmap/MapColors.h"
#include "ui/TextStyle.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCornerRadius = 8.0;

} // namespace

StarmapLabelPreview::StarmapLabelPreview(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
}

void StarmapLabelPreview::setLabel(const QString &text, const QColor &color, double size, double angleDegrees)
{
    m_text = text;
    m_color = color;
    m_size = size;
    m_angleDegrees = angleDegrees;
    update();
}

QString StarmapLabelPreview::shownText() const
{
    return m_text.isEmpty() ? tr("Label") : m_text;
}

int StarmapLabelPreview::shownSize() const
{
    // A stored size below one point (or not a number) still draws a visible text.
    const double size = std::min(m_size, kLargestSize);
    return std::isnan(size) ? 1 : std::max(1, static_cast<int>(std::lround(size)));
}

void StarmapLabelPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    painter.fillPath(panel, MapColors::background());
    painter.setClipPath(panel);

    painter.translate(QRectF(rect()).center());
    if (std::isfinite(m_angleDegrees))
        painter.rotate(m_angleDegrees);
    painter.setFont(displayFont(shownSize()));
    painter.setPen(m_color);
    // A box larger than the panel, so a turned text is cut only by the panel's edge.
    const QRectF box(-kWidth, -kWidth, 2.0 * kWidth, 2.0 * kWidth);
    painter.drawText(box, Qt::AlignCenter, shownText());
}
