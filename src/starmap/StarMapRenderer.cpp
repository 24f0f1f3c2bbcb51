#include "StarMapRenderer.h"

#include "MapColors.h"
#include "MapText.h"
#include "StarGlyphBatch.h"
#include "StarMapVisibleSets.h"
#include "SystemsLayer.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const double kRoot3 = std::sqrt(3.0);

// `value` rounded down and kept within [low, high], for ranges of hexes taken from
// screen positions that may lie far outside the map.
qint64 boundedFloor(double value, qint64 low, qint64 high)
{
    if (!(value > static_cast<double>(low)))
        return low;
    if (!(value < static_cast<double>(high)))
        return high;
    return static_cast<qint64>(std::floor(value));
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

bool isCapital(const WorldData &world)
{
    return world.tradeClasses.contains(TradeClass::capital) ||
           world.tradeClasses.contains(TradeClass::sectorCapital) ||
           world.tradeClasses.contains(TradeClass::subsectorCapital);
}

} // namespace

StarMapRenderer::StarMapRenderer(const StarMapVisibleSets &sets) : m_sets(sets) {}

void StarMapRenderer::setLayerDrawer(Layer layer, LayerDrawer drawer)
{
    m_layers[static_cast<std::size_t>(layer)] = std::move(drawer);
}

void StarMapRenderer::drawLayer(Layer layer, QPainter &painter, const StarMapPass &pass) const
{
    if (const LayerDrawer &drawer = m_layers[static_cast<std::size_t>(layer)]) {
        painter.save();
        drawer(painter, pass);
        painter.restore();
    }
}

void StarMapRenderer::draw(QPainter &painter, const MapTransform &transform, const GridExtent &extent,
                           const QRectF &exposed) const
{
    const StarMapPass pass{&m_sets, transform, extent, exposed, m_sets.hexRadius()};
    painter.save();
    painter.setClipRect(exposed);
    painter.fillRect(exposed, MapColors::background());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawLayer(Layer::nebulae, painter, pass);
    if (pass.detail12() || pass.detail18())
        drawGrid(painter, pass);
    if (pass.detail12())
        drawBorders(painter, pass, 8, 10, false);
    drawBorders(painter, pass, 32, 40, true);
    drawLayer(Layer::regions, painter, pass);
    drawLayer(Layer::rutters, painter, pass);
    drawSystems(painter, pass);
    drawLayer(Layer::labels, painter, pass);
    painter.restore();
}

