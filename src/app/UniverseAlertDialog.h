#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The three universe alerts ("New Universe", "Rename Universe", "Delete Universe"),
// all in one style: the title as a bold heading, an optional message, for the first
// two a field labelled "Name", then "Cancel" and a confirming button. The alert is
// wide enough for its title and message, so that neither the heading nor the window
// title is shortened and a short message stays on one line. The confirming button
// is never disabled: an empty name is accepted.
class UniverseAlertDialog : public QDialog
{
    Q_OBJECT

public:
    // `name`: the field's starting text; no value makes an alert without a field.
    // `destructive`: the confirming button removes something.
    UniverseAlertDialog(const QString &title, const QString &message, const QString &confirmText,
                        const std::optional<QString> &name, bool destructive, QWidget *parent = nullptr);

    QString name() const;
    QString message() const;
    // Null in an alert without a field.
    QLineEdit *nameField() const { return m_field; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void nameEdited(const QString &name);

private:
    QLabel *m_message = nullptr;
    QLineEdit *m_field = nullptr;
    QPushButton *m_confirm;
    QPushButton *m_cancel;
};
