#pragma once

#include "ui/TextStyle.h"

#include <QWidget>

class QLineEdit;

class ElidedLabel;
class QLabel;
class QPushButton;
class QVBoxLayout;
class StarfarerUniverse;

// The frame every map-object editor shares: a padded, left-aligned column on the
// main background that scrolls when the window is short; the title ("<Thing>
// Creation" or "Edit <Thing>"); the action button at the foot ("Create <Thing>" or
// "Save Changes"), enabled only while the working copy is complete; and, under it,
// the reason of a failed save until the next save succeeds.
class EditorForm : public QWidget
{
    Q_OBJECT

public:
    struct Texts
    {
        QString createTitle;
        QString editTitle;
        QString createButton;
    };

    EditorForm(StarfarerUniverse &universe, Texts texts, QWidget *parent = nullptr);

    StarfarerUniverse &universe() const { return m_universe; }
    QString title() const;
    QPushButton *actionButton() const { return m_action; }
    QString saveFailure() const;

    // A label in the secondary style.
    static QLabel *secondaryLabel(const QString &text, TextStyle style, QWidget *parent);
    // A caption in the secondary style that names something of the universe: one line,
    // cut with an ellipsis where the form ends.
    static ElidedLabel *secondaryName(const QString &text, TextStyle style, QWidget *parent);

protected:
    // The column the form's rows go into, below the title.
    QVBoxLayout *formLayout() const { return m_form; }
    // A plain section heading with 5 points of space above it.
    QLabel *addHeading(const QString &text);
    // A heading and, below it, a text field of this width with a placeholder.
    QLineEdit *addTextField(const QString &heading, const QString &objectName, const QString &placeholder,
                            int width);
    // Ends the form with the action button and the save-failure line.
    void addActionButton();
    // Title, button text and button state from the working copy.
    void refreshChrome();
    // For forms whose wording follows the universe (the rules flavour).
    void setTexts(Texts texts);

    virtual bool isEditing() const = 0;
    virtual bool isComplete() const = 0;
    // The button's action; runs only while the working copy is complete.
    virtual void save() = 0;

private:
    StarfarerUniverse &m_universe;
    Texts m_texts;
    QLabel *m_title;
    QVBoxLayout *m_form;
    QPushButton *m_action = nullptr;
    QLabel *m_saveFailure = nullptr;
};
