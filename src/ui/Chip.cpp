#include "Chip.h"

#include "ChipLayout.h"
#include "ElidedLabel.h"
#include "FactionBadge.h"
#include "NamedColor.h"
#include "PaletteColor.h"
#include "TextStyle.h"
#include "Tile.h"
#include "universe/Faction.h"

#include <QHBoxLayout>
#include <QPainter>

Chip::Chip(const QColor &fill, QWidget *parent)
    : QWidget(parent), m_fill(fill), m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(kHorizontalPadding, kVerticalPadding, kHorizontalPadding, kVerticalPadding);
    m_layout->setSpacing(kSpacing);
    setFont(textFont(TextStyle::caption));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString Chip::text() const
{
    QStringList texts;
    for (const ElidedLabel *label : findChildren<ElidedLabel *>()) {
        if (!label->text().isEmpty())
            texts.append(label->text());
    }
    return texts.join(QLatin1Char(' '));
}

void Chip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTileBackground(painter, rect(), m_fill);
}

Chip *tagChip(const QString &title, QWidget *parent)
{
    auto *chip = new Chip(namedColor(NamedColor::worldTag), parent);
    ElidedLabel *label = elidedLabel(title, chip->font(), chip);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, namedColor(NamedColor::smallTitle));
    label->setPalette(palette);
    chip->contentLayout()->addWidget(label);
    return chip;
}

Chip *factionChip(const Faction &faction, QWidget *parent)
{
    auto *chip = new Chip(paletteColor(faction.color), parent);
    auto *badge = new FactionBadge(faction, paletteTextColor(faction.color), chip);
    badge->setFont(chip->font());
    chip->contentLayout()->addWidget(badge);
    return chip;
}

QWidget *chipRow(const QList<Chip *> &chips, QWidget *parent, Chip *more)
{
    auto *row = new QWidget(parent);
    auto *layout = new ChipLayout(row, more);
    for (Chip *chip : chips)
        layout->addWidget(chip);
    return row;
}
