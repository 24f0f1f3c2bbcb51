#include "ElidedLabel.h"

#include "PlainText.h"

#include <QEvent>
#include <QPainter>

namespace {

// The widest it asks to be, in average characters: a title's or a name's room.
constexpr int kPreferredCharacters = 60;

} // namespace

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
    setToolTip(plainToolTip(text));
    forgetMeasures();
    updateGeometry();
    update();
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode)
{
    m_mode = mode;
    forgetMeasures();
    update();
}

QString ElidedLabel::shownText() const
{
    const int width = contentsRect().width();
    if (width != m_shownForWidth) {
        // Line breaks in a name would make a second line; the label keeps to one.
        QString flat = showablePart();
        for (QChar &c : flat) {
            if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
                c = u' ';
        }
        m_shown = fontMetrics().elidedText(flat, m_mode, width);
        m_shownForWidth = width;
    }
    return m_shown;
}

// The line's own size, up to a sane width, plus the margins around it.
QSize ElidedLabel::sizeHint() const
{
    if (m_textWidth < 0)
        m_textWidth = fontMetrics().horizontalAdvance(showablePart());
    const int widest = fontMetrics().averageCharWidth() * kPreferredCharacters;
    return QSize(std::min(m_textWidth, widest), fontMetrics().height()).grownBy(contentsMargins());
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("M…")), fontMetrics().height())
        .grownBy(contentsMargins());
}

void ElidedLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        forgetMeasures();
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), Qt::AlignVCenter | Qt::AlignLeft, shownText());
}

QString ElidedLabel::showablePart() const
{
    // More than any screen shows, from the end or ends that stay in view.
    const qsizetype keep = lineOfText(m_text).size();
    if (keep >= m_text.size())
        return m_text;
    switch (m_mode) {
    case Qt::ElideLeft: return m_text.right(keep);
    case Qt::ElideMiddle: return m_text.left(keep / 2) + m_text.right(keep / 2);
    default: return m_text.left(keep);
    }
}

void ElidedLabel::forgetMeasures()
{
    m_textWidth = -1;
    m_shownForWidth = -1;
}
