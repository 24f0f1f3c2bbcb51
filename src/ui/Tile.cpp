#include "Tile.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

Tile::Tile(QWidget *parent, NamedColor background) : QWidget(parent), m_background(background)
{
    setContentsMargins(kHorizontalPadding, kVerticalPadding, kHorizontalPadding, kVerticalPadding);
}

void Tile::setContentWidth(double width)
{
    const int content = static_cast<int>(std::lround(std::max(0.0, width)));
    setFixedWidth(content + 2 * kHorizontalPadding);
}

void Tile::paintEvent(QPaintEvent *)
{
    // The colour is looked up on every paint, so a change between light and dark
    // palettes shows at once.
    QPainter painter(this);
    paintTileBackground(painter, rect(), namedColor(m_background));
}

void paintTileBackground(QPainter &painter, const QRectF &rect, const QColor &color, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, color);
    painter.restore();
}
