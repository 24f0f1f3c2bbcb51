#include "StarGlyphBatch.h"

#include <QPainter>

void StarGlyphBatch::add(const StarGlyph &glyph, const QPointF &centre, double scale, double hexRadius)
{
    glyph.forEachDisc(centre, scale, hexRadius,
                      [this](int rank, const QPointF &at, double radius, const QColor &color) {
                          m_discs[static_cast<std::size_t>(rank)][color.rgba64()].append({at, radius});
                      });
}

void StarGlyphBatch::paint(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    for (auto &rank : m_discs) {
        for (const auto &[color, discs] : rank) {
            painter.setBrush(QColor::fromRgba64(QRgba64::fromRgba64(color)));
            for (const Disc &disc : discs)
                painter.drawEllipse(disc.centre, disc.radius, disc.radius);
        }
        rank.clear();
    }
}
