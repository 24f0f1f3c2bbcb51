#include "Tile.h"

#include "TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
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

QHBoxLayout *Tile::layOutTitledValue(const QString &title, QLabel *value, const QString &prefix)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *titleLabel = new QLabel(title + QLatin1Char(':'), this);
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setFont(textFont(TextStyle::body, false, true));
    titleLabel->setObjectName(prefix + QStringLiteral("Title"));
    value->setTextFormat(Qt::PlainText);
    value->setFont(textFont(TextStyle::body));
    value->setWordWrap(true);
    value->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    value->setObjectName(prefix + QStringLiteral("Value"));
    row->addWidget(titleLabel, 0, Qt::AlignTop);
    row->addWidget(value, 1, Qt::AlignTop);
    return row;
}
