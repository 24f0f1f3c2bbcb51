#include "FocusMarkStyle.h"

#include "FocusMark.h"

#include <QAbstractItemView>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The focus frame of a check box or a tool button runs along the edge of its label; the
// mark is drawn this much outside it, so that it rings the label instead of covering it.
constexpr int kOutset = 2;

// Draws a control whose own sign of the focus is a faint edge of the highlight colour,
// which vanishes on a coloured panel such as the star map's controls: `draw` draws it
// as without the focus, then it is marked once the keyboard has moved the focus, so
// that it carries the shared mark alone. False for a control without the focus.
template <typename Option, typename Draw>
bool drawMarked(const QStyleOption *option, QPainter *painter, Draw draw)
{
    const auto *typed = qstyleoption_cast<const Option *>(option);
    if (!typed || !(typed->state & QStyle::State_HasFocus))
        return false;
    Option plain = *typed;
    plain.state &= ~QStyle::State_HasFocus;
    draw(&plain);
    if (typed->state & QStyle::State_KeyboardFocusChange)
        paintFocusMark(*painter, typed->rect, typed->palette);
    return true;
}

} // namespace

FocusMarkStyle::FocusMarkStyle(const QString &baseStyle) : QProxyStyle(QStyleFactory::create(baseStyle)) {}

void FocusMarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    const auto base = [&](const QStyleOption *plain) {
        QProxyStyle::drawPrimitive(element, plain, painter, widget);
    };
    if (element == PE_FrameFocusRect) {
        // As the platform's styles do, the mark shows once the keyboard has moved the
        // focus.
        if (!(option->state & State_KeyboardFocusChange))
            return;
        // A list's row is marked within its bounds, which the list repaints when the
        // focus moves on; any other mark stays within its control, which would cut it.
        QRect bounds = option->rect;
        if (!qobject_cast<const QAbstractItemView *>(widget)) {
            bounds.adjust(-kOutset, -kOutset, kOutset, kOutset);
            if (widget)
                bounds &= widget->rect();
        }
        paintFocusMark(*painter, bounds, option->palette);
        return;
    }
    // A text field is marked along its edges; one that stands in for another control
    // (its focus proxy, as a spin box's field does) is left to that control's mark.
    const bool marked = element == PE_PanelLineEdit && !(widget && widget->focusProxy()) &&
                        drawMarked<QStyleOptionFrame>(option, painter, base);
    if (!marked)
        base(option);
}

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    const auto base = [&](const QStyleOption *plain) {
        QProxyStyle::drawControl(element, plain, painter, widget);
    };
    // A push button carries one mark whether the style tints its edge or draws a frame
    // inside it.
    if (element != CE_PushButton || !drawMarked<QStyleOptionButton>(option, painter, base))
        base(option);
}

void FocusMarkStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                        QPainter *painter, const QWidget *widget) const
{
    const auto base = [&](const QStyleOption *plain) {
        QProxyStyle::drawComplexControl(control, qstyleoption_cast<const QStyleOptionComplex *>(plain),
                                        painter, widget);
    };
    const bool marked = (control == CC_ComboBox && drawMarked<QStyleOptionComboBox>(option, painter, base)) ||
                        (control == CC_SpinBox && drawMarked<QStyleOptionSpinBox>(option, painter, base)) ||
                        (control == CC_Slider && drawMarked<QStyleOptionSlider>(option, painter, base));
    if (!marked)
        base(option);
}
