#include "UniverseAlertDialog.h"

#include "ui/LiteralText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Below this the buttons and the field look cramped; beyond the widest a message
// wraps rather than making the alert span the screen.
constexpr int kNarrowest = 360;
constexpr int kWidestMessage = 520;
// Room beside the title in the window's title bar (close button, frame).
constexpr int kTitleBarAllowance = 120;

} // namespace

UniverseAlertDialog::UniverseAlertDialog(const QString &title, const QString &message,
                                         const QString &confirmText, const std::optional<QString> &name,
                                         bool destructive, QWidget *parent)
    : QDialog(parent)
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

    int textWidth =
        std::max(heading->sizeHint().width(), fontMetrics().horizontalAdvance(title) + kTitleBarAllowance);
    if (!message.isEmpty()) {
        m_message = new QLabel(message, this);
        m_message->setObjectName(QStringLiteral("alertMessage"));
        m_message->setTextFormat(Qt::PlainText);
        m_message->setWordWrap(true);
        textWidth = std::max(textWidth,
                             std::min(m_message->fontMetrics().horizontalAdvance(message), kWidestMessage));
        layout->addWidget(m_message);
    }

    if (name) {
        m_field = new QLineEdit(*name, this);
        m_field->setObjectName(QStringLiteral("nameField"));
        auto *form = new QFormLayout;
        form->addRow(tr("Name"), m_field);
        layout->addLayout(form);
        connect(m_field, &QLineEdit::textChanged, this, &UniverseAlertDialog::nameEdited);
        m_field->selectAll();
    }

    auto *buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    m_confirm = buttons->addButton(literalText(confirmText), destructive ? QDialogButtonBox::DestructiveRole
                                                                         : QDialogButtonBox::AcceptRole);
    // A destructive answer is never the one Return gives, even once the button has
    // the focus.
    if (destructive) {
        m_confirm->setAutoDefault(false);
        m_cancel->setDefault(true);
        m_cancel->setFocus();
    } else {
        m_confirm->setDefault(true);
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);

    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(std::max(kNarrowest, textWidth + margins.left() + margins.right()));
}

QString UniverseAlertDialog::name() const
{
    return m_field ? m_field->text() : QString();
}

QString UniverseAlertDialog::message() const
{
    return m_message ? m_message->text() : QString();
}
