#pragma once

#include "model/StarSystem.h"

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPointF>

#include <optional>

class MapPainter;

// The surveyed overlay drawn over a system's hex when zoomed in — the best starport's
// letter, a column of base symbols and special marks, a gas giant, the main world and
// its travel zone — with the lookups it makes on the system.
class SystemsLayer
{
public:
    // The best port over every world: A to E, then the spaceports F, G, H, then X and
    // Y alike (the first met of those stays); none without worlds.
    static std::optional<Starport> bestStarport(const StarSystem &system);
    // Every base of every world, once each, in the order of the Base cases.
    static QList<Base> allBases(const StarSystem &system);
    // Which of reserve, prison camp and research station occur, in that order.
    static QList<TradeClass> specialTradeClassesPresent(const StarSystem &system);
    // The travel-zone ring of a world: red, amber, plague or reserved, first match wins.
    static std::optional<QColor> zoneColor(const WorldData &world);

    // Draws the overlay of `system` about the hex centre `centre`, for a hex of
    // radius `r` on screen.
    static void drawSurveyedData(MapPainter &painter, const StarSystem &system, const QPointF &centre,
                                 double r);
    // Draws one base symbol centred at `centre` with size unit `s`.
    static void drawBaseSymbol(MapPainter &painter, Base base, const QColor &color, const QPointF &centre,
                               double s);
    // A closed five-pointed star, its first point straight above the centre.
    static QPainterPath starPath(const QPointF &centre, double outerRadius, double innerRadius);
    // How far the overlay can reach from the hex centre, on screen, for a hex of
    // radius `r` on screen.
    static QPointF reach(double r);

private:
    static void drawMarks(MapPainter &painter, const StarSystem &system, const QPointF &centre, double r,
                          double s);
    static void drawGasGiant(MapPainter &painter, const QPointF &centre, double r, double s);
    static void drawMainWorld(MapPainter &painter, const WorldData &world, const QPointF &centre, double r,
                              double s);
};
