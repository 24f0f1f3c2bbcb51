#include "ElidedLabel.h"

#include <QPainter>

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setText(text);
}

void ElidedLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setToolTip(text);
    updateGeometry();
    update();
}

QString ElidedLabel::shownText() const
{
    // Line breaks in a name would make a second line; the label keeps to one.
    QString flat = m_text;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return fontMetrics().elidedText(flat, Qt::ElideRight, width());
}

QSize ElidedLabel::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(m_text), fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("M…")), fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft, shownText());
}
