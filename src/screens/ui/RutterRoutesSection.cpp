#include "RutterRoutesSection.h"

#include "ui/Chip.h"
#include "ui/ElidedLabel.h"
#include "ui/PaletteColor.h"
#include "ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

RutterRoutesSection::RutterRoutesSection(bool travellerRules, const QList<RutterDestination> &destinations,
                                         QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    auto *title = new QLabel(travellerRules ? tr("Routes") : tr("Rutters"), this);
    title->setObjectName(QStringLiteral("routesTitle"));
    title->setFont(textFont(TextStyle::caption, true));
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    title->setPalette(palette);
    layout->addWidget(title);
    QList<Chip *> chips;
    for (const RutterDestination &destination : destinations)
        chips.append(rutterDestinationChip(destination));
    layout->addWidget(chipRow(chips, this));
}

Chip *rutterDestinationChip(const RutterDestination &destination, QWidget *parent)
{
    auto *chip = new Chip(paletteColor(destination.color), parent);
    ElidedLabel *label = elidedLabel(destination.chipText(), chip->font(), chip);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, paletteTextColor(destination.color));
    label->setPalette(palette);
    chip->contentLayout()->addWidget(label);
    return chip;
}
