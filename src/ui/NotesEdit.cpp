#include "NotesEdit.h"

#include "PlainText.h"

NotesEdit::NotesEdit(int idealHeight, QWidget *parent) : QPlainTextEdit(parent), m_idealHeight(idealHeight)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] { followWrapMode(toPlainText()); });
}

void NotesEdit::setNotes(const QString &notes)
{
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
