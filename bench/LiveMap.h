#pragma once

#include "PaintWatch.h"
#include "starmap/MapTransform.h"

#include <QPointF>
#include <QPointer>

class StarMapCanvas;
class StarMapView;

// The map screen of the running program as the benchmarks drive it: wheel notches as a
// mouse gives them, posted to the map's canvas, and whether the view it painted last
// was sharp (every tile of its exact zoom step drawn and up to date).
class LiveMap
{
public:
    // A brisk turn of the wheel gives a notch every 33 ms.
    static constexpr double kNotchInterval = 33;

    explicit LiveMap(StarMapView &view);

    StarMapCanvas &canvas() const;
    // The point of the canvas at these fractions of its width and height.
    QPointF at(double x, double y) const;
    double scale() const;
    double fitScale() const;
    ScaleBounds bounds() const;
    // Whether the view stands at the zoom ceiling, or at the fitted scale.
    bool atCeiling() const;
    bool atFit() const;

    // One notch of the wheel at `at`: `direction` 1 turns it away from the user (in),
    // −1 towards them (out).
    void postNotch(int direction, const QPointF &at);
    int paints() const { return m_paints.paints(); }
    // Whether the map glides from one view to another ("Fit", a search).
    bool gliding() const;
    // Whether the canvas was painted after it had `paints` paints, sharp the last time,
    // and no glide goes on.
    bool sharpSince(int paints) const;
    // Runs the event loop until the view is painted sharp (a paint is asked for first);
    // false when it was not within two minutes.
    bool runUntilSharp();
    // How notches follow each other: one every kNotchInterval, or each once the view
    // is sharp after the one before.
    enum class Pace { brisk, stepwise };
    // Notches at `pace`, at most `count` of them, until the scale reaches the ceiling
    // (`direction` 1) or comes back to the fitted scale (−1); then runs until the view
    // is sharp. Returns the number of notches given.
    int zoom(int direction, const QPointF &at, Pace pace = Pace::brisk, int count = 1000);

private:
    QPointer<StarMapView> m_view;
    PaintWatch m_paints;
};
