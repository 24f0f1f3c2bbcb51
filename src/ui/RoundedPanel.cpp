#include "RoundedPanel.h"

#include "Tile.h"

#include <QPainter>

RoundedPanel::RoundedPanel(NamedColor color, qreal radius, QWidget *parent)
    : QWidget(parent), m_color(color), m_radius(radius)
{}

void RoundedPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTileBackground(painter, rect(), namedColor(m_color), m_radius);
}
