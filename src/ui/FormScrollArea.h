#pragma once

class QScrollArea;
class QWidget;

// A frameless scroll area for a column of controls (a screen's form, the map card's
// summary), sized to its content's width. It takes no focus of its own: Tab goes
// straight to the controls, which it scrolls into view, instead of stopping on an area
// that shows no focus mark; the wheel scrolls it.
QScrollArea *formScrollArea(QWidget *parent);
