#pragma once

#include "model/HexData.h"
#include "travel/TravelSheet.h"

#include "ui/ScrollingPage.h"

#include <optional>

class ElidedLabel;
class ElidedComboBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QToolButton;
class QVBoxLayout;

// The travel sheet of one hex: travel times at 1 to 6 G and at a custom thrust from
// each body with a surface out to its jump point, and between two bodies the user
// picks. The custom thrust and the two picks belong to the sheet and survive a new
// hex (the system at the coordinates changing); nothing is ever written.
class SystemTravelView : public ScrollingPage
{
    Q_OBJECT

public:
    static const QString kExplanation;
    // The fixed thrust columns, in G; the custom thrust follows them.
    static constexpr int kFixedThrusts = 6;
    // The stepper's range and step; the field takes any number.
    static constexpr double kStepperMinimum = 0.1;
    static constexpr double kStepperMaximum = 12.0;
    static constexpr double kStepperStep = 0.5;

    // A fresh sheet: custom thrust 1 G, the first two bodies picked.
    explicit SystemTravelView(const HexData &hex, QWidget *parent = nullptr);

    // Shows the hex as it is now, keeping the custom thrust and the picks.
    void setHex(const HexData &hex);
    const HexData &hex() const { return m_hex; }

    double customThrust() const { return m_customThrust; }
    void setCustomThrust(double thrust);
    const BodyPicks &picks() const { return m_picks; }

private:
    QWidget *buildHeader();
    QWidget *buildCustomThrustControl();
    QWidget *buildInterplanetarySection();
    void rebuildPickers();
    void fillPicker(QComboBox *picker, const std::optional<QUuid> &pick);
    void refreshTimes();
    void rebuildJumpPoints();
    void refreshTransit();
    void addThrustHeaders(QGridLayout *grid, int row, int firstColumn) const;
    void addTimeCells(QGridLayout *grid, int row, int firstColumn, double distanceKm) const;
    void stepThrust(double delta);
    void pickChanged(QComboBox *picker, std::optional<QUuid> &pick);

    HexData m_hex;
    TravelSheet m_sheet;
    double m_customThrust = 1.0;
    BodyPicks m_picks;

    ElidedLabel *m_name = nullptr;
    QLabel *m_hexLine = nullptr;
    QLineEdit *m_thrustField = nullptr;
    QToolButton *m_stepUp = nullptr;
    QToolButton *m_stepDown = nullptr;
    QVBoxLayout *m_jumpPoints = nullptr;
    QLabel *m_transitMessage = nullptr;
    QWidget *m_transit = nullptr;
    ElidedComboBox *m_from = nullptr;
    ElidedComboBox *m_to = nullptr;
    ElidedLabel *m_distance = nullptr;
    QWidget *m_transitTimes = nullptr;
};
