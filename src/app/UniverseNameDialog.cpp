#include "UniverseNameDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

UniverseNameDialog::UniverseNameDialog(const QString &title, const QString &message,
                                       const QString &confirmText, const QString &name, QWidget *parent)
    : QDialog(parent), m_field(new QLineEdit(name, this))
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);

    auto *heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("alertTitle"));
    heading->setTextFormat(Qt::PlainText);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);

    if (!message.isEmpty()) {
        auto *text = new QLabel(message, this);
        text->setObjectName(QStringLiteral("alertMessage"));
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        layout->addWidget(text);
    }

    auto *form = new QFormLayout;
    m_field->setObjectName(QStringLiteral("nameField"));
    form->addRow(tr("Name"), m_field);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    m_confirm = buttons->addButton(confirmText, QDialogButtonBox::AcceptRole);
    m_confirm->setDefault(true);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_field, &QLineEdit::textChanged, this, &UniverseNameDialog::nameEdited);
    m_field->selectAll();
}

QString UniverseNameDialog::name() const
{
    return m_field->text();
}
