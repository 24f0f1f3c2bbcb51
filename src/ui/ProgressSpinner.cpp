#include "ProgressSpinner.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kSpokes = 12;
constexpr double kTurnSeconds = 1;

} // namespace

ProgressSpinner::ProgressSpinner(QWidget *parent)
    : RotatingIcon([this](int pixels) { return image(pixels, palette().color(QPalette::WindowText)); },
                   kWidth, kTurnSeconds, parent)
{}

QImage ProgressSpinner::image(int pixels, const QColor &color)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(pixels / 2.0, pixels / 2.0);
    const double radius = pixels / 2.0;
    QPen pen(color, std::max(1.0, radius / 5), Qt::SolidLine, Qt::RoundCap);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // Each spoke behind the leading one is fainter, down to a quarter.
        pen.setColor(QColor::fromRgbF(color.redF(), color.greenF(), color.blueF(),
                                      color.alphaF() * (1.0 - 0.75 * spoke / (kSpokes - 1))));
        painter.setPen(pen);
        painter.drawLine(QPointF(0, -radius * 0.45), QPointF(0, -radius * 0.85));
        painter.rotate(-360.0 / kSpokes);
    }
    return image;
}
