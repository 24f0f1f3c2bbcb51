#include "StarMapRenderer.h"

#include "MapColors.h"
#include "MapPainter.h"
#include "MapText.h"
#include "StarMapVisibleSets.h"
#include "SystemsLayer.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

const double kRoot3 = std::sqrt(3.0);

// Points across below which a sector that holds no system is not drawn.
constexpr double kSmallestEmptySector = 16;

// Points; a sliver of a dash shorter than this is left out. The painter draws even a
// line of no length as a dot, and where a dash ends on a corner rounding alone leaves
// such a sliver in one drawing and not in another: a part of the map drawn on its own
// would get dots the whole view lacks.
constexpr double kShortestDash = 1e-3;

// The part of the segment from `a` to `b` that lies in `box`, as the fractions of the
// way from `a` where it enters and leaves; none when the segment misses the box.
std::optional<std::pair<double, double>> insideOf(const QPointF &a, const QPointF &b, const QRectF &box)
{
    double enter = 0, leave = 1;
    const QPointF d = b - a;
    const std::array<std::pair<double, double>, 4> sides{{{-d.x(), a.x() - box.left()},
                                                          {d.x(), box.right() - a.x()},
                                                          {-d.y(), a.y() - box.top()},
                                                          {d.y(), box.bottom() - a.y()}}};
    for (const auto &[towards, room] : sides) {
        if (towards == 0) {
            if (room < 0)
                return std::nullopt;
        } else if (towards < 0) {
            enter = std::max(enter, room / towards);
        } else {
            leave = std::min(leave, room / towards);
        }
    }
    if (!(enter < leave))
        return std::nullopt;
    return std::pair{enter, leave};
}

// Adds the outline of `box`, from its top-left corner round by the right, as the
// lines that meet `clip`. With a `dash` length the outline is dashed, dashes and gaps
// alike that long, the pattern running on round the corners as a stroked path's does;
// the dashes are placed by their distance along the outline, so that a part of the
// map drawn on its own gets the same dashes as the whole.
void appendOutline(QList<QLineF> &lines, const QRectF &box, const QRectF &clip, double dash)
{
    const std::array<QPointF, 5> corners{box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft(),
                                         box.topLeft()};
    double along = 0; // length of the outline before this side
    for (std::size_t k = 0; k < 4; ++k) {
        const QPointF a = corners[k], b = corners[k + 1];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const auto inside = insideOf(a, b, clip);
        if (inside && length > 0) {
            const auto point = [&](double distance) { return a + (b - a) * (distance / length); };
            const double from = inside->first * length, to = inside->second * length;
            if (dash <= 0) {
                lines.append(QLineF(point(from), point(to)));
            } else {
                // Dashes start every 2 × dash along the whole outline; the first one
                // that can reach `from` starts at or before it.
                const double period = 2 * dash;
                for (double start = from - std::fmod(along + from, period); start < to; start += period) {
                    const double first = std::max(start, from), last = std::min(start + dash, to);
                    if (last - first > kShortestDash)
                        lines.append(QLineF(point(first), point(last)));
                }
            }
        }
        along += length;
    }
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

void StarMapRenderer::setLayerSource(Layer layer, LayerSource source)
{
    m_layers[static_cast<std::size_t>(layer)] = std::move(source);
}

std::shared_ptr<const StarMapScene> StarMapRenderer::scene() const
{
    auto scene = std::make_shared<StarMapScene>();
    scene->systems = m_sets.systems();
    scene->hexRadius = m_sets.hexRadius();
    if (const StarfarerUniverse *universe = m_sets.universe()) {
        scene->surveyedOverlays = universe->mapShowSurveyedData();
        scene->referee = universe->mapViewMode() == MapViewMode::referee;
    }
    scene->culling = m_culling;
    scene->stamping = m_stamping;
    for (std::size_t i = 0; i < m_layers.size(); ++i) {
        if (m_layers[i])
            scene->layers[i] = m_layers[i]();
    }
    return scene;
}

void StarMapRenderer::drawLayer(Layer layer, MapPainter &painter, const StarMapPass &pass)
{
    if (const LayerDrawer &drawer = pass.scene->layers[static_cast<std::size_t>(layer)]) {
        painter.save();
        drawer(painter, pass);
        painter.restore();
    }
}

void StarMapRenderer::draw(QPainter &painter, const MapTransform &transform, const GridExtent &extent,
                           const QRectF &exposed) const
{
    draw(painter, *scene(), transform, extent, exposed);
}

bool StarMapRenderer::draw(QPainter &target, const StarMapScene &scene, const MapTransform &transform,
                           const GridExtent &extent, const QRectF &exposed, const std::function<bool()> &stop)
{
    // Everything is drawn through the map's painter, which never waits on Qt's pool.
    MapPainter painter(target);
    const StarMapPass pass{&scene, transform, extent, exposed, scene.hexRadius};
    // Once told to stop, the drawing stays stopped.
    bool halted = false;
    const std::function<bool()> stopped = [&] { return halted = halted || (stop && stop()); };
    // The steps of the pass in drawing order; each draws over the ones before.
    const std::array<std::function<void()>, 6> steps{
        [&] { drawLayer(Layer::nebulae, painter, pass); },
        [&] {
            if (pass.detail12() || pass.detail18())
                drawGrid(painter, pass);
            if (pass.detail12())
                drawBorders(painter, pass, 8, 10, false);
            drawBorders(painter, pass, 32, 40, true);
        },
        [&] { drawLayer(Layer::regions, painter, pass); },
        [&] { drawLayer(Layer::rutters, painter, pass); },
        [&] { drawSystems(painter, pass, stopped); },
        [&] { drawLayer(Layer::labels, painter, pass); },
    };
    painter.save();
    painter.setClipRect(exposed);
    painter.fillRect(exposed, MapColors::background());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const auto &step : steps) {
        if (stopped())
            break;
        step();
    }
    painter.restore();
    return !stopped();
}

