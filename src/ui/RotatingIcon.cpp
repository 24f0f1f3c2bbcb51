#include "RotatingIcon.h"

#include <QEvent>
#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

RotatingIcon::RotatingIcon(Artwork artwork, int width, double speed, QWidget *parent)
    : QWidget(parent), m_paintArtwork(std::move(artwork)), m_width(width), m_speed(speed),
      m_animation(new QVariantAnimation(this))
{
    setFixedSize(sizeHint());
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(360.0);
    m_animation->setEasingCurve(QEasingCurve::Linear);
    m_animation->setLoopCount(-1);
    // A speed of zero or less would make a zero-length endless loop; such an icon
    // stands still instead.
    m_animation->setDuration(speed > 0 ? static_cast<int>(std::lround(speed * 1000)) : 0);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_rotation = value.toDouble();
        update();
    });
}

int RotatingIcon::turnDuration() const
{
    return m_animation->duration();
}

bool RotatingIcon::isTurning() const
{
    return m_animation->state() == QAbstractAnimation::Running;
}

QSize RotatingIcon::sizeHint() const
{
    // The artwork is square, so the height follows the width.
    return {m_width, m_width};
}

void RotatingIcon::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const int pixels = static_cast<int>(std::ceil(m_width * ratio));
    if (m_artwork.width() != pixels) {
        m_artwork = m_paintArtwork(pixels);
        m_artwork.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(m_rotation);
    painter.translate(-m_width / 2.0, -m_width / 2.0);
    painter.drawImage(QPointF(0, 0), m_artwork);
}

void RotatingIcon::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_animation->duration() <= 0)
        return;
    if (m_animation->state() == QAbstractAnimation::Paused)
        m_animation->resume();
    else if (m_animation->state() == QAbstractAnimation::Stopped)
        m_animation->start();
}

void RotatingIcon::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_animation->state() == QAbstractAnimation::Running)
        m_animation->pause();
}

void RotatingIcon::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    emit hoverChanged(true);
}

void RotatingIcon::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit hoverChanged(false);
}

void RotatingIcon::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        m_artwork = QImage();
}
