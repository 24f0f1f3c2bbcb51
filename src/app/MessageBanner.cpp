#include "MessageBanner.h"

#include "ui/NotesView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace {

// The most lines of a message the banner shows before it scrolls.
constexpr int kMostLines = 4;

} // namespace

MessageBanner::MessageBanner(bool dismissible, QWidget *parent)
    : QFrame(parent),
      m_text(new NotesView(QString(), font(), QFontMetrics(font()).lineSpacing() * kMostLines + 2, this))
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

    // File paths and reasons can be selected and copied into a bug report.
    m_text->setObjectName(QStringLiteral("bannerText"));
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
    m_text->setText(QString());
    hide();
}

QString MessageBanner::message() const
{
    return m_text->text();
}
