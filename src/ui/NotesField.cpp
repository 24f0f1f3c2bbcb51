#include "NotesField.h"

#include "PlainText.h"

NotesField::NotesField(int idealHeight, QWidget *parent) : QPlainTextEdit(parent), m_idealHeight(idealHeight)
{
    setTabChangesFocus(true);
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

QSize NotesField::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), m_idealHeight};
}

void NotesField::followWrapMode(const QString &text)
{
    const QTextOption::WrapMode mode = wrapModeFor(text);
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}
