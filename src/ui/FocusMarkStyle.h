#pragma once

#include <QProxyStyle>

// The application's style: the platform's own, with the shared focus mark in place of
// its focus frame, and in place of the tinted edge with which some styles mark a push
// button, a text field, a combo box, a spin box or a slider. Those show the focus as a
// faint line of the highlight colour, which vanishes on a coloured panel such as the
// star map's controls. Controls of the program's own ask for the mark through the
// focus frame (drawFocusFrame()).
class FocusMarkStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Wraps the style named `baseStyle`, as the style factory knows it.
    explicit FocusMarkStyle(const QString &baseStyle);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
};
