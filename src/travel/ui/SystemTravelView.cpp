#include "SystemTravelView.h"

#include "model/NumberFormat.h"
#include "travel/TravelGeometry.h"
#include "ui/ClearLayout.h"
#include "ui/ElidedComboBox.h"
#include "ui/ElidedLabel.h"
#include "ui/PlainText.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStandardItemModel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

const QString SystemTravelView::kExplanation = QStringLiteral(
    "Constant-thrust \u201Cflip and burn\u201D at the given acceleration (t = 2\u221A(D\u2215a), with 1 G = "
    "9.81 m/s\u00B2). Jump points clear the body\u2019s own 100 diameters and every star\u2019s 100 D shadow "
    "\u2014 the ship burns outward and the governing star is named. Interplanetary distances use closest "
    "approach between the two bodies; for bodies orbiting different stars the stars\u2019 separation comes "
    "from the companion\u2019s orbit. Satellites use their planet\u2019s orbit.");

namespace {

// The text sizes of the sheet, in pixels.
constexpr int kTitleSize = 17;
constexpr int kHeadlineSize = 13;
constexpr int kSubheadlineSize = 11;
constexpr int kCalloutSize = 12;
constexpr int kCaptionSize = 10;
// The space between the blocks of two stars in the jump table.
constexpr int kBlockGap = 12;

constexpr int kIdRole = Qt::UserRole;
// The columns of a time table: the body column, the fixed thrusts and the custom one.
constexpr int kTableColumns = SystemTravelView::kFixedThrusts + 2;

QLabel *makeLabel(const QString &text, const QFont &font, bool secondary, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    if (secondary)
        makeSecondary(label);
    return label;
}

// A layout on `owner` without margins, its items `spacing` apart.
template <typename Layout> Layout *tightLayout(QWidget *owner, int spacing)
{
    auto *layout = new Layout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QFrame *makeDivider(QWidget *parent)
{
    auto *divider = new QFrame(parent);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    return divider;
}

// A time table on `owner`: its columns keep the widths they ask for, and the room
// left over goes to an empty column after the last, so that the table stands at the
// left while a text spanning it can take the whole width.
QGridLayout *makeGrid(QWidget *owner)
{
    auto *grid = tightLayout<QGridLayout>(owner, 8);
    grid->setHorizontalSpacing(12);
    grid->setColumnStretch(kTableColumns, 1);
    return grid;
}

// Parses a typed thrust in the current locale; none for text that is no finite number.
std::optional<double> parseThrust(const QString &text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

SystemTravelView::SystemTravelView(const HexData &hex, QWidget *parent)
    : ScrollingPage(parent), m_hex(hex), m_sheet(hex.starSystem)
{
    // A wide table scrolls sideways rather than being cut.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // At least 520 by 420, and never narrower than what the layout needs: a fixed
    // minimum would let a narrow window squeeze the tables and cut their texts.
    auto *content = new QWidget;
    content->setMinimumHeight(420);
    auto *column = new QVBoxLayout(content);
    column->addStrut(520);
    column->setSpacing(16);
    column->setAlignment(Qt::AlignTop);

    column->addWidget(buildHeader());
    column->addWidget(buildCustomThrustControl(), 0, Qt::AlignLeft);
    column->addWidget(makeDivider(content));

    auto *jumpPoints = new QWidget(content);
    jumpPoints->setObjectName(QStringLiteral("jumpPoints"));
    m_jumpPoints = tightLayout<QVBoxLayout>(jumpPoints, 12);
    column->addWidget(jumpPoints);
    column->addWidget(makeDivider(content));

    column->addWidget(buildInterplanetarySection());
    column->addWidget(makeDivider(content));

    QLabel *explanation = makeLabel(kExplanation, textFont(kCaptionSize), true, content);
    explanation->setObjectName(QStringLiteral("explanation"));
    explanation->setWordWrap(true);
    column->addWidget(explanation);
    column->addStretch(1);
    setWidget(content);

    m_picks = m_sheet.withDefaultPicks(m_picks);
    setHex(hex);
}

QWidget *SystemTravelView::buildHeader()
{
    auto *header = new QWidget;
    auto *layout = tightLayout<QVBoxLayout>(header, 4);
    m_name = elidedLabel(QString(), textFont(kTitleSize, false, true), header);
    m_name->setObjectName(QStringLiteral("systemName"));
    m_hexLine = makeLabel(QString(), textFont(kCaptionSize, true), true, header);
    m_hexLine->setObjectName(QStringLiteral("hexLine"));
    layout->addWidget(m_name);
    layout->addWidget(m_hexLine);
    return header;
}

QWidget *SystemTravelView::buildCustomThrustControl()
{
    auto *control = new QWidget;
    auto *row = tightLayout<QHBoxLayout>(control, 8);
    const QFont callout = textFont(kCalloutSize);
    row->addWidget(makeLabel(tr("Custom thrust"), callout, false, control));

    m_thrustField = new QLineEdit(NumberFormat::decimal(m_customThrust), control);
    m_thrustField->setObjectName(QStringLiteral("customThrustField"));
    m_thrustField->setPlaceholderText(QStringLiteral("G"));
    m_thrustField->setFont(callout);
    m_thrustField->setFixedWidth(60);
    row->addWidget(m_thrustField);
    // Every parsable keystroke recomputes at once; leaving the field shows the value
    // it holds, so that text that is no number does not linger.
    connect(m_thrustField, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (const std::optional<double> thrust = parseThrust(text)) {
            m_customThrust = *thrust;
            refreshTimes();
        }
    });
    connect(m_thrustField, &QLineEdit::editingFinished, this,
            [this] { m_thrustField->setText(NumberFormat::decimal(m_customThrust)); });

    auto *stepper = new QWidget(control);
    auto *arrows = tightLayout<QVBoxLayout>(stepper, 0);
    m_stepUp = new QToolButton(stepper);
    m_stepUp->setObjectName(QStringLiteral("thrustStepUp"));
    m_stepUp->setArrowType(Qt::UpArrow);
    m_stepUp->setAccessibleName(tr("Increment"));
    m_stepDown = new QToolButton(stepper);
    m_stepDown->setObjectName(QStringLiteral("thrustStepDown"));
    m_stepDown->setArrowType(Qt::DownArrow);
    m_stepDown->setAccessibleName(tr("Decrement"));
    for (QToolButton *button : {m_stepUp, m_stepDown}) {
        button->setFixedSize(18, 11);
        arrows->addWidget(button);
    }
    connect(m_stepUp, &QToolButton::clicked, this, [this] { stepThrust(kStepperStep); });
    connect(m_stepDown, &QToolButton::clicked, this, [this] { stepThrust(-kStepperStep); });
    row->addWidget(stepper);
    row->addWidget(makeLabel(QStringLiteral("G"), callout, true, control));
    return control;
}

QWidget *SystemTravelView::buildInterplanetarySection()
{
    auto *section = new QWidget;
    auto *layout = tightLayout<QVBoxLayout>(section, 8);
    layout->addWidget(makeLabel(tr("Interplanetary"), textFont(kHeadlineSize, false, true), false, section));

    m_transitMessage = makeLabel(tr("At least two bodies are needed to compute a transit."),
                                 textFont(kCalloutSize), true, section);
    m_transitMessage->setObjectName(QStringLiteral("transitMessage"));
    layout->addWidget(m_transitMessage);

    m_transit = new QWidget(section);
    auto *transit = tightLayout<QVBoxLayout>(m_transit, 8);
    auto *pickers = new QHBoxLayout;
    pickers->setSpacing(16);
    // Long names cut the pickers' entries rather than widen the window.
    m_from = new ElidedComboBox(m_transit);
    m_from->setObjectName(QStringLiteral("fromPicker"));
    m_to = new ElidedComboBox(m_transit);
    m_to->setObjectName(QStringLiteral("toPicker"));
    for (auto [title, picker] : {std::pair{tr("From"), m_from}, std::pair{tr("To"), m_to}}) {
        auto *pair = new QHBoxLayout;
        pair->setSpacing(6);
        pair->addWidget(new QLabel(title, m_transit));
        pair->addWidget(picker);
        pickers->addLayout(pair);
    }
    pickers->addStretch(1);
    transit->addLayout(pickers);
    connect(m_from, &QComboBox::currentIndexChanged, this, [this] { pickChanged(m_from, m_picks.from); });
    connect(m_to, &QComboBox::currentIndexChanged, this, [this] { pickChanged(m_to, m_picks.to); });

    // The names may be cut, never the distance at the end of the line.
    m_distance = elidedLabel(QString(), textFont(13), m_transit);
    m_distance->setElideMode(Qt::ElideMiddle);
    m_distance->setObjectName(QStringLiteral("distanceLine"));
    transit->addWidget(m_distance);
    m_transitTimes = new QWidget(m_transit);
    m_transitTimes->setObjectName(QStringLiteral("transitTimes"));
    makeGrid(m_transitTimes);
    transit->addWidget(m_transitTimes);
    layout->addWidget(m_transit);
    return section;
}

void SystemTravelView::setHex(const HexData &hex)
{
    m_hex = hex;
    m_sheet = TravelSheet(hex.starSystem);
    const QString name = hex.starSystem.name;
    m_name->setText(name.isEmpty() ? tr("Unnamed System") : name);
    m_hexLine->setText(QStringLiteral("HEX ") + hex.coordinates.description() + QStringLiteral(" \u00B7 ") +
                       tr("Travel times"));
    const bool transit = m_sheet.system().allWorlds().size() >= 2;
    m_transitMessage->setVisible(!transit);
    m_transit->setVisible(transit);
    rebuildPickers();
    refreshTimes();
}

void SystemTravelView::setCustomThrust(double thrust)
{
    m_customThrust = thrust;
    m_thrustField->setText(NumberFormat::decimal(thrust));
    refreshTimes();
}

void SystemTravelView::stepThrust(double delta)
{
    setCustomThrust(std::clamp(m_customThrust + delta, kStepperMinimum, kStepperMaximum));
}

void SystemTravelView::pickChanged(QComboBox *picker, std::optional<QUuid> &pick)
{
    const QVariant id = picker->currentData(kIdRole);
    pick = id.isValid() ? std::optional<QUuid>(id.toUuid()) : std::nullopt;
    refreshTransit();
}

void SystemTravelView::rebuildPickers()
{
    fillPicker(m_from, m_picks.from);
    fillPicker(m_to, m_picks.to);
}

void SystemTravelView::fillPicker(QComboBox *picker, const std::optional<QUuid> &pick)
{
    const QSignalBlocker blocker(picker);
    picker->clear();
    auto *model = qobject_cast<QStandardItemModel *>(picker->model());
    int chosen = -1;
    for (const BodyMenuSection &section : m_sheet.menuSections()) {
        if (!section.title.isEmpty()) {
            if (picker->count() > 0)
                picker->insertSeparator(picker->count());
            auto *heading = new QStandardItem(section.title);
            heading->setFlags(Qt::NoItemFlags);
            QFont bold = picker->font();
            bold.setBold(true);
            heading->setFont(bold);
            model->appendRow(heading);
        }
        for (const BodyMenuEntry &entry : section.entries) {
            if (chosen < 0 && pick == entry.id)
                chosen = picker->count();
            picker->addItem(quotedName(entry.text), entry.id);
        }
    }
    // A pick that names no body of this system shows no entry as chosen.
    picker->setCurrentIndex(chosen);
}

void SystemTravelView::refreshTimes()
{
    m_stepUp->setEnabled(m_customThrust < kStepperMaximum);
    m_stepDown->setEnabled(m_customThrust > kStepperMinimum);
    rebuildJumpPoints();
    refreshTransit();
}

void SystemTravelView::addThrustHeaders(QGridLayout *grid, int row, int firstColumn) const
{
    const QFont caption = textFont(kCaptionSize);
    QWidget *owner = grid->parentWidget();
    for (int thrust = 1; thrust <= kFixedThrusts + 1; ++thrust) {
        const QString text = thrust <= kFixedThrusts ? TravelSheet::thrustHeader(thrust)
                                                     : TravelSheet::customThrustLabel(m_customThrust);
        grid->addWidget(makeLabel(text, caption, true, owner), row, firstColumn + thrust - 1,
                        Qt::AlignHCenter);
    }
}

void SystemTravelView::addTimeCells(QGridLayout *grid, int row, int firstColumn, double distanceKm) const
{
    const QFont callout = textFont(kCalloutSize);
    QWidget *owner = grid->parentWidget();
    for (int column = 0; column <= kFixedThrusts; ++column) {
        const double thrust = column < kFixedThrusts ? column + 1.0 : m_customThrust;
        const QString text =
            TravelGeometry::formatDuration(TravelGeometry::travelTimeSeconds(distanceKm, thrust));
        grid->addWidget(makeLabel(text, callout, false, owner), row, firstColumn + column,
                        Qt::AlignRight | Qt::AlignVCenter);
    }
}

void SystemTravelView::rebuildJumpPoints()
{
    clearLayout(m_jumpPoints);
    QWidget *owner = m_jumpPoints->parentWidget();
    m_jumpPoints->addWidget(
        makeLabel(tr("Jump Points (100 D)"), textFont(kHeadlineSize, false, true), false, owner));
    if (m_sheet.listedBodies().isEmpty()) {
        m_jumpPoints->addWidget(makeLabel(tr("No body in this system has a surface to depart from."),
                                          textFont(kCalloutSize), true, owner));
        return;
    }
    // One grid holds the tables of all stars, so that their columns line up.
    auto *tables = new QWidget(owner);
    QGridLayout *grid = makeGrid(tables);
    const bool severalStars = m_sheet.system().stars.size() > 1;
    int row = 0;
    for (const Star *star : m_sheet.starsInOrder()) {
        const QList<const WorldData *> bodies = m_sheet.surfaceBodies(*star);
        if (bodies.isEmpty())
            continue;
        if (severalStars) {
            // The title spans the table without widening it: a star's name is cut instead.
            ElidedLabel *title = elidedLabel(m_sheet.starTitle(*star),
                                             textFont(kSubheadlineSize, false, true), tables, "starTitle");
            title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            makeSecondary(title);
            // Blocks after the first stand apart by more than the rows within one.
            if (row > 0)
                title->setContentsMargins(0, kBlockGap - grid->verticalSpacing(), 0, 0);
            grid->addWidget(title, row++, 0, 1, kTableColumns + 1);
            grid->addWidget(makeDivider(tables), row++, 0, 1, kTableColumns + 1);
        }
        addThrustHeaders(grid, row++, 1);
        for (const WorldData *body : bodies) {
            const TravelRow travelRow = m_sheet.jumpClearanceRow(*body, *star);
            auto *cell = new QWidget(tables);
            auto *stack = tightLayout<QVBoxLayout>(cell, 1);
            stack->addWidget(elidedLabel(travelRow.title, textFont(13), cell, "rowTitle"));
            ElidedLabel *subtitle =
                elidedLabel(travelRow.subtitle, textFont(kCaptionSize), cell, "rowSubtitle");
            makeSecondary(subtitle);
            stack->addWidget(subtitle);
            grid->addWidget(cell, row, 0, Qt::AlignLeft);
            addTimeCells(grid, row++, 1, travelRow.distanceKm);
        }
    }
    m_jumpPoints->addWidget(tables);
}

void SystemTravelView::refreshTransit()
{
    const double distance = m_sheet.interplanetaryDistanceKm(m_picks);
    m_distance->setText(tr("Distance ") + m_sheet.bodyLabel(m_picks.from) + QStringLiteral(" \u2192 ") +
                        m_sheet.bodyLabel(m_picks.to) + QStringLiteral(" = ") +
                        TravelGeometry::formatKilometres(distance));
    auto *grid = static_cast<QGridLayout *>(m_transitTimes->layout());
    clearLayout(grid);
    addThrustHeaders(grid, 0, 0);
    addTimeCells(grid, 1, 0, distance);
}
