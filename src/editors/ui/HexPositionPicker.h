#pragma once

#include "model/GalacticCoordinates.h"

#include <QWidget>

class IntegerField;
class LabeledStepper;
class QToolButton;
class StarfarerUniverse;
class SystemSearchPopup;

// The controls with which every map-object editor chooses a hex: steppers for the
// sector (over the sectors of HexTargetPicker, -2 to 2, shown as B, A, 0, 1, 2),
// whole-number fields for the column and the row (no bounds) and, optionally, below
// them a button titled with the name of the system at the chosen hex, which opens a
// searchable list of the stored systems that jumps to a system's hex. The position
// belongs to the editor: the picker shows it and announces the user's changes.
class HexPositionPicker : public QWidget
{
    Q_OBJECT

public:
    enum class FieldOrder { columnFirst, rowFirst };

    HexPositionPicker(StarfarerUniverse &universe, bool showsSystemMenu,
                      FieldOrder order = FieldOrder::columnFirst, QWidget *parent = nullptr);

    GalacticCoordinates position() const { return m_position; }
    // Shows `position`; does not announce it.
    void setPosition(const GalacticCoordinates &position);

    // The system button's title: the system name at the position.
    QString systemMenuTitle() const;
    // Opens the list of systems, read afresh from the universe, as the system button
    // does; null when the picker has no system button.
    SystemSearchPopup *openSystemList();

signals:
    void positionChanged(const GalacticCoordinates &position);

private:
    void change(const GalacticCoordinates &position);
    void refresh();
    void refreshTitle();

    StarfarerUniverse &m_universe;
    GalacticCoordinates m_position;
    LabeledStepper *m_sectorX;
    LabeledStepper *m_sectorY;
    IntegerField *m_column;
    IntegerField *m_row;
    QToolButton *m_systemButton = nullptr;
    SystemSearchPopup *m_systemList = nullptr;
};
