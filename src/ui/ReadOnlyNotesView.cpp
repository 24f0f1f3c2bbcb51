#include "ReadOnlyNotesView.h"

#include "FocusMark.h"
#include "PlainText.h"

#include <QScrollBar>
#include <QTextLayout>

#include <cmath>

namespace {

// The width it asks for when its layout has no other measure.
constexpr int kPreferredCharacters = 40;

} // namespace

ReadOnlyNotesView::ReadOnlyNotesView(const QString &text, const QFont &font, int maximumHeight,
                                     QWidget *parent)
    : QPlainTextEdit(parent), m_text(text), m_maximumHeight(maximumHeight)
{
    setFont(font);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setWordWrapMode(wrapModeFor(text));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Reads as text on the page, not as a field.
    viewport()->setAutoFillBackground(false);
    setBackgroundVisible(false);
    setStyleSheet(QStringLiteral("ReadOnlyNotesView { background: transparent; }"));
    document()->setDocumentMargin(0);
    // The text keeps clear of the edges, where the focus mark goes: the text area would
    // cover it there.
    setViewportMargins(kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ReadOnlyNotesView::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_heightForWidth.clear();
    // The old text goes before the wrap mode changes: the old text wrapped the new
    // way, or the new text the old way, could take minutes.
    setPlainText(QString());
    setWordWrapMode(wrapModeFor(text));
    // A shown view shows the new text at once; a hidden one takes it when shown.
    m_filled = isVisible();
    if (m_filled)
        setPlainText(text);
    updateGeometry();
}

int ReadOnlyNotesView::heightForWidth(int width) const
{
    const auto cached = m_heightForWidth.constFind(width);
    if (cached != m_heightForWidth.cend())
        return *cached;
    const QMargins margins = contentsMargins() + viewportMargins();
    const int frame = 2 * frameWidth();
    const int inner = std::max(1, width - margins.left() - margins.right() - frame);
    const int chrome = margins.top() + margins.bottom() + frame;
    // The editor scrolls unless a pixel is left below its last line.
    int height = textHeight(inner, m_maximumHeight) + 1;
    // Higher than it may be: it scrolls, and the scroll bar takes room from the lines.
    if (height + chrome > m_maximumHeight)
        height = m_maximumHeight - chrome;
    const int result = std::max(height + chrome, minimumHeight());
    m_heightForWidth.insert(width, result);
    return result;
}

QSize ReadOnlyNotesView::sizeHint() const
{
    const int width = fontMetrics().averageCharWidth() * kPreferredCharacters;
    return {width, heightForWidth(width)};
}

QSize ReadOnlyNotesView::minimumSizeHint() const
{
    const QMargins margins = contentsMargins() + viewportMargins();
    return {fontMetrics().averageCharWidth() * 4 + margins.left() + margins.right(),
            fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

void ReadOnlyNotesView::showEvent(QShowEvent *event)
{
    if (!m_filled) {
        m_filled = true;
        setPlainText(m_text);
    }
    QPlainTextEdit::showEvent(event);
}

bool ReadOnlyNotesView::event(QEvent *event)
{
    const bool handled = QPlainTextEdit::event(event);
    // Its own paint (around the text area) carries the mark.
    if (event->type() == QEvent::Paint)
        drawFocusFrame(*this);
    return handled;
}

void ReadOnlyNotesView::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_heightForWidth.clear();
        updateGeometry();
    }
}

int ReadOnlyNotesView::textHeight(int width, int limit) const
{
    // Measured as the editor lays its blocks out: one layout per line of the text,
    // leading included, wrapped the same way.
    QTextOption option;
    option.setWrapMode(wordWrapMode());
    qreal height = 0;
    for (const QStringView paragraph : QStringView(m_text).tokenize(u'\n')) {
        QTextLayout layout(paragraph.toString(), font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            height += line.height();
            if (height > limit)
                break;
        }
        layout.endLayout();
        if (height > limit)
            break;
    }
    return int(std::ceil(height));
}
