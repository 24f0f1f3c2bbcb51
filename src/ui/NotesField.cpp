#include "NotesField.h"

#include "FocusMark.h"
#include "PlainText.h"

#include <QEvent>

NotesField::NotesField(int idealHeight, QWidget *parent) : QPlainTextEdit(parent), m_idealHeight(idealHeight)
{
    setTabChangesFocus(true);
    // The text keeps clear of the edges, where the focus mark goes: the text area would
    // cover it there.
    setViewportMargins(kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        m_notes = toPlainText();
        followWrapMode(m_notes);
    });
}

void NotesField::setNotes(const QString &notes)
{
    // Kept here too: a caller may block the editor's signals while it loads notes.
    m_notes = notes;
    followWrapMode(notes);
    setPlainText(notes);
}

bool NotesField::event(QEvent *event)
{
    const bool handled = QPlainTextEdit::event(event);
    // The field's own paint (its frame, around the text area) carries the mark.
    if (event->type() == QEvent::Paint)
        drawFocusFrame(*this);
    return handled;
}

QSize NotesField::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), m_idealHeight};
}

QPoint NotesField::textOrigin() const
{
    const int documentMargin = qRound(document()->documentMargin());
    const QMargins margins = viewportMargins();
    return contentsRect().topLeft() + QPoint(margins.left(), margins.top()) +
           QPoint(documentMargin, documentMargin);
}

void NotesField::followWrapMode(const QString &text)
{
    const QTextOption::WrapMode mode = wrapModeFor(text);
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}
