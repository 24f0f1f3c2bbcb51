#pragma once

#include "RoundedPanel.h"

class NotesField;
class QLabel;

// The referee's notes on a hex: a multi-line editor without a frame of its own,
// padded 8 points on a rounded "parameterBackground" panel. With a placeholder, the
// placeholder, in secondary text, lies over the editor's top-leading corner, where the
// text starts and in its font, while the notes are empty and lets clicks through.
// Every change of the text is reported with notesEdited().
class NotesPanel : public RoundedPanel
{
    Q_OBJECT

public:
    // `idealHeight` is the panel's preferred height; the host may still fix or limit it.
    NotesPanel(const QString &placeholder, int idealHeight, QWidget *parent = nullptr);

    QString notes() const;
    // Shows `notes` without reporting an edit.
    void setNotes(const QString &notes);

signals:
    void notesEdited(const QString &notes);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void lineUpPlaceholder();

    NotesField *m_editor = nullptr;
    QLabel *m_placeholder = nullptr;
    bool m_settingNotes = false;
};
