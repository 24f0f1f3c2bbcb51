#include "NotesEdit.h"

#include "PlainText.h"

NotesEdit::NotesEdit(int idealHeight, QWidget *parent) : QPlainTextEdit(parent), m_idealHeight(idealHeight)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        m_notes = toPlainText();
        followWrapMode(m_notes);
    });
}

void NotesEdit::setNotes(const QString &notes)
{
    // Kept here too: a caller may block the editor's signals while it loads notes.
    m_notes = notes;
    followWrapMode(notes);
    setPlainText(notes);
}

QSize NotesEdit::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), m_idealHeight};
}

void NotesEdit::followWrapMode(const QString &text)
{
    const QTextOption::WrapMode mode = wrapModeFor(text);
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}
