#include "ScrollingPage.h"

#include "FocusMark.h"

#include <QEvent>
#include <QScrollBar>

ScrollingPage::ScrollingPage(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setViewportMargins(kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth);
    const auto followRange = [this] {
        const bool scrolls = verticalScrollBar()->maximum() > 0 || horizontalScrollBar()->maximum() > 0;
        setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    };
    followRange();
    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::rangeChanged, this, followRange);
}

bool ScrollingPage::event(QEvent *event)
{
    const bool handled = QScrollArea::event(event);
    // Its own paint (around the page) carries the mark.
    if (event->type() == QEvent::Paint)
        drawFocusFrame(*this);
    return handled;
}
