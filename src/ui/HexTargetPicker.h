#pragma once

#include "RoundedPanel.h"
#include "model/GalacticCoordinates.h"

#include <QtGlobal>

class QLineEdit;
class SectorStepper;

// The panel that picks a hex: "Sector" over two steppers (X and Y, -2 to 2, negative
// sectors named by letter) and the "Column" and "Row" fields, each limited to the
// sector's 32 columns and 40 rows. A value given by setCoordinates() is shown as it
// is, even outside those limits: only the user's own edits are limited, so a stored
// hex is never moved by opening it. Every edit is reported with coordinatesEdited().
class HexTargetPicker : public RoundedPanel
{
    Q_OBJECT

public:
    // The sectors every hex picker's steppers reach, here and in the map-object
    // editors.
    static constexpr qint64 kSectorMinimum = -2;
    static constexpr qint64 kSectorMaximum = 2;
    static constexpr qint64 kColumns = 32;
    static constexpr qint64 kRows = 40;

    explicit HexTargetPicker(QWidget *parent = nullptr);

    const GalacticCoordinates &coordinates() const { return m_coordinates; }
    // Shows `coordinates` without limiting them and without reporting an edit.
    void setCoordinates(const GalacticCoordinates &coordinates);

    // Column 1 to 32 and row 1 to 40: larger values give the last one, smaller the first.
    static qint64 clampColumn(qint64 column);
    static qint64 clampRow(qint64 row);
    // "HEX: " and the coordinates label.
    static QString hexHeaderText(const GalacticCoordinates &coordinates);

signals:
    void coordinatesEdited(const GalacticCoordinates &coordinates);

private:
    void edit(const GalacticCoordinates &coordinates);
    void commitField(QLineEdit *field, qint64 GalacticCoordinates::*member, qint64 (*clamp)(qint64));
    void refresh();

    GalacticCoordinates m_coordinates{0, 0, 1, 1};
    SectorStepper *m_sectorX = nullptr;
    SectorStepper *m_sectorY = nullptr;
    QLineEdit *m_column = nullptr;
    QLineEdit *m_row = nullptr;
};
