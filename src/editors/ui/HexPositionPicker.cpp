#include "HexPositionPicker.h"

#include "IntegerField.h"
#include "LabeledStepper.h"
#include "SystemSearchPopup.h"
#include "editors/SystemNames.h"
#include "ui/HexTargetPicker.h"
#include "ui/LiteralText.h"
#include "ui/PlainText.h"
#include "ui/Symbol.h"
#include "universe/StarfarerUniverse.h"
#include "universe/UniverseChanges.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 80;
constexpr int kSystemMenuWidth = 180;
constexpr int kSpacing = 20;

} // namespace

HexPositionPicker::HexPositionPicker(StarfarerUniverse &universe, bool showsSystemMenu, FieldOrder order,
                                     QWidget *parent)
    : QWidget(parent), m_universe(universe)
{
    const auto sectorStepper = [this](const QString &title, const char *name) {
        auto *stepper = new LabeledStepper(
            [title](qint64 value) { return title + GalacticCoordinates::sectorXText(value); },
            HexTargetPicker::kSectorMinimum, HexTargetPicker::kSectorMaximum, this);
        stepper->setObjectName(QString::fromLatin1(name));
        return stepper;
    };
    m_sectorX = sectorStepper(tr("Sector X: "), "sectorX");
    m_sectorY = sectorStepper(tr("Sector Y: "), "sectorY");
    m_column = new IntegerField(tr("Column"), kFieldWidth, this);
    m_column->setObjectName(QStringLiteral("column"));
    m_row = new IntegerField(tr("Row"), kFieldWidth, this);
    m_row->setObjectName(QStringLiteral("row"));

    // The system button goes on a line of its own: beside the fields the row is wider
    // than an editor gets at the usual window size.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto *layout = new QHBoxLayout;
    layout->setSpacing(kSpacing);
    column->addLayout(layout);
    layout->addWidget(m_sectorX);
    layout->addWidget(m_sectorY);
    const auto addField = [this, layout](const QString &title, IntegerField *field) {
        auto *pair = new QHBoxLayout;
        pair->setSpacing(6);
        pair->addWidget(new QLabel(title, this));
        pair->addWidget(field);
        layout->addLayout(pair);
    };
    if (order == FieldOrder::columnFirst) {
        addField(tr("Column"), m_column);
        addField(tr("Row"), m_row);
    } else {
        addField(tr("Row"), m_row);
        addField(tr("Column"), m_column);
        // Tab goes through the fields in the order they stand.
        QWidget::setTabOrder(m_row, m_column);
    }

    layout->addStretch(1);

    if (showsSystemMenu) {
        m_systemButton = new QToolButton(this);
        m_systemButton->setObjectName(QStringLiteral("systemMenu"));
        m_systemButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_systemButton->setIcon(symbolIcon(Symbol::chevronUpChevronDown));
        m_systemButton->setFixedWidth(kSystemMenuWidth);
        m_systemList = new SystemSearchPopup(m_universe, this);
        connect(m_systemButton, &QToolButton::clicked, this, &HexPositionPicker::openSystemList);
        connect(m_systemList, &SystemSearchPopup::chosen, this, &HexPositionPicker::change);
        column->addWidget(m_systemButton, 0, Qt::AlignLeft);
        // The title names the system at the hex: only a change there renames it.
        UniverseChanges::onHexesAt(
            &m_universe, this, [this] { return QList<GalacticCoordinates>{m_position}; },
            [this] { refreshTitle(); });
    }

    // Each control changes one of the four values.
    const auto follow = [this](auto *control, auto changed, qint64 GalacticCoordinates::*field) {
        connect(control, changed, this, [this, field](qint64 value) {
            GalacticCoordinates next = m_position;
            next.*field = value;
            change(next);
        });
    };
    follow(m_sectorX, &LabeledStepper::valueChanged, &GalacticCoordinates::sectorX);
    follow(m_sectorY, &LabeledStepper::valueChanged, &GalacticCoordinates::sectorY);
    follow(m_column, &IntegerField::valueCommitted, &GalacticCoordinates::column);
    follow(m_row, &IntegerField::valueCommitted, &GalacticCoordinates::row);
    refresh();
}

void HexPositionPicker::setPosition(const GalacticCoordinates &position)
{
    m_position = position;
    refresh();
}

QString HexPositionPicker::systemMenuTitle() const
{
    return SystemNames::systemName(m_universe, m_position);
}

SystemSearchPopup *HexPositionPicker::openSystemList()
{
    if (m_systemList)
        m_systemList->popUp(m_systemButton, m_position);
    return m_systemList;
}

void HexPositionPicker::change(const GalacticCoordinates &position)
{
    setPosition(position);
    emit positionChanged(position);
}

void HexPositionPicker::refresh()
{
    m_sectorX->setValue(m_position.sectorX);
    m_sectorY->setValue(m_position.sectorY);
    m_column->setValue(m_position.column);
    m_row->setValue(m_position.row);
    refreshTitle();
}

void HexPositionPicker::refreshTitle()
{
    if (!m_systemButton)
        return;
    const QString title = systemMenuTitle();
    const int room = kSystemMenuWidth - m_systemButton->iconSize().width() - 24;
    m_systemButton->setText(
        literalText(m_systemButton->fontMetrics().elidedText(title, Qt::ElideRight, room)));
    m_systemButton->setToolTip(plainToolTip(title));
}
