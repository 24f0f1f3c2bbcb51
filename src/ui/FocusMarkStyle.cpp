#include "FocusMarkStyle.h"

#include "FocusMark.h"

#include <QAbstractItemView>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The focus frame of a check box or a tool button runs along the edge of its label; the
// mark is drawn this much outside it, so that it rings the label instead of covering it.
constexpr int kOutset = 2;

} // namespace

FocusMarkStyle::FocusMarkStyle(const QString &baseStyle) : QProxyStyle(QStyleFactory::create(baseStyle)) {}

void FocusMarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // As the platform's styles do, the mark shows once the keyboard has moved the focus.
    if (!(option->state & State_KeyboardFocusChange))
        return;
    // A list's row is marked within its bounds, which the list repaints when the focus
    // moves on.
    const int outset = qobject_cast<const QAbstractItemView *>(widget) ? 0 : kOutset;
    paintFocusMark(*painter, option->rect.adjusted(-outset, -outset, outset, outset), option->palette);
}

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    const auto *button =
        element == CE_PushButton ? qstyleoption_cast<const QStyleOptionButton *>(option) : nullptr;
    if (!button || !(button->state & State_HasFocus)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The button is drawn as without the focus, then marked, so that it carries one mark
    // whether the style tints its edge or draws a frame inside it.
    QStyleOptionButton plain = *button;
    plain.state &= ~State_HasFocus;
    QProxyStyle::drawControl(element, &plain, painter, widget);
    if (button->state & State_KeyboardFocusChange)
        paintFocusMark(*painter, button->rect, button->palette);
}
