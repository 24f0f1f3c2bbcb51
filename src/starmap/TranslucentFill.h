#pragma once

#include <QImage>
#include <QList>
#include <QPainter>

#include <functional>
#include <memory>

class QLineF;
class QPen;

// A scratch picture beside the picture a painter draws on, of its size and density, on
// which a translucent drawing is drawn opaque and then laid over the painter's picture
// at the drawing's alpha: the same pixels as the translucent drawing, to a unit of
// rounding. From a thread outside Qt's global pool the raster engine hands a
// translucent fill of many spans to that pool in parts and waits for them, where it
// draws an opaque one, and lays a picture over another at whole pixels, in place. The
// scratch picture lies on the same device pixels as the painter's, so that a drawing
// on it, thin lines stepped from where they enter the picture included, covers the
// same pixels as on the painter's picture. For painters that drawsThrough() and do not
// smooth pictures.
class TranslucentFill
{
public:
    explicit TranslucentFill(QPainter &painter);
    ~TranslucentFill();
    TranslucentFill(const TranslucentFill &) = delete;
    TranslucentFill &operator=(const TranslucentFill &) = delete;

    // Whether `painter` can draw through a scratch picture: it draws on a picture of the
    // format Format_ARGB32_Premultiplied or Format_RGB32, in the default composition mode.
    static bool drawsThrough(const QPainter &painter);
    // `color` at full alpha: how a translucent drawing is drawn on the scratch picture.
    static QColor opaque(QColor color);

    // Lays what `draw` draws at `alpha` over the painter's picture, where it meets
    // `bounds` (in the painter's coordinates) widened by `margin` device pixels. `draw`
    // is given a painter in the painter's transform, render hints and font, on which it
    // draws opaque.
    void draw(const QRectF &bounds, double margin, double alpha, const std::function<void(QPainter &)> &draw);
    // Lays the pixels `source` of `picture` over the painter's device pixels from `at`
    // on, at `alpha`, pixel for pixel, whatever the painter's transform: at whole
    // pixels, and not smoothing pictures, the raster engine copies a picture over
    // another in place.
    static void layAt(QPainter &painter, const QPoint &at, const QImage &picture, const QRect &source,
                      double alpha);
    // The lines drawn with `pen`, translucent, as QPainter::drawLines() draws them: each
    // blended on its own where lines overlap, except thick lines with round ends, which
    // it strokes sixteen at a time as one shape. Strokes that share no pixel are laid
    // over together.
    void drawLines(const QList<QLineF> &lines, const QPen &pen);

private:
    // Lays what `draw` draws at `alpha` over the painter's picture within `areas`:
    // rectangles of device pixels within the picture and its clip, none over another.
    void layOver(const QList<QRect> &areas, double alpha, const std::function<void(QPainter &)> &draw);

    QPainter &m_painter;
    QImage *m_picture;
    std::unique_ptr<uchar[]> m_pixels;
    qsizetype m_bytes = 0; // held at m_pixels
    QImage m_scratch;
    QPainter m_opaque;
};
