#include "FormScrollArea.h"

#include <QScrollArea>

QScrollArea *formScrollArea(QWidget *parent)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    return scroll;
}
