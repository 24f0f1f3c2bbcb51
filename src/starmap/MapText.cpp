#include "MapText.h"

#include "MapPainter.h"

#include "model/LineBreaks.h"
#include "model/ShortenedText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QStaticText>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace MapText {

namespace {

// Qt sizes fonts in points of 1/72 inch, the map in device-independent pixels; a
// whole-pixel size would make texts jump while zooming.
QFont sized(QFont font, double points, const QPaintDevice *device)
{
    const int dpi = device ? device->logicalDpiY() : 96;
    font.setPointSizeF(points * 72.0 / (dpi > 0 ? dpi : 96));
    return font;
}

// The metrics of the fonts drawn with lately and, in each, the texts laid out: a
// frame draws many texts in few fonts, and the hex numbers and names recur frame
// after frame, so a text is measured and shaped once while its font stays in use.
// A laid-out text draws the same glyphs at the same places as drawing it afresh.
class Measure
{
public:
    struct Laid
    {
        QStaticText text;
        double width = 0;
    };
    struct Font
    {
        QFont font;
        int dpi = 0;
        QFontMetricsF metrics;
        QHash<QString, Laid> texts;
    };

    Font &of(const MapPainter &painter)
    {
        const QFont &font = painter.font();
        const int dpi = painter.device() ? painter.device()->logicalDpiY() : 0;
        if (!m_fonts.empty() && m_fonts.front()->dpi == dpi && m_fonts.front()->font == font)
            return *m_fonts.front();
        auto found = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const auto &entry) {
            return entry->dpi == dpi && entry->font == font;
        });
        if (found == m_fonts.end()) {
            // The least recently used font goes, so zooming through sizes stays bounded.
            if (m_fonts.size() >= kFonts)
                m_fonts.pop_back();
            m_fonts.insert(m_fonts.begin(), std::make_unique<Font>(
                                                Font{font, dpi, QFontMetricsF(font, painter.device()), {}}));
        } else {
            std::rotate(m_fonts.begin(), found, found + 1);
        }
        return *m_fonts.front();
    }

    const Laid &laid(const MapPainter &painter, const QString &text)
    {
        Font &font = of(painter);
        const auto found = font.texts.constFind(text);
        if (found != font.texts.cend())
            return *found;
        if (font.texts.size() >= kTexts)
            font.texts.clear();
        Laid made{QStaticText(text), font.metrics.horizontalAdvance(text)};
        made.text.setTextFormat(Qt::PlainText);
        made.text.setPerformanceHint(QStaticText::AggressiveCaching);
        made.text.prepare(QTransform(), font.font);
        return *font.texts.insert(text, std::move(made));
    }

private:
    static constexpr std::size_t kFonts = 16;
    static constexpr qsizetype kTexts = 8000;

    std::vector<std::unique_ptr<Font>> m_fonts; // most recently used first
};

Measure &measure()
{
    thread_local Measure instance;
    return instance;
}

// A laid-out text lands on the same pixels as drawing it afresh only while the painter
// draws in device pixels untransformed; text moved, turned or scaled (also by a high
// density screen) is drawn afresh.
// Texts are placed on a grid of 1/64 point, the finest step glyphs are placed by,
// halves rounded up whatever the sign: a text drawn at a point moved by whole pixels
// (a tile of the map, a panned view) then gets the same glyph images as drawn in
// place. Rounding halves away from zero, as the glyph positions otherwise are, picks
// other glyph images left of the origin than right of it.
double onGrid(double value)
{
    return std::floor(value * 64 + 0.5) / 64;
}

void draw(MapPainter &painter, const QPointF &topLeft, double ascent, const Measure::Laid &laid)
{
    const QPointF at(onGrid(topLeft.x()), onGrid(topLeft.y()));
    if (painter.drawsOnDevicePixels())
        painter.drawStaticText(at, laid.text);
    else
        painter.drawText(QPointF(at.x(), at.y() + ascent), laid.text.text());
}

// Texts are measured at this size, on a picture like the map's.
constexpr double kMeasureSize = 100;

const QFontMetricsF &displayMetrics()
{
    thread_local const QFontMetricsF metrics = [] {
        QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
        return QFontMetricsF(display(kMeasureSize, &probe), &probe);
    }();
    return metrics;
}

// The lines of a text as the map lays them out: together no longer than one line.
QStringList shownLines(const QString &text)
{
    return LineBreaks::lines(shortened(text, kLongestText));
}

// The height of `count` lines, each under the one before.
double linesHeight(const QFontMetricsF &metrics, qsizetype count)
{
    return metrics.height() + double(count - 1) * metrics.lineSpacing();
}

} // namespace

QString shownPart(const QString &text)
{
    return LineBreaks::asBlanks(shortened(text, kLongestText));
}

QFont display(double points, const QPaintDevice *device)
{
    return sized(QFont(QStringLiteral("Nasalization")), points, device);
}

QFont system(double points, const QPaintDevice *device, bool bold)
{
    QFont font = sized(QGuiApplication::font(), points, device);
    font.setBold(bold);
    return font;
}

QSizeF displayBoxPerPoint(const QString &text)
{
    const QFontMetricsF &metrics = displayMetrics();
    return QSizeF(metrics.horizontalAdvance(shownPart(text)), metrics.height()) / kMeasureSize;
}

QSizeF displayLinesBoxPerPoint(const QString &text)
{
    const QStringList lines = shownLines(text);
    const QFontMetricsF &metrics = displayMetrics();
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSizeF(width, linesHeight(metrics, lines.size())) / kMeasureSize;
}

void drawCentred(MapPainter &painter, const QPointF &centre, const QString &text)
{
    const QFontMetricsF &metrics = measure().of(painter).metrics;
    const Measure::Laid &laid = measure().laid(painter, shownPart(text));
    draw(painter, QPointF(centre.x() - laid.width / 2, centre.y() - metrics.height() / 2), metrics.ascent(),
         laid);
}

void drawLinesCentred(MapPainter &painter, const QPointF &centre, const QString &text, const QColor &shadow)
{
    // Each line is laid out once and drawn twice.
    const QStringList lines = shownLines(text);
    const QFontMetricsF &metrics = measure().of(painter).metrics;
    const double top = centre.y() - linesHeight(metrics, lines.size()) / 2;
    QVarLengthArray<std::pair<QPointF, const Measure::Laid *>, 4> laidOut;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Measure::Laid &laid = measure().laid(painter, shownPart(lines.at(i)));
        laidOut.append(
            {QPointF(centre.x() - laid.width / 2, top + double(i) * metrics.lineSpacing()), &laid});
    }
    const QPen pen = painter.pen();
    painter.setPen(shadow);
    for (const auto &[topLeft, laid] : laidOut)
        draw(painter, topLeft + QPointF(1, 1), metrics.ascent(), *laid);
    painter.setPen(pen);
    for (const auto &[topLeft, laid] : laidOut)
        draw(painter, topLeft, metrics.ascent(), *laid);
}

void drawFromTopLeft(MapPainter &painter, const QPointF &topLeft, const QString &text)
{
    draw(painter, topLeft, measure().of(painter).metrics.ascent(), measure().laid(painter, shownPart(text)));
}

} // namespace MapText
