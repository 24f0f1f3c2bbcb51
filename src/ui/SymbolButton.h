#pragma once

#include "Symbol.h"

#include <QToolButton>

// A flat button that shows a symbol (a menu's button may show its title beside it). It
// draws the shared focus mark in place of the style's focus frame, which a style sheet
// leaves out, so that a keyboard user sees on any background which button Space will
// press.
class SymbolButton : public QToolButton
{
    Q_OBJECT

public:
    SymbolButton(Symbol symbol, const QColor &color, QWidget *parent = nullptr);

    // Shows `symbol` in `color` from now on.
    void setSymbol(Symbol symbol, const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
};
