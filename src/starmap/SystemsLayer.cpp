#include "SystemsLayer.h"

#include "MapColors.h"
#include "MapPainter.h"
#include "MapText.h"
#include "ui/SymbolPainting.h"

#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

QColor ink()
{
    return MapColors::white(0.85);
}

// Smaller is better; X and Y share the last rank.
int starportRank(Starport port)
{
    switch (port) {
    case Starport::typeA: return 0;
    case Starport::typeB: return 1;
    case Starport::typeC: return 2;
    case Starport::typeD: return 3;
    case Starport::typeE: return 4;
    case Starport::typeF: return 5;
    case Starport::typeG: return 6;
    case Starport::typeH: return 7;
    case Starport::typeX:
    case Starport::typeY: return 8;
    }
    return 8;
}

// The belt's dots: a fraction of a turn, a distance and a size, both in world radii.
struct BeltDot
{
    double turn;
    double distance;
    double size;
};

constexpr std::array<BeltDot, 9> kBeltDots{{
    {0.02, 0.78, 0.3},
    {0.14, 0.45, 0.22},
    {0.27, 0.85, 0.26},
    {0.39, 0.3, 0.34},
    {0.52, 0.72, 0.24},
    {0.63, 0.5, 0.2},
    {0.71, 0.88, 0.28},
    {0.83, 0.4, 0.3},
    {0.95, 0.66, 0.22},
}};

QPolygonF polygon(const QPointF &centre, double h, std::initializer_list<QPointF> offsets)
{
    QPolygonF points;
    for (const QPointF &offset : offsets)
        points.append(centre + offset * h);
    return points;
}

} // namespace

std::optional<Starport> SystemsLayer::bestStarport(const StarSystem &system)
{
    std::optional<Starport> best;
    for (const Star &star : system.stars) {
        for (const WorldData &world : star.worlds) {
            if (!best || starportRank(world.uwp.starport) < starportRank(*best))
                best = world.uwp.starport;
        }
    }
    return best;
}

QList<Base> SystemsLayer::allBases(const StarSystem &system)
{
    QSet<Base> bases;
    for (const Star &star : system.stars) {
        for (const WorldData &world : star.worlds)
            bases.unite(world.uwp.bases);
    }
    QList<Base> ordered(bases.cbegin(), bases.cend());
    std::sort(ordered.begin(), ordered.end());
    return ordered;
}

QList<TradeClass> SystemsLayer::specialTradeClassesPresent(const StarSystem &system)
{
    QList<TradeClass> present;
    for (const TradeClass mark : {TradeClass::reserve, TradeClass::prisonCamp, TradeClass::researchStation}) {
        const bool found = std::any_of(system.stars.cbegin(), system.stars.cend(), [mark](const Star &star) {
            return std::any_of(star.worlds.cbegin(), star.worlds.cend(),
                               [mark](const WorldData &world) { return world.tradeClasses.contains(mark); });
        });
        if (found)
            present.append(mark);
    }
    return present;
}

std::optional<QColor> SystemsLayer::zoneColor(const WorldData &world)
{
    if (world.worldTags.contains(WorldTag::redZone))
        return MapColors::red();
    if (world.worldTags.contains(WorldTag::amberZone))
        return MapColors::yellow();
    if (world.worldTags.contains(WorldTag::plague))
        return MapColors::displayP3(0.56, 0, 1.0);
    if (world.worldTags.contains(WorldTag::reserved))
        return MapColors::displayP3(0, 1.0, 0.56);
    return std::nullopt;
}

QPointF SystemsLayer::reach(double r)
{
    const double s = std::max(0.2 * r, 6.0);
    const double g = std::max(1.7 * s, 0.4 * r);
    // Fourteen marks at most, centred on the hex; the letter and the discs stay
    // within the hex radius plus a unit.
    const double half = std::max(r, 6.5 * g + s);
    return {r + 2 * s, half + 2 * s};
}

void SystemsLayer::drawSurveyedData(MapPainter &painter, const StarSystem &system, const QPointF &centre,
                                    double r)
{
    const double s = std::max(0.2 * r, 6.0);
    const std::optional<Starport> port = bestStarport(system);
    const bool lettered = port && *port != Starport::typeX && *port != Starport::typeY;
    painter.setFont(MapText::display(std::max(0.3 * r, 9.0), painter.device()));
    painter.setPen(ink());
    MapText::drawCentred(painter, centre + QPointF(0, -0.45 * r),
                         lettered ? code(*port) : QStringLiteral("X"));

    drawMarks(painter, system, centre, r, s);
    if (system.gasGiant >= 1)
        drawGasGiant(painter, centre, r, s);
    if (const std::optional<WorldData> main = system.mainWorld())
        drawMainWorld(painter, *main, centre, r, s);
}

