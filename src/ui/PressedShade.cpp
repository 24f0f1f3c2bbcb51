#include "PressedShade.h"

#include <QAbstractButton>
#include <QPainter>

void paintPressedShade(QAbstractButton &button)
{
    if (!button.isDown())
        return;
    QPainter painter(&button);
    QColor shade = button.palette().color(QPalette::Highlight);
    shade.setAlphaF(0.15);
    painter.fillRect(button.rect(), shade);
}
