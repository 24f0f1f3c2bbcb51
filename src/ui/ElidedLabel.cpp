#include "ElidedLabel.h"

#include "PlainText.h"
#include "model/LineBreaks.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace {

// The widest it asks to be, in average characters: a title's or a name's room.
constexpr int kPreferredCharacters = 60;

// Whether `shown` is how the line shows `original`: line breaks are shown as blanks.
bool shows(QChar shown, QChar original)
{
    return shown == (LineBreaks::isLineBreak(original) ? QChar(u' ') : original);
}

bool isCopy(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Copy);
}

bool isSelectAll(const QKeyEvent *event)
{
    return event->matches(QKeySequence::SelectAll);
}

} // namespace

ElidedLabel *elidedLabel(const QString &text, const QFont &font, QWidget *parent, const char *objectName)
{
    auto *label = new ElidedLabel(text, parent);
    label->setFont(font);
    if (objectName)
        label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

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

void ElidedLabel::setSelectable(bool selectable)
{
    m_selectable = selectable;
    clearSelection();
    setFocusPolicy(selectable ? Qt::ClickFocus : Qt::NoFocus);
    if (selectable)
        setCursor(Qt::IBeamCursor);
    else
        unsetCursor();
}

QString ElidedLabel::shownText() const
{
    return line().shown;
}

const ElidedLabel::Line &ElidedLabel::line() const
{
    const int width = contentsRect().width();
    if (width == m_line.width)
        return m_line;
    // Line breaks in a name would make a second line; the label keeps to one.
    const QString flat = LineBreaks::asBlanks(showablePart());
    m_line.width = width;
    m_line.shown = fontMetrics().elidedText(flat, m_mode, width);
    const QString &shown = m_line.shown;
    // The ellipsis lies between what the shown line and the text have in common at
    // either end; only the shown line's length is compared, whatever the text's.
    qsizetype head = 0;
    while (head < shown.size() && head < m_text.size() && shows(shown.at(head), m_text.at(head)))
        ++head;
    qsizetype tail = 0;
    while (head + tail < shown.size() && tail < m_text.size() - head &&
           shows(shown.at(shown.size() - 1 - tail), m_text.at(m_text.size() - 1 - tail)))
        ++tail;
    m_line.head = head;
    m_line.tail = tail;
    m_line.layout.emplace(shown, font(), this);
    m_line.layout->beginLayout();
    m_line.layout->createLine();
    m_line.layout->endLayout();
    return m_line;
}

// The line stands at the left of the contents, centred on their height.
QPointF ElidedLabel::lineOrigin() const
{
    const QRect contents = contentsRect();
    const QTextLine laid = line().layout->lineAt(0);
    return {double(contents.left()), contents.top() + (contents.height() - laid.height()) / 2};
}

qsizetype ElidedLabel::positionAt(const QPointF &point) const
{
    return line().layout->lineAt(0).xToCursor(point.x() - lineOrigin().x());
}

qsizetype ElidedLabel::textStart(qsizetype position) const
{
    const Line &shown = line();
    const qsizetype markEnd = shown.shown.size() - shown.tail;
    if (position <= shown.head)
        return position;
    if (position >= markEnd)
        return m_text.size() - (shown.shown.size() - position);
    return shown.head;
}

qsizetype ElidedLabel::textEnd(qsizetype position) const
{
    const Line &shown = line();
    const qsizetype markEnd = shown.shown.size() - shown.tail;
    if (position >= markEnd)
        return m_text.size() - (shown.shown.size() - position);
    if (position <= shown.head)
        return position;
    return m_text.size() - shown.tail;
}

QString ElidedLabel::selectedText() const
{
    if (!hasSelection())
        return {};
    const qsizetype start = textStart(std::min(m_anchor, m_cursor));
    return m_text.mid(start, textEnd(std::max(m_anchor, m_cursor)) - start);
}

void ElidedLabel::selectAll()
{
    m_anchor = 0;
    m_cursor = line().shown.size();
    update();
}

void ElidedLabel::copy() const
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void ElidedLabel::clearSelection()
{
    if (!hasSelection())
        return;
    m_anchor = m_cursor = 0;
    update();
}

// The line's own size, up to a sane width, plus the margins around it.
QSize ElidedLabel::sizeHint() const
{
    // Rounded up: at a width rounded to the nearest pixel, the line can lack the
    // fraction of a pixel it needs and be cut.
    if (m_textWidth < 0)
        m_textWidth = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(showablePart())));
    const int widest = fontMetrics().averageCharWidth() * kPreferredCharacters;
    return QSize(std::min(m_textWidth, widest), fontMetrics().height()).grownBy(contentsMargins());
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("M…")), fontMetrics().height())
        .grownBy(contentsMargins());
}

bool ElidedLabel::event(QEvent *event)
{
    // The copy and select-all keys belong to a selectable label that has the focus,
    // not to a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride && m_selectable) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isCopy(key) || isSelectAll(key)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
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
    QList<QTextLayout::FormatRange> selection;
    if (hasSelection()) {
        QTextLayout::FormatRange range;
        range.start = int(std::min(m_anchor, m_cursor));
        range.length = int(std::abs(m_cursor - m_anchor));
        range.format.setBackground(palette().brush(QPalette::Highlight));
        range.format.setForeground(palette().brush(QPalette::HighlightedText));
        selection.append(range);
    }
    line().layout->draw(&painter, lineOrigin(), selection, contentsRect());
}

// A new width cuts the text elsewhere: a selection of the old line means nothing.
void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        clearSelection();
}

void ElidedLabel::mousePressEvent(QMouseEvent *event)
{
    if (!m_selectable || event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_anchor = m_cursor = positionAt(event->position());
    update();
}

void ElidedLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_selectable || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    m_cursor = positionAt(event->position());
    update();
}

void ElidedLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_selectable || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    // Where the desktop keeps a selection to paste with the middle button, a selected
    // text goes there, as in every other text view.
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ElidedLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_selectable || event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    selectAll();
}

void ElidedLabel::keyPressEvent(QKeyEvent *event)
{
    if (m_selectable && isCopy(event))
        copy();
    else if (m_selectable && isSelectAll(event))
        selectAll();
    else
        QWidget::keyPressEvent(event);
}

void ElidedLabel::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_selectable)
        return QWidget::contextMenuEvent(event);
    QMenu menu(this);
    QAction *copyAction = menu.addAction(tr("&Copy"), this, &ElidedLabel::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    menu.addAction(tr("Select All"), this, &ElidedLabel::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void ElidedLabel::focusOutEvent(QFocusEvent *event)
{
    // The context menu takes the focus for a moment; the selection stays for it.
    if (event->reason() != Qt::PopupFocusReason)
        clearSelection();
    QWidget::focusOutEvent(event);
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
    m_line.width = -1;
    m_line.layout.reset();
    m_anchor = m_cursor = 0;
}
