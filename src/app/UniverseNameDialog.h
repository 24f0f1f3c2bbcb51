#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The alerts that ask for a universe's name ("New Universe", "Rename Universe"): the
// title, an optional message, a field labelled "Name", "Cancel" and a confirming
// button. The confirming button is never disabled: an empty name is accepted.
class UniverseNameDialog : public QDialog
{
    Q_OBJECT

public:
    UniverseNameDialog(const QString &title, const QString &message, const QString &confirmText,
                       const QString &name, QWidget *parent = nullptr);

    QString name() const;
    QLineEdit *nameField() const { return m_field; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void nameEdited(const QString &name);

private:
    QLineEdit *m_field;
    QPushButton *m_confirm;
    QPushButton *m_cancel;
};
