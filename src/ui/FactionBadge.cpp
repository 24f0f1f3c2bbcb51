#include "FactionBadge.h"

#include "Chip.h"
#include "ElidedLabel.h"
#include "PlainText.h"
#include "universe/Faction.h"

#include <QHBoxLayout>
#include <QLabel>

FactionBadge::FactionBadge(const Faction &faction, const QColor &color, QWidget *parent)
    : QWidget(parent), m_text(new ElidedLabel(quotedName(faction.shortName), this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Chip::kSpacing);
    auto *icon = new QLabel(this);
    const int size = qMax(10, fontMetrics().height() - 2);
    icon->setPixmap(symbolPixmap(factionBadgeSymbol(faction.category), size, color, devicePixelRatioF()));
    icon->setObjectName(QStringLiteral("badgeSymbol"));
    m_text->setToolTip(plainToolTip(faction.name));
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::WindowText, color);
    m_text->setPalette(palette);
    layout->addWidget(icon);
    layout->addWidget(m_text);
}

QString FactionBadge::text() const
{
    return m_text->text();
}