void StarMapRenderer::drawGrid(MapPainter &painter, const StarMapPass &pass)
{
    const double R = pass.hexRadius;
    const double s = pass.transform.scale;
    const GridExtent &e = pass.extent;
    qint64 minCol = e.minCol, maxCol = e.maxCol, minRow = e.minRow, maxRow = e.maxRow;
    if (pass.scene->culling) {
        // A hex reaches one radius from its centre, its number stays inside it.
        const QRectF map = pass.transform.toMap(pass.exposed);
        minCol = GridExtent::boundedFloor(map.left() / (1.5 * R) - 1, e.minCol,
                                          GridExtent::saturatingAdd(e.maxCol, 1));
        maxCol = GridExtent::boundedFloor(map.right() / (1.5 * R) + 1,
                                          GridExtent::saturatingAdd(e.minCol, -1), e.maxCol);
        minRow = GridExtent::boundedFloor(map.top() / (kRoot3 * R) - 1, e.minRow,
                                          GridExtent::saturatingAdd(e.maxRow, 1));
        maxRow = GridExtent::boundedFloor(map.bottom() / (kRoot3 * R) + 1,
                                          GridExtent::saturatingAdd(e.minRow, -1), e.maxRow);
    }
    if (minCol > maxCol || minRow > maxRow)
        return;
    const HexLayout layout(R);
    std::array<QPointF, 6> corner;
    for (int k = 0; k < 6; ++k)
        corner[static_cast<std::size_t>(k)] =
            QPointF(std::cos(k * std::numbers::pi / 3), std::sin(k * std::numbers::pi / 3)) * (R * s);
    // Every hex of the block in turn; written so that a block reaching the end of the
    // 64-bit range never steps past it.
    const auto forEachHex = [&](const auto &visit) {
        for (qint64 q = minCol;; ++q) {
            for (qint64 r = minRow;; ++r) {
                visit(q, r);
                if (r == maxRow)
                    break;
            }
            if (q == maxCol)
                break;
        }
    };

    if (pass.detail12()) {
        // Each edge once: every hex strokes its three upper edges, and its lower ones
        // only where the hex below them lies outside the block.
        QList<QLineF> lines;
        const auto edge = [&](const QPointF &c, std::size_t from, std::size_t to) {
            lines.append(QLineF(c + corner[from], c + corner[to]));
        };
        forEachHex([&](qint64 q, qint64 r) {
            const QPointF c = pass.transform.toScreen(layout.center(HexLayout::coordinates(q, r)));
            edge(c, 3, 4);
            edge(c, 4, 5);
            edge(c, 5, 0);
            if (r == maxRow)
                edge(c, 1, 2);
            // The lower neighbours of an odd column lie one row further down.
            const bool lowerOutside = (q & 1) != 0 && r == maxRow;
            if (q == minCol || lowerOutside)
                edge(c, 2, 3);
            if (q == maxCol || lowerOutside)
                edge(c, 0, 1);
        });
        painter.setPen(QPen(MapColors::white(0.15), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawLines(lines);
    }
    if (pass.detail18() && 10 * s >= 4) {
        painter.setFont(MapText::system(10 * s, painter.device()));
        painter.setPen(MapColors::white(0.4));
        forEachHex([&](qint64 q, qint64 r) {
            const GalacticCoordinates hex = HexLayout::coordinates(q, r);
            const QPointF c = pass.transform.toScreen(layout.center(hex));
            MapText::drawCentred(painter, c - QPointF(0, 0.66 * R * s),
                                 twoDigits(hex.column) + twoDigits(hex.row));
        });
    }
}

void StarMapRenderer::drawBorders(MapPainter &painter, const StarMapPass &pass, qint64 columns, qint64 rows,
                                  bool sectors)
{
    const double R = pass.hexRadius;
    const MapTransform &t = pass.transform;
    const GridExtent &e = pass.extent;
    const QFont font = MapText::display(sectors ? 14 : 10, painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const auto nameOf = [&](qint64 i, qint64 j) {
        return sectors ? GalacticCoordinates::sectorXText(i) + GalacticCoordinates::sectorYText(-j)
                       : HexLayout::coordinates(columns * i, rows * j).subsectorLetter();
    };

    // The blocks of the extent whose border or name can meet the exposed rectangle: a
    // name hangs right and down from its block's top-left corner.
    GridExtent blocks{GridExtent::floorDiv(e.minCol, columns), GridExtent::floorDiv(e.maxCol, columns),
                      GridExtent::floorDiv(e.minRow, rows), GridExtent::floorDiv(e.maxRow, rows)};
    const qsizetype nameLength =
        std::max({qsizetype(8), nameOf(blocks.minCol, blocks.minRow).size(),
                  nameOf(blocks.maxCol, blocks.maxRow).size(), nameOf(blocks.minCol, blocks.maxRow).size(),
                  nameOf(blocks.maxCol, blocks.minRow).size()});
    const QSizeF nameReach(6 + metrics.maxWidth() * static_cast<double>(nameLength), 4 + metrics.height());
    const QRectF reached =
        t.toMap(pass.exposed.adjusted(-nameReach.width() - 2, -nameReach.height() - 2, 2, 2));
    const double blockWidth = 1.5 * R * static_cast<double>(columns);
    const double blockHeight = kRoot3 * R * static_cast<double>(rows);
    // Block i runs from column columns × i − ½ to columns × (i + 1) − ½.
    const auto firstBlock = [](double at, double size, double halfHex, qint64 low, qint64 high) {
        return GridExtent::boundedFloor((at + halfHex) / size, low, high);
    };
    blocks = {firstBlock(reached.left(), blockWidth, 0.75 * R, blocks.minCol, blocks.maxCol + 1),
              firstBlock(reached.right(), blockWidth, 0.75 * R, blocks.minCol - 1, blocks.maxCol),
              firstBlock(reached.top(), blockHeight, 0.5 * kRoot3 * R, blocks.minRow, blocks.maxRow + 1),
              firstBlock(reached.bottom(), blockHeight, 0.5 * kRoot3 * R, blocks.minRow - 1, blocks.maxRow)};
    if (blocks.minCol > blocks.maxCol || blocks.minRow > blocks.maxRow)
        return;

    // Sectors drawn smaller than this on screen are drawn only where they hold
    // systems: so many empty sectors would only blur into one grey band, and a frame
    // then costs the same however far apart the occupied sectors lie. Subsector
    // borders appear only from a hex radius of 12 points, far above it.
    QList<std::pair<qint64, qint64>> drawn;
    if (sectors && blockWidth * t.scale < kSmallestEmptySector) {
        drawn = pass.scene->systems.occupiedSectors(blocks);
    } else {
        for (qint64 i = blocks.minCol; i <= blocks.maxCol; ++i) {
            for (qint64 j = blocks.minRow; j <= blocks.maxRow; ++j)
                drawn.append({i, j});
        }
    }

    const QRectF clip = pass.exposed.adjusted(-2, -2, 2, 2);
    const double dash = sectors ? 0 : 4;
    QList<QLineF> lines;
    QList<std::pair<QPointF, QString>> names;
    for (const auto &[i, j] : std::as_const(drawn)) {
        const QPointF topLeft(1.5 * R * (static_cast<double>(columns * i) - 0.5),
                              kRoot3 * R * (static_cast<double>(rows * j) - 0.5));
        const QRectF box(t.toScreen(topLeft), QSizeF(blockWidth, blockHeight) * t.scale);
        appendOutline(lines, box, clip, dash);
        const QPointF namePoint = box.topLeft() + QPointF(6, 4);
        if (QRectF(namePoint, nameReach).intersects(pass.exposed))
            names.append({namePoint, nameOf(i, j)});
    }
    QPen pen(MapColors::white(sectors ? 0.5 : 0.22), sectors ? 2 : 1, Qt::SolidLine, Qt::FlatCap,
             Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.setPen(pen);
    painter.drawLines(lines);
    painter.setFont(font);
    painter.setPen(MapColors::white(sectors ? 0.75 : 0.45));
    for (const auto &[at, name] : std::as_const(names))
        MapText::drawFromTopLeft(painter, at, name);
}

QPointF StarMapRenderer::systemReach(const QPaintDevice *device, const StarMapPass &pass,
                                     qsizetype longestName)
{
    const double r = pass.screenHexRadius();
    QPointF reach(StarGlyph::reach(pass.hexRadius) * pass.transform.scale,
                  StarGlyph::reach(pass.hexRadius) * pass.transform.scale);
    if (pass.detail26()) {
        const QPointF overlay = SystemsLayer::reach(r);
        reach = QPointF(std::max(reach.x(), overlay.x()), std::max(reach.y(), overlay.y()));
    }
    if (pass.detail18()) {
        const QFontMetricsF metrics(nameFont(pass, device), device);
        const double halfWidth = metrics.maxWidth() * static_cast<double>(longestName) / 2;
        reach =
            QPointF(std::max(reach.x(), halfWidth + 2), std::max(reach.y(), 0.7 * r + metrics.height() + 2));
    }
    return reach;
}

QFont StarMapRenderer::nameFont(const StarMapPass &pass, const QPaintDevice *device)
{
    return MapText::display(std::max(11 * pass.transform.scale, 9.0), device);
}

void StarMapRenderer::drawSystems(MapPainter &painter, const StarMapPass &pass,
                                  const std::function<bool()> &stopped)
{
    const StarMapScene &scene = *pass.scene;
    QList<const MapSystem *> systems;
    if (scene.culling) {
        const QPointF reach =
            systemReach(painter.device(), pass, scene.systems.longestName()) / pass.transform.scale;
        const QRectF map =
            pass.transform.toMap(pass.exposed).adjusted(-reach.x(), -reach.y(), reach.x(), reach.y());
        systems = scene.systems.inRect(map);
    } else {
        systems = scene.systems.all();
    }
    const bool overlays = pass.detail26() && scene.surveyedOverlays;
    const double r = pass.screenHexRadius();
    // A part of the map zoomed out may hold thousands of systems: whether the drawing is
    // still wanted is asked every so many.
    constexpr qsizetype kSystemsBetweenChecks = 512;
    if (!pass.detail18()) {
        for (qsizetype i = 0; i < systems.size(); ++i) {
            if (i % kSystemsBetweenChecks == kSystemsBetweenChecks - 1 && stopped())
                return;
            const MapSystem *system = systems[i];
            system->glyph.draw(painter, pass.transform.toScreen(system->centre), pass.transform.scale,
                               pass.hexRadius, scene.stamping);
        }
        return;
    }
    const QFont font = nameFont(pass, painter.device());
    painter.setFont(font);
    for (qsizetype i = 0; i < systems.size(); ++i) {
        if (i % kSystemsBetweenChecks == kSystemsBetweenChecks - 1 && stopped())
            return;
        const MapSystem *system = systems[i];
        const QPointF centre = pass.transform.toScreen(system->centre);
        if (overlays && (scene.referee || system->hex.starSystem.surveyed)) {
            SystemsLayer::drawSurveyedData(painter, system->hex.starSystem, centre, r);
            painter.setFont(font);
        }
        system->glyph.draw(painter, centre, pass.transform.scale, pass.hexRadius, scene.stamping);
        drawName(painter, *system, centre, r);
    }
}

void StarMapRenderer::drawName(MapPainter &painter, const MapSystem &system, const QPointF &centre,
                               double screenRadius)
{
    const StarSystem &star = system.hex.starSystem;
    const std::optional<WorldData> main = star.mainWorld();
    QString text = MapText::shownPart(SystemIndex::nameText(star));
    if (main && main->uwp.population > 8 && !star.name.isEmpty())
        text = text.toUpper();
    painter.setPen(main && isCapital(*main) ? MapColors::red() : QColor(Qt::white));
    MapText::drawCentred(painter, centre + QPointF(0, 0.7 * screenRadius), text);
}

QRectF StarMapRenderer::reachOf(const QList<GalacticCoordinates> &cells, const MapTransform &transform) const
{
    const QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    const StarMapPass pass{nullptr, transform, {}, {}, m_sets.hexRadius()};
    const QPointF reach = systemReach(&probe, pass, m_sets.systems().longestName());
    const HexLayout layout(m_sets.hexRadius());
    QRectF area;
    for (const GalacticCoordinates &cell : cells) {
        const QPointF c = transform.toScreen(layout.center(cell));
        area |= QRectF(c - reach, c + reach);
    }
    if (m_layerReach)
        area |= m_layerReach(cells, transform);
    return area;
}
