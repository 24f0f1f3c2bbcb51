#pragma once

#include "NamedColor.h"

#include <QWidget>

// A container drawn as a rounded rectangle filled with a named colour: the panels of
// the generator and the system editor (coordinates, notes, sector steppers).
class RoundedPanel : public QWidget
{
    Q_OBJECT

public:
    RoundedPanel(NamedColor color, qreal radius, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    NamedColor m_color;
    qreal m_radius;
};
