#include "AboutWindow.h"

#include "ExternalLinks.h"
#include "ui/AppInformation.h"
#include "ui/RotatingIcon.h"
#include "ui/StarSystemHexes.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QFont sizedFont(const QFont &base, int pixelSize, bool bold = false)
{
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *textLabel(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A notice wraps onto as many lines as it needs and is centred line by line.
QLabel *noticeLabel(const QString &objectName, QWidget *parent)
{
    auto *label = textLabel(objectName, QString(), parent);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    return label;
}

QPushButton *linkButton(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); border: none; padding: 0; }"));
    return button;
}

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : AboutWindow(&QDate::currentDate, parent) {}

AboutWindow::AboutWindow(Clock today, QWidget *parent) : QWidget(parent), m_today(std::move(today))
{
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    auto *stack = new QVBoxLayout(this);
    stack->setSpacing(14);
    const int padding = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    stack->setContentsMargins(padding, 0, padding, 0);
    stack->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_iconSlot = new QHBoxLayout;
    m_iconSlot->setContentsMargins(0, 0, 0, 0);
    stack->addLayout(m_iconSlot);
    placeIcon();

    auto *name = textLabel(QStringLiteral("name"), QStringLiteral("Vostrel"), this);
    name->setFont(sizedFont(font(), 22));
    stack->addWidget(name);

    auto *versionStack = new QVBoxLayout;
    versionStack->setSpacing(6);
    auto *version = textLabel(QStringLiteral("version"), AppInformation::versionLine(), this);
    version->setFont(sizedFont(font(), 15));
    m_copyright = textLabel(QStringLiteral("copyright"), QString(), this);
    m_copyright->setFont(sizedFont(font(), 12));
    versionStack->addWidget(version);
    versionStack->addWidget(m_copyright);
    stack->addLayout(versionStack);

    auto *credit = textLabel(QStringLiteral("credit"), creditLine(), this);
    credit->setTextFormat(Qt::RichText);
    stack->addWidget(credit);

    auto *documentation = linkButton(QStringLiteral("documentation"), tr("Documentation"), this);
    connect(documentation, &QPushButton::clicked, this, [this] { ExternalLinks::openHelpGuide(this); });
    stack->addWidget(documentation, 0, Qt::AlignHCenter);
    auto *website = linkButton(QStringLiteral("developerWebsite"), tr("Developer Website"), this);
    connect(website, &QPushButton::clicked, this, [this] { ExternalLinks::openMakerWebsite(this); });
    stack->addWidget(website, 0, Qt::AlignHCenter);

    m_independence = noticeLabel(QStringLiteral("independenceNotice"), this);
    stack->addWidget(m_independence);
    m_rules = noticeLabel(QStringLiteral("rulesNotice"), this);
    stack->addWidget(m_rules);
    auto *trademarks = noticeLabel(QStringLiteral("trademarkNotice"), this);
    trademarks->setText(trademarkNotice());
    stack->addWidget(trademarks);
    stack->addStretch(1);

    refreshTexts();
}

QString AboutWindow::copyrightLine(int year)
{
    return tr("Copyright © %1 %2").arg(QString::number(year), ExternalLinks::authorName());
}

QString AboutWindow::creditLine()
{
    return tr("Made by <b>%1</b> (%2)")
        .arg(ExternalLinks::makerName().toHtmlEscaped(), ExternalLinks::authorName().toHtmlEscaped());
}

QString AboutWindow::independenceNotice(int year)
{
    return tr("Stars Without Number is © 2010–%1 Sine Nomine Publishing. Vostrel is an independent, "
              "fan-made tool and is not affiliated with or endorsed by Sine Nomine Publishing.")
        .arg(QString::number(year));
}

QString AboutWindow::rulesNotice(int year)
{
    return tr("The Traveller Map importer uses the public interface of the Traveller Map service. "
              "The Traveller game in all forms is owned by Far Future Enterprises. "
              "Copyright © 1977–%1 Far Future Enterprises. "
              "Traveller is a registered trademark of Far Future Enterprises. "
              "Far Future permits web sites and fanzines for this game, provided it contains this notice, "
              "that Far Future is notified, and subject to a withdrawal of permission on 90 days notice. "
              "Content imported from Traveller Map is for personal, non-commercial use only.")
        .arg(QString::number(year));
}

QString AboutWindow::trademarkNotice()
{
    return tr("Names of games and publishers are used for identification only; no challenge to their "
              "owners’ copyrights or trademarks is intended.");
}

void AboutWindow::setHovering(bool hovering)
{
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    placeIcon();
    refreshTexts();
}

// The icon's speed is its identity: a change of speed replaces the icon, so that
// the new one starts its turn from 0 degrees.
void AboutWindow::placeIcon()
{
    if (m_icon) {
        // The old icon must not report the pointer leaving as it goes away.
        m_icon->disconnect(this);
        m_iconSlot->removeWidget(m_icon);
        m_icon->hide();
        m_icon->deleteLater();
    }
    m_icon =
        new RotatingIcon(StarSystemHexes::image, kIconWidth, m_hovering ? kHoverSpeed : kRestingSpeed, this);
    m_icon->setObjectName(QStringLiteral("icon"));
    connect(m_icon, &RotatingIcon::hoverChanged, this, &AboutWindow::setHovering);
    m_iconSlot->addWidget(m_icon, 0, Qt::AlignHCenter);
    // A widget added to a shown window appears only at the next turn of the event
    // loop; show it now so that its turn starts with the hover change.
    if (isVisible())
        m_icon->show();
}

void AboutWindow::refreshTexts()
{
    const int year = m_today().year();
    m_copyright->setText(copyrightLine(year));
    m_independence->setText(independenceNotice(year));
    m_rules->setText(rulesNotice(year));
}

// Dragging the background moves the window: through the window system where it
// offers that, else by following the pointer. The move starts only once the pointer
// has gone the drag distance with the button down, so a short click never leaves
// the window in a move.
void AboutWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressPosition = event->globalPosition().toPoint();
    m_dragOffset = m_pressPosition - window()->frameGeometry().topLeft();
    m_drag = Drag::pressed;
    event->accept();
}

void AboutWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::none || !(event->buttons() & Qt::LeftButton)) {
        m_drag = Drag::none;
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pointer = event->globalPosition().toPoint();
    if (m_drag == Drag::pressed) {
        if ((pointer - m_pressPosition).manhattanLength() < QApplication::startDragDistance()) {
            event->accept();
            return;
        }
        QWindow *handle = window()->windowHandle();
        const bool systemMove = handle && handle->startSystemMove();
        // The window system carries the move from here, and ends it on release.
        m_drag = systemMove ? Drag::none : Drag::following;
        if (systemMove) {
            event->accept();
            return;
        }
    }
    window()->move(pointer - m_dragOffset);
    event->accept();
}

void AboutWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_drag = Drag::none;
    QWidget::mouseReleaseEvent(event);
}
