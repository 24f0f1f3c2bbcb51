#pragma once

#include "screens/RutterDestination.h"

#include <QWidget>

class Chip;

// The rutters touching a hex, under the title "Routes" (Traveller rules) or
// "Rutters": one chip per destination, in order, on one line.
class RutterRoutesSection : public QWidget
{
    Q_OBJECT

public:
    RutterRoutesSection(bool travellerRules, const QList<RutterDestination> &destinations,
                        QWidget *parent = nullptr);
};

// A destination's chip: "Name [n]" in the contrasting text colour on its faction's
// colour.
Chip *rutterDestinationChip(const RutterDestination &destination, QWidget *parent = nullptr);
