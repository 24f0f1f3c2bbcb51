#include "MessageBanner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

MessageBanner::MessageBanner(bool dismissible, QWidget *parent) : QFrame(parent), m_text(new QLabel(this))
{
    // A warm tint that reads as a warning on light and dark palettes alike.
    setStyleSheet(QStringLiteral("MessageBanner { background-color: rgba(255, 149, 0, 56); "
                                 "border-bottom: 1px solid rgba(255, 149, 0, 150); }"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 6, 6);

    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
    layout->addWidget(icon, 0, Qt::AlignTop);

    m_text->setObjectName(QStringLiteral("bannerText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    // File paths and reasons can be copied into a bug report.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_text, 1);

    if (dismissible) {
        m_dismiss = new QToolButton(this);
        m_dismiss->setObjectName(QStringLiteral("dismiss"));
        m_dismiss->setAutoRaise(true);
        m_dismiss->setText(tr("Dismiss"));
        m_dismiss->setToolTip(tr("Dismiss"));
        connect(m_dismiss, &QToolButton::clicked, this, &MessageBanner::clearMessage);
        layout->addWidget(m_dismiss, 0, Qt::AlignTop);
    }
    hide();
}

void MessageBanner::showMessage(const QString &message)
{
    m_text->setText(message);
    setVisible(!message.isEmpty());
}

void MessageBanner::clearMessage()
{
    m_text->clear();
    hide();
}

QString MessageBanner::message() const
{
    return m_text->text();
}
