#include "HexPositionPicker.h"

#include "IntegerField.h"
#include "LabeledStepper.h"
#include "SystemNames.h"
#include "ui/LiteralText.h"
#include "universe/StarfarerUniverse.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

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
            [title](qint64 value) { return title + GalacticCoordinates::sectorXText(value); }, kSectorMinimum,
            kSectorMaximum, this);
        stepper->setObjectName(QString::fromLatin1(name));
        return stepper;
    };
    m_sectorX = sectorStepper(tr("Sector X: "), "sectorX");
    m_sectorY = sectorStepper(tr("Sector Y: "), "sectorY");
    m_column = new IntegerField(tr("Column"), kFieldWidth, this);
    m_column->setObjectName(QStringLiteral("column"));
    m_row = new IntegerField(tr("Row"), kFieldWidth, this);
    m_row->setObjectName(QStringLiteral("row"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSpacing);
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
    }

    if (showsSystemMenu) {
        m_systemButton = new QToolButton(this);
        m_systemButton->setObjectName(QStringLiteral("systemMenu"));
        m_systemButton->setPopupMode(QToolButton::InstantPopup);
        m_systemButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
        m_systemButton->setFixedWidth(kSystemMenuWidth);
        m_systemMenu = new QMenu(m_systemButton);
        m_systemButton->setMenu(m_systemMenu);
        // Built anew each time it opens, so a system stored meanwhile is listed.
        connect(m_systemMenu, &QMenu::aboutToShow, this, &HexPositionPicker::fillSystemMenu);
        layout->addWidget(m_systemButton);
        // The title names the system at the hex, which a stored system can change.
        connect(&m_universe, &StarfarerUniverse::dataChanged, this, &HexPositionPicker::refresh);
        connect(&m_universe, &StarfarerUniverse::hexInserted, this, &HexPositionPicker::refresh);
        connect(&m_universe, &StarfarerUniverse::hexReplaced, this, &HexPositionPicker::refresh);
        connect(&m_universe, &StarfarerUniverse::hexRemoved, this, &HexPositionPicker::refresh);
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

QMenu *HexPositionPicker::systemMenu()
{
    if (m_systemMenu)
        fillSystemMenu();
    return m_systemMenu;
}

void HexPositionPicker::change(const GalacticCoordinates &position)
{
    setPosition(position);
    emit positionChanged(position);
}

void HexPositionPicker::fillSystemMenu()
{
    m_systemMenu->clear();
    QList<HexData> hexes = m_universe.data().toList();
    SystemNames::sortHexesBySystemName(hexes);
    for (const HexData &hex : std::as_const(hexes)) {
        const GalacticCoordinates coordinates = hex.coordinates;
        m_systemMenu->addAction(literalText(SystemNames::entryTitle(hex.starSystem)), this,
                                [this, coordinates] { change(coordinates); });
    }
}

void HexPositionPicker::refresh()
{
    m_sectorX->setValue(m_position.sectorX);
    m_sectorY->setValue(m_position.sectorY);
    m_column->setValue(m_position.column);
    m_row->setValue(m_position.row);
    if (m_systemButton) {
        const QString title = systemMenuTitle();
        const QString shown =
            m_systemButton->fontMetrics().elidedText(title, Qt::ElideRight, kSystemMenuWidth - 24);
        m_systemButton->setText(literalText(shown));
        m_systemButton->setToolTip(title);
    }
}
