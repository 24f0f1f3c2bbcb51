#pragma once

#include <QPainter>

#include <functional>
#include <memory>
#include <optional>

class QStaticText;
class TranslucentFill;

// The painter the star map draws with, on a tile's thread as on the GUI thread: the
// QPainter verbs the map needs, with solid colours only, each drawn so that it never
// waits on Qt's global thread pool. From a thread outside that pool the raster engine
// hands a translucent fill, line or large text of many spans, a gradient and a picture
// it scales smoothly to the pool in pieces and waits for them; opaque drawing, text it
// lays from its glyph cache and pictures laid at whole pixels it does in place. So on
// a picture every other translucent part of a drawing goes through TranslucentFill
// (drawn opaque, laid over at its alpha), and a picture is stretched by the map's own
// resampling: the same pixels as the QPainter verb, to a few units of rounding. On any
// other device, or in another composition mode, the painter draws each verb itself.
class MapPainter
{
public:
    // Draws with `painter`, as it is set up but for smoothing pictures, which stays off.
    explicit MapPainter(QPainter &painter);
    // Draws on `picture`, of the format Format_ARGB32_Premultiplied.
    explicit MapPainter(QImage &picture);
    // Gives the painter back as it was set up.
    ~MapPainter();
    MapPainter(const MapPainter &) = delete;
    MapPainter &operator=(const MapPainter &) = delete;

    // The device drawn on, to measure texts for.
    QPaintDevice *device() const { return m_painter.device(); }
    // Whether a point of the painter is a device pixel, untransformed.
    bool drawsOnDevicePixels() const { return m_painter.deviceTransform().isIdentity(); }

    void save() { m_painter.save(); }
    void restore() { m_painter.restore(); }
    void translate(const QPointF &offset) { m_painter.translate(offset); }
    void rotate(qreal degrees) { m_painter.rotate(degrees); }
    void scale(qreal sx, qreal sy) { m_painter.scale(sx, sy); }
    // Clips to the device pixels `rect` covers: a rectangle, whatever the transform.
    void setClipRect(const QRectF &rect);
    // Any hint but SmoothPixmapTransform, which stays off.
    void setRenderHint(QPainter::RenderHint hint, bool on = true);
    void setRenderHints(QPainter::RenderHints hints);
    QPainter::RenderHints renderHints() const { return m_painter.renderHints(); }
    void setFont(const QFont &font) { m_painter.setFont(font); }
    const QFont &font() const { return m_painter.font(); }
    // Pens and brushes of one solid colour.
    void setPen(const QPen &pen);
    void setPen(const QColor &color) { m_painter.setPen(color); }
    void setPen(Qt::PenStyle style) { m_painter.setPen(style); }
    const QPen &pen() const { return m_painter.pen(); }
    void setBrush(const QColor &color) { m_painter.setBrush(color); }
    // No brush: the style given must be Qt::NoBrush.
    void setBrush(Qt::BrushStyle none);

    void fillRect(const QRectF &rect, const QColor &color);
    void fillPath(const QPainterPath &path, const QColor &color);
    // With the pen and brush, as QPainter draws them: the fill, then the outline. A
    // translucent outline a device pixel wide or less is laid over as one stroke, where
    // Qt blends it segment by segment, twice where two segments meet.
    void drawPath(const QPainterPath &path);
    void drawEllipse(const QPointF &centre, qreal rx, qreal ry);
    void drawRoundedRect(const QRectF &rect, qreal rx, qreal ry);
    // With the pen, each line blended on its own as QPainter::drawLines() blends them.
    void drawLines(const QList<QLineF> &lines);
    // In the pen and font: from a point on the baseline, and a laid-out text from its
    // top-left corner.
    void drawText(const QPointF &baseline, const QString &text);
    void drawStaticText(const QPointF &topLeft, const QStaticText &text);
    // Lays `picture` with its top-left pixel on the device pixel `at`, untransformed.
    void drawPicture(const QPoint &at, const QImage &picture);
    // Stretches `picture` (premultiplied) smoothly over `target`, in a transform that
    // only scales and moves.
    void drawStretched(const QRectF &target, const QImage &picture);

private:
    MapPainter(QImage *picture, QPainter *painter);

    // Whether `color` blends with what lies under it.
    bool isTranslucent(const QColor &color) const;
    // Whether Qt draws text in the font from its glyph cache, laying each glyph's
    // picture over the device pixels in place, as it does for text that is not too
    // large in device pixels and not projected; larger text it fills as paths.
    bool drawsFromGlyphCache() const;
    // Draws what `draw` draws in `color`, within `bounds` widened by `margin` device
    // pixels, through the scratch picture when translucent.
    void paint(const QColor &color, const QRectF &bounds, double margin,
               const std::function<void(QPainter &, const QColor &)> &draw);
    // Draws what `draw` draws of `text` in the pen and font, from `at` on its baseline or
    // at its top-left corner, through paint() where Qt would fill its glyphs as paths.
    void drawTextShape(const QPointF &at, bool fromTopLeft, const QString &text,
                       const std::function<void(QPainter &)> &draw);
    // Draws what `draw` draws with the pen and brush, within `bounds`: the fill, then
    // the outline, each through paint().
    void drawShape(const QRectF &bounds, const std::function<void(QPainter &)> &draw);
    TranslucentFill *translucentFill();

    std::optional<QPainter> m_own;
    QPainter &m_painter;
    // Whether translucent parts go through TranslucentFill.
    bool m_throughFill;
    // Whether the painter's state is given back when done: smoothing was turned off.
    bool m_restores = false;
    std::unique_ptr<TranslucentFill> m_fill; // made for the first translucent part
};
