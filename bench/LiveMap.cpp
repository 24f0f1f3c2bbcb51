#include "LiveMap.h"

#include "DrivenLoop.h"
#include "starmap/ui/StarMapCanvas.h"
#include "starmap/ui/StarMapView.h"

#include <QCoreApplication>
#include <QVariantAnimation>
#include <QWheelEvent>

LiveMap::LiveMap(StarMapView &view)
    : m_view(&view), m_paints([this]() -> QWidget * { return m_view ? m_view->canvas() : nullptr; })
{}

StarMapCanvas &LiveMap::canvas() const
{
    return *m_view->canvas();
}

QPointF LiveMap::at(double x, double y) const
{
    return {canvas().width() * x, canvas().height() * y};
}

double LiveMap::scale() const
{
    return canvas().controller().transform().scale;
}

double LiveMap::fitScale() const
{
    return canvas().controller().fitTransform().scale;
}

ScaleBounds LiveMap::bounds() const
{
    return canvas().controller().scaleBounds();
}

bool LiveMap::atCeiling() const
{
    return scale() >= bounds().upper * (1 - 1e-9);
}

bool LiveMap::atFit() const
{
    return scale() <= fitScale() * (1 + 1e-9);
}

void LiveMap::postNotch(int direction, const QPointF &at)
{
    StarMapCanvas &target = canvas();
    QCoreApplication::postEvent(&target, new QWheelEvent(at, target.mapToGlobal(at), QPoint(),
                                                         QPoint(0, 120 * direction), Qt::NoButton,
                                                         Qt::NoModifier, Qt::NoScrollPhase, false));
}

bool LiveMap::gliding() const
{
    // The canvas glides with its one animation.
    const auto *glide = canvas().findChild<QVariantAnimation *>();
    return glide && glide->state() == QAbstractAnimation::Running;
}

bool LiveMap::sharpSince(int paints) const
{
    return m_paints.paints() > paints && canvas().frameCache().isSharp() && !gliding();
}

bool LiveMap::runUntilSharp()
{
    const int before = paints();
    canvas().update();
    return DrivenLoop::runUntil([this, before] { return sharpSince(before); });
}

int LiveMap::zoom(int direction, const QPointF &at, Pace pace, int count)
{
    const auto arrived = [this, direction] { return direction > 0 ? atCeiling() : atFit(); };
    int given = 0;
    while (given < count && !arrived()) {
        const int before = paints();
        postNotch(direction, at);
        ++given;
        if (pace == Pace::brisk)
            DrivenLoop::runFor(kNotchInterval);
        else
            DrivenLoop::runUntil([this, before] { return sharpSince(before); });
    }
    runUntilSharp();
    return given;
}
