#include "SymbolButton.h"

#include "FocusMark.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

SymbolButton::SymbolButton(Symbol symbol, const QColor &color, QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setSymbol(symbol, color);
}

void SymbolButton::setSymbol(Symbol symbol, const QColor &color)
{
    setIcon(symbolIcon(symbol, color));
}

void SymbolButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    if (hasFocus())
        paintFocusMark(painter, rect(), palette());
}
