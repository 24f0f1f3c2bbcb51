#pragma once

#include <QImage>
#include <QWidget>

class QVariantAnimation;

// The program's icon, `width` points square, turning about its centre: one full turn
// every `speed` seconds, linear and endless, starting from 0 degrees when the widget
// is first shown. The turn pauses while the widget is hidden. It reports the pointer
// entering and leaving it.
class RotatingIcon : public QWidget
{
    Q_OBJECT

public:
    // The width of the About window's icon.
    static constexpr int kWidth = 100;

    explicit RotatingIcon(double speed, int width = kWidth, QWidget *parent = nullptr);

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

private:
    double m_speed;
    int m_width;
    double m_rotation = 0;
    QVariantAnimation *m_animation;
    QImage m_artwork;
};
