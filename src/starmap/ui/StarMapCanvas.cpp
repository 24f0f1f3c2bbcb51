#include "StarMapCanvas.h"

#include "starmap/MapColors.h"
#include "starmap/StarMapVisibleSets.h"

#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QVariantAnimation>
#include <QWheelEvent>

StarMapCanvas::StarMapCanvas(StarMapVisibleSets &sets, int gridPadding, QWidget *parent)
    : QWidget(parent), m_sets(sets), m_gridPadding(gridPadding), m_renderer(sets), m_layers(sets),
      m_cache(m_renderer), m_glide(new QVariantAnimation(this))
{
    m_layers.install(m_renderer);
    m_glide->setDuration(300);
    m_glide->setEasingCurve(QEasingCurve::InOutQuad);
    m_glide->setStartValue(0.0);
    m_glide->setEndValue(1.0);
    connect(m_glide, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click takes the focus from the search field; the map has no keys of its own, so
    // Tab passes it by.
    setFocusPolicy(Qt::ClickFocus);
    m_controller.onTransformChanged = [this] {
        m_glide->stop();
        emit transformChanged();
        update();
    };
    connect(&m_cache, &StarMapFrameCache::tilesArrived, this, qOverload<>(&QWidget::update));
    connect(&sets, &StarMapVisibleSets::reset, this, &StarMapCanvas::redrawAll);
    connect(&sets, &StarMapVisibleSets::cellsChanged, this, &StarMapCanvas::redrawCells);
    connect(&m_layers, &StarMapLayers::objectChanged, this, [this](const MapDirtyArea &area) {
        m_cache.invalidate(area);
        update();
    });
    connect(&m_layers, &StarMapLayers::layerArrived, this, qOverload<>(&QWidget::update));
    if (const StarfarerUniverse *universe = sets.universe())
        connect(universe, &StarfarerUniverse::mapShowSurveyedDataChanged, this, &StarMapCanvas::redrawAll);
}

GridExtent StarMapCanvas::gridExtent() const
{
    return m_sets.systems().extent().value_or(GridExtent{}).widened(m_gridPadding);
}

void StarMapCanvas::refit()
{
    m_controller.setFitTransform(MapTransform::fit(gridExtent(), size(), m_sets.hexRadius()));
}

void StarMapCanvas::redrawAll()
{
    refit();
    m_cache.invalidate();
    update();
}

void StarMapCanvas::redrawCells(const QList<GalacticCoordinates> &cells)
{
    // A change of the extent moves the fit or the grid; the cache then starts over.
    m_cache.invalidate(cells);
    refit();
    update();
}

void StarMapCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    refit();
}

void StarMapCanvas::glideFrom(const MapTransform &from)
{
    if (from == m_controller.transform())
        return;
    m_glideFrom = from;
    m_glide->start();
}

MapTransform StarMapCanvas::shownTransform() const
{
    const MapTransform to = m_controller.transform();
    if (m_glide->state() != QAbstractAnimation::Running)
        return to;
    const double t = m_glide->currentValue().toDouble();
    return {m_glideFrom.scale + (to.scale - m_glideFrom.scale) * t,
            m_glideFrom.offset + (to.offset - m_glideFrom.offset) * t};
}

void StarMapCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Tiles drawn while a layer is still being made would lack it and be drawn again
    // once it comes: until then the map shows its background, as while its systems
    // are filed.
    if (m_layers.awaiting()) {
        painter.fillRect(rect(), MapColors::background());
        return;
    }
    m_cache.paint(painter, size(), devicePixelRatioF(), shownTransform(), gridExtent());
}

bool StarMapCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            m_controller.magnify(gesture->value(), gesture->position());
            return true;
        }
    }
    return QWidget::event(event);
}

void StarMapCanvas::wheelEvent(QWheelEvent *event)
{
    // With or without Ctrl (a pinch on many trackpads), the wheel zooms about the pointer.
    m_controller.scroll(MapInteractionController::wheelPoints(event->pixelDelta(), event->angleDelta()),
                        event->position());
    event->accept();
}

void StarMapCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_controller.press(event->position(), 1);
}

void StarMapCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_controller.press(event->position(), 2);
}

void StarMapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        m_controller.drag(event->position());
}

void StarMapCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_controller.release(event->position());
}
