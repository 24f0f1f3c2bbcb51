#pragma once

#include "NamedColor.h"

#include <QWidget>

class QPainter;
class QRectF;

// The one look of the rows and tiles of the world editor and the summary views: a
// named colour behind the content, 5 pixels of padding at the sides and 2 at top
// and bottom, corners rounded to a radius of 5. Every tile is a Tile (or paints
// through paintTileBackground), so the look is decided here alone.
class QHBoxLayout;
class QLabel;

class Tile : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHorizontalPadding = 5;
    static constexpr int kVerticalPadding = 2;
    static constexpr qreal kCornerRadius = 5.0;

    explicit Tile(QWidget *parent = nullptr, NamedColor background = NamedColor::parameterBackground);

    NamedColor background() const { return m_background; }

    // Lays the content out `width` pixels wide: the tile itself is that plus the
    // padding on both sides.
    void setContentWidth(double width);
    // The width the content is laid out in.
    int contentWidth() const { return maximumWidth() - 2 * kHorizontalPadding; }

protected:
    void paintEvent(QPaintEvent *event) override;

    // Lays out the bold "title:" and the plain, wrapping `value` side by side at the
    // top of a row without margins, and returns the row so that more can follow. The
    // labels are named "<prefix>Title" and "<prefix>Value".
    QHBoxLayout *layOutTitledValue(const QString &title, QLabel *value, const QString &prefix);

private:
    NamedColor m_background;
};

// Fills `rect` with `color` as a rounded tile of the shared corner radius.
void paintTileBackground(QPainter &painter, const QRectF &rect, const QColor &color,
                         qreal radius = Tile::kCornerRadius);
