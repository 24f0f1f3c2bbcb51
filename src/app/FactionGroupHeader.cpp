#include "FactionGroupHeader.h"

#include "ui/FactionBadge.h"
#include "ui/PressedShade.h"
#include "ui/Symbol.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {

constexpr int kSymbolSize = 16;

Symbol chevronFor(bool expanded)
{
    return expanded ? Symbol::chevronDown : Symbol::chevronRight;
}

QLabel *symbolLabel(Symbol symbol, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(symbolPixmap(symbol, kSymbolSize, color, parent->devicePixelRatioF()));
    label->setFixedSize(kSymbolSize, kSymbolSize);
    return label;
}

} // namespace

FactionGroupHeader::FactionGroupHeader(FactionCategory category, bool expanded, bool hasMembers,
                                       QWidget *parent)
    : QAbstractButton(parent), m_category(category), m_expanded(expanded),
      m_title(new QLabel(description(category), this))
{
    setObjectName(QStringLiteral("factionGroup-") + rawValue(category));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    const QColor ink = palette().color(QPalette::WindowText);

    setHasMembers(hasMembers);
    m_title->setTextFormat(Qt::PlainText);

    auto *chevron = symbolLabel(chevronFor(expanded), ink, this);
    chevron->setObjectName(QStringLiteral("chevron"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 6, 2);
    layout->addWidget(symbolLabel(factionBadgeSymbol(category), ink, this));
    layout->addWidget(m_title);
    layout->addStretch(1);
    layout->addWidget(chevron);
}

QString FactionGroupHeader::title() const
{
    return m_title->text();
}

bool FactionGroupHeader::titleIsBold() const
{
    return m_title->font().bold();
}

void FactionGroupHeader::setHasMembers(bool hasMembers)
{
    QFont font = m_title->font();
    font.setBold(hasMembers);
    m_title->setFont(font);
}

QSize FactionGroupHeader::sizeHint() const
{
    // As tall as the other rows of the sidebar.
    return layout()->sizeHint().expandedTo(QSize(0, 24));
}

void FactionGroupHeader::paintEvent(QPaintEvent *)
{
    // The labels draw the row; only the pressed shade is painted here.
    paintPressedShade(*this);
}
