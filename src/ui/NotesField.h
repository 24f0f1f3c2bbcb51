#pragma once

#include <QPlainTextEdit>

// A plain-text editor of the user's notes. It asks for an ideal height, so that a
// roomy form gives the notes space while a cramped one can still shrink it, and it
// wraps as wrapModeFor() says for the text it holds, so that no text, typed, pasted
// or loaded, takes minutes to lay out. Tab and Shift+Tab move to the next and the
// previous control, as in any other field of a form, so that the keyboard never gets
// stuck in the notes. Like every field, it carries the focus mark along its edges.
class NotesField : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit NotesField(int idealHeight, QWidget *parent = nullptr);

    // Shows `notes`; the wrap mode is chosen first, so that they are laid out once.
    void setNotes(const QString &notes);
    // The text shown, read from the editor once per change: the slots of textChanged()
    // connected by others run after the editor's own and find it current.
    const QString &notes() const { return m_notes; }

    QSize sizeHint() const override;
    // Where the first line of text starts, from the field's top-left corner: inside its
    // frame, the margin kept for the focus mark and the document's own margin.
    QPoint textOrigin() const;

protected:
    bool event(QEvent *event) override;

private:
    void followWrapMode(const QString &text);

    int m_idealHeight;
    QString m_notes;
};