void StarMapRenderer::drawGrid(QPainter &painter, const StarMapPass &pass) const
{
    const double R = pass.hexRadius;
    const double s = pass.transform.scale;
    const GridExtent &e = pass.extent;
    qint64 minCol = e.minCol, maxCol = e.maxCol, minRow = e.minRow, maxRow = e.maxRow;
    if (m_culling) {
        // A hex reaches one radius from its centre, its number stays inside it.
        const QRectF map = pass.transform.toMap(pass.exposed);
        minCol = boundedFloor(map.left() / (1.5 * R) - 1, e.minCol, e.maxCol + 1);
        maxCol = boundedFloor(map.right() / (1.5 * R) + 1, e.minCol - 1, e.maxCol);
        minRow = boundedFloor(map.top() / (kRoot3 * R) - 1, e.minRow, e.maxRow + 1);
        maxRow = boundedFloor(map.bottom() / (kRoot3 * R) + 1, e.minRow - 1, e.maxRow);
    }
    if (minCol > maxCol || minRow > maxRow)
        return;
    const HexLayout layout(R);
    std::array<QPointF, 6> corner;
    for (int k = 0; k < 6; ++k)
        corner[static_cast<std::size_t>(k)] =
            QPointF(std::cos(k * std::numbers::pi / 3), std::sin(k * std::numbers::pi / 3)) * (R * s);

    if (pass.detail12()) {
        QList<QLineF> lines;
        lines.reserve((maxCol - minCol + 1) * (maxRow - minRow + 1) * 6);
        for (qint64 q = minCol; q <= maxCol; ++q) {
            for (qint64 r = minRow; r <= maxRow; ++r) {
                const QPointF c = pass.transform.toScreen(layout.center(HexLayout::coordinates(q, r)));
                for (std::size_t k = 0; k < 6; ++k)
                    lines.append(QLineF(c + corner[k], c + corner[(k + 1) % 6]));
            }
        }
        painter.setPen(QPen(MapColors::white(0.15), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawLines(lines);
    }
    if (pass.detail18() && 10 * s >= 4) {
        painter.setFont(MapText::system(10 * s, painter));
        painter.setPen(MapColors::white(0.4));
        for (qint64 q = minCol; q <= maxCol; ++q) {
            for (qint64 r = minRow; r <= maxRow; ++r) {
                const GalacticCoordinates hex = HexLayout::coordinates(q, r);
                const QPointF c = pass.transform.toScreen(layout.center(hex));
                MapText::drawCentred(painter, c - QPointF(0, 0.66 * R * s),
                                     twoDigits(hex.column) + twoDigits(hex.row));
            }
        }
    }
}

void StarMapRenderer::drawBorders(QPainter &painter, const StarMapPass &pass, qint64 columns, qint64 rows,
                                  bool sectors) const
{
    const double R = pass.hexRadius;
    const MapTransform &t = pass.transform;
    const GridExtent &e = pass.extent;
    qint64 firstI = GridExtent::floorDiv(e.minCol, columns), lastI = GridExtent::floorDiv(e.maxCol, columns);
    qint64 firstJ = GridExtent::floorDiv(e.minRow, rows), lastJ = GridExtent::floorDiv(e.maxRow, rows);
    if (m_culling) {
        const QRectF map = t.toMap(pass.exposed);
        firstI = std::max(firstI, boundedFloor(map.left() / (1.5 * R * columns) - 1, firstI, lastI + 1));
        lastI = std::min(lastI, boundedFloor(map.right() / (1.5 * R * columns) + 1, firstI - 1, lastI));
        firstJ = std::max(firstJ, boundedFloor(map.top() / (kRoot3 * R * rows) - 1, firstJ, lastJ + 1));
        lastJ = std::min(lastJ, boundedFloor(map.bottom() / (kRoot3 * R * rows) + 1, firstJ - 1, lastJ));
    }
    QPen pen(MapColors::white(sectors ? 0.5 : 0.22), sectors ? 2 : 1, Qt::SolidLine, Qt::FlatCap,
             Qt::MiterJoin);
    pen.setMiterLimit(10);
    if (!sectors)
        pen.setDashPattern({4, 4});
    const QFont font = MapText::display(sectors ? 14 : 10, painter);
    const QColor textColor = MapColors::white(sectors ? 0.75 : 0.45);
    for (qint64 i = firstI; i <= lastI; ++i) {
        for (qint64 j = firstJ; j <= lastJ; ++j) {
            const QPointF topLeft(1.5 * R * (columns * i - 0.5), kRoot3 * R * (rows * j - 0.5));
            const QPointF bottomRight(1.5 * R * (columns * i + columns - 1 + 0.5),
                                      kRoot3 * R * (rows * j + rows - 1 + 0.5));
            const QRectF box(t.toScreen(topLeft), t.toScreen(bottomRight));
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
            const QString name =
                sectors ? GalacticCoordinates::sectorXText(i) + GalacticCoordinates::sectorYText(-j)
                        : HexLayout::coordinates(columns * i, rows * j).subsectorLetter();
            painter.setFont(font);
            painter.setPen(textColor);
            MapText::drawFromTopLeft(painter, box.topLeft() + QPointF(6, 4), name);
        }
    }
}

QPointF StarMapRenderer::systemReach(QPainter &painter, const StarMapPass &pass) const
{
    const double r = pass.screenHexRadius();
    QPointF reach(StarGlyph::reach(pass.hexRadius) * pass.transform.scale,
                  StarGlyph::reach(pass.hexRadius) * pass.transform.scale);
    if (pass.detail26()) {
        const QPointF overlay = SystemsLayer::reach(r);
        reach = QPointF(std::max(reach.x(), overlay.x()), std::max(reach.y(), overlay.y()));
    }
    if (pass.detail18()) {
        const QFontMetricsF metrics(MapText::display(std::max(11 * pass.transform.scale, 9.0), painter),
                                    painter.device());
        const double halfWidth = metrics.maxWidth() * static_cast<double>(m_sets.systems().longestName()) / 2;
        reach =
            QPointF(std::max(reach.x(), halfWidth + 2), std::max(reach.y(), 0.7 * r + metrics.height() + 2));
    }
    return reach;
}

void StarMapRenderer::drawSystems(QPainter &painter, const StarMapPass &pass) const
{
    QList<const MapSystem *> systems;
    if (m_culling) {
        const QPointF reach = systemReach(painter, pass) / pass.transform.scale;
        const QRectF map =
            pass.transform.toMap(pass.exposed).adjusted(-reach.x(), -reach.y(), reach.x(), reach.y());
        systems = m_sets.systems().inRect(map);
    } else {
        systems = m_sets.systems().all();
    }
    const StarfarerUniverse *universe = m_sets.universe();
    const bool overlays = pass.detail26() && universe && universe->mapShowSurveyedData();
    const bool referee = universe && universe->mapViewMode() == MapViewMode::referee;
    const double r = pass.screenHexRadius();
    if (!pass.detail18()) {
        // Glyphs alone: nothing else is drawn between them, so they go in one batch.
        StarGlyphBatch batch;
        for (const MapSystem *system : systems)
            batch.add(system->glyph, pass.transform.toScreen(system->centre), pass.transform.scale,
                      pass.hexRadius);
        batch.paint(painter);
        return;
    }
    const QFont nameFont = MapText::display(std::max(11 * pass.transform.scale, 9.0), painter);
    for (const MapSystem *system : systems) {
        const QPointF centre = pass.transform.toScreen(system->centre);
        if (overlays && (referee || system->hex.starSystem.surveyed))
            SystemsLayer::drawSurveyedData(painter, system->hex.starSystem, centre, r);
        system->glyph.draw(painter, centre, pass.transform.scale, pass.hexRadius);
        painter.setFont(nameFont);
        drawName(painter, *system, centre, r);
    }
}

void StarMapRenderer::drawName(QPainter &painter, const MapSystem &system, const QPointF &centre,
                               double screenRadius) const
{
    const StarSystem &star = system.hex.starSystem;
    const std::optional<WorldData> main = star.mainWorld();
    QString text = SystemIndex::nameText(star);
    if (main && main->uwp.population > 8 && !star.name.isEmpty())
        text = text.toUpper();
    painter.setPen(main && isCapital(*main) ? MapColors::red() : QColor(Qt::white));
    MapText::drawCentred(painter, centre + QPointF(0, 0.7 * screenRadius), text);
}

QRectF StarMapRenderer::reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform) const
{
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&probe);
    const StarMapPass pass{&m_sets, transform, {}, {}, m_sets.hexRadius()};
    const QPointF reach = systemReach(painter, pass);
    const HexLayout layout(m_sets.hexRadius());
    QRectF area;
    for (const GalacticCoordinates &cell : cells) {
        const QPointF c = transform.toScreen(layout.center(cell));
        area |= QRectF(c - reach, c + reach);
    }
    return area;
}
