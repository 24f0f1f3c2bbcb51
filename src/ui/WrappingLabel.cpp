#include "WrappingLabel.h"

WrappingLabel::WrappingLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

QSize WrappingLabel::sizeHint() const
{
    // The text's own width unwrapped (measured as QLabel measures it, rounded up), and
    // the height the label needs at that width.
    const QRect unwrapped =
        fontMetrics().boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), Qt::TextExpandTabs, text());
    const QMargins margins = contentsMargins();
    const int width = unwrapped.width() + margins.left() + margins.right() + 2 * (margin() + frameWidth());
    return {width, heightForWidth(width)};
}
