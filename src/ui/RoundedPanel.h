#pragma once

#include "NamedColor.h"

#include <QWidget>

// A container drawn as a rounded rectangle filled with a named colour: the panels of
// the generator and the system editor (coordinates, notes, sector steppers) and the
// star map's controls panel.
class RoundedPanel : public QWidget
{
    Q_OBJECT

public:
    RoundedPanel(NamedColor color, qreal radius, QWidget *parent = nullptr);

    NamedColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    NamedColor m_color;
    qreal m_radius;
};
