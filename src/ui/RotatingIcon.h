#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QVariantAnimation;

// A square picture turning about its centre: one full turn every `speed` seconds,
// linear and endless, starting from 0 degrees when the widget is first shown. The
// turn pauses while the widget is hidden. It reports the pointer entering and
// leaving it.
class RotatingIcon : public QWidget
{
    Q_OBJECT

public:
    // Draws the picture at a side of `pixels` device pixels. It is asked again when
    // the screen's pixel ratio or the widget's palette changes.
    using Artwork = std::function<QImage(int pixels)>;

    RotatingIcon(Artwork artwork, int width, double speed, QWidget *parent = nullptr);

    // Seconds for one full turn.
    double speed() const { return m_speed; }
    // The current angle, in degrees.
    double rotation() const { return m_rotation; }
    // The length of one turn of the running animation, in milliseconds.
    int turnDuration() const;
    bool isTurning() const;

    QSize sizeHint() const override;

signals:
    void hoverChanged(bool hovering);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Artwork m_paintArtwork;
    int m_width;
    double m_speed;
    double m_rotation = 0;
    QVariantAnimation *m_animation;
    QImage m_artwork;
};
