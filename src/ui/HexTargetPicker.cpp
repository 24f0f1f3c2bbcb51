#include "HexTargetPicker.h"

#include "PlainLabel.h"
#include "TextStyle.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

constexpr qreal kPanelCornerRadius = 8;
constexpr qreal kStepperCornerRadius = 5;
constexpr int kPanelVerticalPadding = 8;
constexpr int kPanelLeadingPadding = 10;
constexpr int kStepperWidth = 55;
constexpr int kStepperPadding = 5;
constexpr int kColumnRowBlockWidth = 120;
constexpr int kCoordinateFieldWidth = 30;

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    return plainLabel(text, textFont(TextStyle::body, false, true), parent);
}

} // namespace

// A sector stepper: its label names the axis and the sector ("X: A" for sector -1),
// and only the arrows (or the arrow keys) change it. It holds the whole 64-bit value,
// so a stored sector far outside -2 to 2 is shown and kept as it is; a step only
// moves towards the range and never past its ends.
class SectorStepper : public QAbstractSpinBox
{
public:
    using SectorText = QString (*)(qint64);

    SectorStepper(const QString &axis, SectorText sectorText, std::function<void(qint64)> stepped,
                  QWidget *parent)
        : QAbstractSpinBox(parent), m_prefix(axis + QStringLiteral(": ")), m_sectorText(sectorText),
          m_stepped(std::move(stepped))
    {
        setWrapping(false);
        setReadOnly(true);
        setFixedWidth(kStepperWidth);
        display(0);
    }

    void display(qint64 value)
    {
        m_value = value;
        lineEdit()->setText(m_prefix + m_sectorText(value));
        update();
    }

    void stepBy(int steps) override
    {
        qint64 target = m_value + steps;
        if (steps > 0)
            target = std::min(target, std::max(m_value, HexTargetPicker::kSectorMaximum));
        else
            target = std::max(target, std::min(m_value, HexTargetPicker::kSectorMinimum));
        if (target == m_value)
            return;
        display(target);
        m_stepped(target);
    }

protected:
    StepEnabled stepEnabled() const override
    {
        StepEnabled enabled = StepNone;
        if (m_value < HexTargetPicker::kSectorMaximum)
            enabled |= StepUpEnabled;
        if (m_value > HexTargetPicker::kSectorMinimum)
            enabled |= StepDownEnabled;
        return enabled;
    }

private:
    QString m_prefix;
    SectorText m_sectorText;
    std::function<void(qint64)> m_stepped;
    qint64 m_value = 0;
};

HexTargetPicker::HexTargetPicker(QWidget *parent)
    : RoundedPanel(NamedColor::parameterBackground, kPanelCornerRadius, parent)
{
    setObjectName(QStringLiteral("coordinateFields"));
    auto *row = new QHBoxLayout(this);
    row->setSpacing(0);
    row->setContentsMargins(kPanelLeadingPadding, kPanelVerticalPadding, 0, kPanelVerticalPadding);

    auto *sectorBlock = new QWidget(this);
    auto *sector = new QVBoxLayout(sectorBlock);
    sector->setContentsMargins(0, 0, sectorBlock->style()->pixelMetric(QStyle::PM_LayoutRightMargin), 0);
    sector->addWidget(boldLabel(tr("Sector"), sectorBlock), 0, Qt::AlignHCenter);
    auto *steppers = new QHBoxLayout;
    const auto addStepper = [&](const QString &axis, SectorStepper::SectorText sectorText,
                                const char *objectName, qint64 GalacticCoordinates::*member) {
        auto *box = new RoundedPanel(NamedColor::sectorBackground, kStepperCornerRadius, sectorBlock);
        auto *boxLayout = new QHBoxLayout(box);
        boxLayout->setContentsMargins(kStepperPadding, kStepperPadding, kStepperPadding, kStepperPadding);
        auto *stepper = new SectorStepper(
            axis, sectorText,
            [this, member](qint64 value) {
                GalacticCoordinates edited = m_coordinates;
                edited.*member = value;
                edit(edited);
            },
            box);
        stepper->setObjectName(QString::fromLatin1(objectName));
        boxLayout->addWidget(stepper);
        steppers->addWidget(box);
        return stepper;
    };
    m_sectorX = addStepper(QStringLiteral("X"), &GalacticCoordinates::sectorXText, "sectorX",
                           &GalacticCoordinates::sectorX);
    m_sectorY = addStepper(QStringLiteral("Y"), &GalacticCoordinates::sectorYText, "sectorY",
                           &GalacticCoordinates::sectorY);
    sector->addLayout(steppers);
    row->addWidget(sectorBlock, 0, Qt::AlignVCenter);

    auto *cellBlock = new QWidget(this);
    cellBlock->setFixedWidth(kColumnRowBlockWidth);
    auto *cells = new QGridLayout(cellBlock);
    cells->setContentsMargins(0, 0, 0, 0);
    const auto addField = [&](const QString &title, const char *objectName, int line,
                              qint64 GalacticCoordinates::*member, qint64 (*clamp)(qint64)) {
        cells->addWidget(boldLabel(title, cellBlock), line, 0, Qt::AlignRight);
        auto *field = new QLineEdit(cellBlock);
        field->setObjectName(QString::fromLatin1(objectName));
        field->setPlaceholderText(title);
        field->setFixedWidth(kCoordinateFieldWidth);
        cells->addWidget(field, line, 1, Qt::AlignRight);
        // The value changes when the typing is committed (Return or leaving the
        // field), as with any number field.
        connect(field, &QLineEdit::editingFinished, this,
                [this, field, member, clamp] { commitField(field, member, clamp); });
        return field;
    };
    m_column =
        addField(tr("Column"), "column", 0, &GalacticCoordinates::column, &HexTargetPicker::clampColumn);
    m_row = addField(tr("Row"), "row", 1, &GalacticCoordinates::row, &HexTargetPicker::clampRow);
    row->addWidget(cellBlock, 0, Qt::AlignVCenter);
    refresh();
}

void HexTargetPicker::setCoordinates(const GalacticCoordinates &coordinates)
{
    m_coordinates = coordinates;
    refresh();
}

qint64 HexTargetPicker::clampColumn(qint64 column)
{
    return std::clamp<qint64>(column, 1, kColumns);
}

qint64 HexTargetPicker::clampRow(qint64 row)
{
    return std::clamp<qint64>(row, 1, kRows);
}

QString HexTargetPicker::hexHeaderText(const GalacticCoordinates &coordinates)
{
    return tr("HEX: %1").arg(coordinates.description());
}

void HexTargetPicker::edit(const GalacticCoordinates &coordinates)
{
    m_coordinates = coordinates;
    refresh();
    emit coordinatesEdited(m_coordinates);
}

void HexTargetPicker::commitField(QLineEdit *field, qint64 GalacticCoordinates::*member,
                                  qint64 (*clamp)(qint64))
{
    bool ok = false;
    const qint64 typed = QLocale().toLongLong(field->text().trimmed(), &ok);
    // Text that is not a whole number leaves the value as it was.
    if (!ok || clamp(typed) == m_coordinates.*member) {
        refresh();
        return;
    }
    GalacticCoordinates edited = m_coordinates;
    edited.*member = clamp(typed);
    edit(edited);
}

void HexTargetPicker::refresh()
{
    m_sectorX->display(m_coordinates.sectorX);
    m_sectorY->display(m_coordinates.sectorY);
    m_column->setText(QLocale().toString(m_coordinates.column));
    m_row->setText(QLocale().toString(m_coordinates.row));
}
