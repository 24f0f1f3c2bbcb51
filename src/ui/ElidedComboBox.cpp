#include "ElidedComboBox.h"

#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace {

// The fewest characters the box keeps room for, ellipsis included.
const QString kNarrowestText = QStringLiteral("MMMM\u2026");

} // namespace

ElidedComboBox::ElidedComboBox(QWidget *parent) : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

QStyleOptionComboBox ElidedComboBox::shownOption() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    QRect room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (!option.currentIcon.isNull())
        room.setLeft(room.left() + option.iconSize.width() + 4);
    // The style draws the text one pixel in from either side of its field.
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideRight, room.width() - 2);
    return option;
}

QString ElidedComboBox::shownText() const
{
    return shownOption().currentText;
}

QSize ElidedComboBox::contentsSizeHint() const
{
    return QComboBox::sizeHint();
}

QSize ElidedComboBox::sizeHint() const
{
    const QSize contents = contentsSizeHint();
    return {std::min(contents.width(), screen()->availableGeometry().width()), contents.height()};
}

QSize ElidedComboBox::minimumSizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize text(fontMetrics().horizontalAdvance(kNarrowestText), fontMetrics().height());
    const QSize narrowest = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    return {narrowest.width(), sizeHint().height()};
}

void ElidedComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    const QStyleOptionComboBox option = shownOption();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
