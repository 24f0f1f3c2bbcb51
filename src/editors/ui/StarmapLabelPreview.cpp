#include "StarmapLabelPreview.h"

#include "starmap/MapColors.h"
#include "ui/TextStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCornerRadius = 8.0;
// Kept free inside the panel's edges, clear of its rounded corners.
constexpr double kInset = 4.0;

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
    painter.setFont(displayFont(shownSize()));
    const double radians = std::isfinite(m_angleDegrees) ? qDegreesToRadians(m_angleDegrees) : 0.0;
    // The text's lines, centred on the panel's centre, turned; drawn smaller when the
    // turned text would reach past the panel's edges, so that all of it shows.
    const QSizeF size = painter.fontMetrics().size(0, shownText());
    const QRectF text(-size.width() / 2, -size.height() / 2, size.width(), size.height());
    const double cosine = std::abs(std::cos(radians)), sine = std::abs(std::sin(radians));
    const double turnedWidth = text.width() * cosine + text.height() * sine;
    const double turnedHeight = text.width() * sine + text.height() * cosine;
    const double scale = std::min({1.0, (kWidth - 2 * kInset) / std::max(turnedWidth, 1.0),
                                   (kHeight - 2 * kInset) / std::max(turnedHeight, 1.0)});
    painter.scale(scale, scale);
    painter.rotate(qRadiansToDegrees(radians));
    painter.setPen(m_color);
    painter.drawText(text, Qt::AlignCenter, shownText());
}
