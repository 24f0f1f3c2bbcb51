#include "MessageBanner.h"

#include "ui/ReadOnlyNotesView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace {

// The most lines of a message the banner shows before it scrolls.
constexpr int kMostLines = 4;

} // namespace

MessageBanner::MessageBanner(bool dismissible, QWidget *parent)
    : QFrame(parent), m_icon(new QLabel(this)),
      m_text(
          new ReadOnlyNotesView(QString(), font(), QFontMetrics(font()).lineSpacing() * kMostLines + 2, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 6, 6);
    m_icon->setObjectName(QStringLiteral("bannerIcon"));
    layout->addWidget(m_icon, 0, Qt::AlignTop);
    showTone();

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

void MessageBanner::setTone(Tone tone)
{
    if (tone == m_tone)
        return;
    m_tone = tone;
    showTone();
}

void MessageBanner::showTone()
{
    // Tints that read on light and dark palettes alike.
    const bool warning = m_tone == Tone::warning;
    setStyleSheet(warning ? QStringLiteral("MessageBanner { background-color: rgba(255, 149, 0, 56); "
                                           "border-bottom: 1px solid rgba(255, 149, 0, 150); }")
                          : QStringLiteral("MessageBanner { background-color: rgba(0, 122, 255, 40); "
                                           "border-bottom: 1px solid rgba(0, 122, 255, 130); }"));
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    const auto sign = warning ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation;
    m_icon->setPixmap(style()->standardIcon(sign).pixmap(size, size));
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
