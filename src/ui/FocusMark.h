#pragma once

class QPainter;
class QPalette;
class QRectF;
class QWidget;

// The mark of the control that has the keyboard's focus: a thin white ring with a ring
// in a deep shade of the palette's highlight colour inside it. The two stand so far
// apart that whatever lies behind the control (the window, a chosen row's highlight,
// the map, its panel, the system card, a dark palette) and whatever its own face, one
// of them contrasts with it at least 3:1, as a focus mark needs to be seen.
void paintFocusMark(QPainter &painter, const QRectF &bounds, const QPalette &palette);
// How far the mark reaches in from the edges: a control that draws it keeps its
// content at least this far from its edges, so that the mark rings the content.
inline constexpr int kFocusMarkWidth = 3;
// Paints the mark just inside the edges of `widget` while it has the focus.
void paintFocusMark(QWidget &widget);
// Has the style of `widget` draw its focus frame just inside the widget's edges while it
// has the focus, as the style marks its own controls: the application's style draws the
// mark there once the keyboard has moved the focus. For controls of the program's own,
// from their paint event; they keep their content kFocusMarkWidth from their edges.
void drawFocusFrame(QWidget &widget);