void SystemsLayer::drawMarks(MapPainter &painter, const StarSystem &system, const QPointF &centre, double r,
                             double s)
{
    const QList<Base> bases = allBases(system);
    const QList<TradeClass> marks = specialTradeClassesPresent(system);
    const qsizetype n = bases.size() + marks.size();
    if (n == 0)
        return;
    const double g = std::max(1.7 * s, 0.4 * r);
    const double x = centre.x() - 0.58 * r;
    const double y0 = centre.y() - 0.5 * g * static_cast<double>(n - 1);
    qsizetype row = 0;
    for (const Base base : bases)
        drawBaseSymbol(painter, base, ink(), QPointF(x, y0 + static_cast<double>(row++) * g), s);
    painter.setFont(MapText::system(std::max(1.4 * s, 9.0), painter.device(), true));
    for (const TradeClass mark : marks) {
        const bool research = mark == TradeClass::researchStation;
        painter.setPen(research ? MapColors::red() : ink());
        const QString text = research
                                 ? QStringLiteral("\u0393")
                                 : (mark == TradeClass::reserve ? QStringLiteral("R") : QStringLiteral("X"));
        MapText::drawCentred(painter, QPointF(x, y0 + static_cast<double>(row++) * g), text);
    }
}

void SystemsLayer::drawGasGiant(MapPainter &painter, const QPointF &centre, double r, double s)
{
    const QPointF disc = centre + QPointF(0.5 * r, -0.26 * r);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink());
    painter.drawEllipse(disc, 0.55 * s, 0.55 * s);
    // The ring is tilted in a layer of its own so that the rotation reaches nothing else.
    painter.save();
    painter.translate(disc);
    painter.rotate(-20);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink(), std::max(0.12 * s, 1.0)));
    painter.drawEllipse(QPointF(0, 0), 0.95 * s, 0.35 * s);
    painter.restore();
}

void SystemsLayer::drawMainWorld(MapPainter &painter, const WorldData &world, const QPointF &centre, double r,
                                 double s)
{
    const QPointF at = centre + QPointF(0.5 * r, 0.26 * r);
    const double w = 0.7 * s;
    painter.setPen(Qt::NoPen);
    if (world.uwp.size == 0) {
        painter.setBrush(ink());
        for (const BeltDot &dot : kBeltDots) {
            const double angle = 2 * std::numbers::pi * dot.turn;
            const double radius = std::max(w * dot.size, 0.6);
            painter.drawEllipse(at + QPointF(std::cos(angle), std::sin(angle)) * (w * dot.distance), radius,
                                radius);
        }
    } else {
        QColor fill = MapColors::displayP3(0.8, 0.55, 0.3);
        if (world.uwp.hydrographics >= 1)
            fill = MapColors::blue();
        else if (world.uwp.atmosphere == 0)
            fill = Qt::white;
        painter.setBrush(fill);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(at, w, w);
    }
    if (const std::optional<QColor> zone = zoneColor(world)) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(*zone, std::max(0.2 * s, 1.5)));
        painter.drawEllipse(at, 1.45 * w, 1.45 * w);
    }
}

QPainterPath SystemsLayer::starPath(const QPointF &centre, double outerRadius, double innerRadius)
{
    return radialPolygon(centre, 10, -std::numbers::pi / 2, outerRadius, innerRadius);
}

void SystemsLayer::drawBaseSymbol(MapPainter &painter, Base base, const QColor &color, const QPointF &centre,
                                  double s)
{
    const double h = 0.62 * s;
    const double k = 0.7071;
    const QPointF up(0, -1), down(0, 1);
    QPainterPath path;
    bool filled = true;
    QColor paint = color;
    switch (base) {
    case Base::corsairBase: path.addPolygon(polygon(centre, h, {down, {-1, -1}, {1, -1}})); break;
    case Base::embassy: filled = false; [[fallthrough]];
    case Base::navalDepot: path.addPolygon(polygon(centre, h, {{k, -k}, {k, k}, {-k, k}, {-k, -k}})); break;
    case Base::navalBase: filled = false; [[fallthrough]];
    case Base::imperialNavalBase: path = starPath(centre, h, 0.42 * h); break;
    case Base::militaryBase: path.addPolygon(polygon(centre, h, {up, {1, 0}, down, {-1, 0}})); break;
    case Base::clanBase: path = radialPolygon(centre, 6, -std::numbers::pi / 2, h, h); break;
    case Base::tlaukhuBase: path = radialPolygon(centre, 5, -std::numbers::pi / 2, h, h); break;
    case Base::wayStation: paint = MapColors::red(); [[fallthrough]];
    case Base::scoutBase: path.addPolygon(polygon(centre, h, {up, {-1, 1}, {1, 1}})); break;
    case Base::explorationBase:
        filled = false;
        path.addPolygon(polygon(centre, h, {up, {-1, 1}, {1, 1}}));
        break;
    }
    path.closeSubpath();
    if (filled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(paint);
    } else {
        painter.setPen(QPen(paint, std::max(0.1 * s, 1.2)));
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPath(path);
}
