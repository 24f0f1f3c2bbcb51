#include "WorldInfoPanel.h"

#include "ParameterView.h"
#include "UWPView.h"
#include "model/UWPDescriptions.h"
#include "model/WorldDescriptions.h"
#include "screens/WorldEditOptions.h"
#include "ui/ElidedLabel.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"
#include "ui/Tile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kNameGap = 8;

} // namespace

WorldInfoPanel::WorldInfoPanel(const WorldData &world, qint64 belts, qint64 gasGiants, double viewWidth,
                               QWidget *parent)
    : QWidget(parent), m_viewWidth(viewWidth), m_name(new ElidedLabel(QString(), this)),
      m_people(new QLabel(this)),
      m_uwp(new UWPView(world.uwp, belts, gasGiants, world, true, viewWidth, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The header spans the rows' width, padding included, so that its ends line up
    // with theirs.
    auto *header = new QWidget(this);
    header->setFixedWidth(static_cast<int>(viewWidth) + 2 * Tile::kHorizontalPadding);
    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 0, 0, 4);
    headerRow->setSpacing(0);
    m_name->setObjectName(QStringLiteral("worldName"));
    m_name->setFont(textFont(TextStyle::body, false, true));
    m_people->setObjectName(QStringLiteral("worldPeople"));
    m_people->setTextFormat(Qt::PlainText);
    makeSecondary(m_people);
    headerRow->addWidget(m_name, 1);
    // A name cut with an ellipsis keeps its distance from the people.
    headerRow->addSpacing(kNameGap);
    headerRow->addWidget(m_people);
    layout->addWidget(header);
    layout->addWidget(m_uwp);

    addRow(QT_TR_NOOP("Starport"), [](const WorldData &w) { return starportDescription(w.uwp); });
    addRow(QT_TR_NOOP("Bases"), [](const WorldData &w) { return basesText(w.uwp); });
    addRow(QT_TR_NOOP("Size"), [](const WorldData &w) { return sizeDescription(w.uwp.size); });
    m_density = new ParametersView({tr("Density")}, {}, viewWidth, this);
    layout->addWidget(m_density);
    addRow(QT_TR_NOOP("Gravity"),
           [](const WorldData &w) { return surfaceGravity(w.uwp) + QStringLiteral(" G"); });
    m_dayYear = new ParametersView({tr("Day"), tr("Year")}, {}, viewWidth, this);
    layout->addWidget(m_dayYear);
    addRow(QT_TR_NOOP("Atmosphere"),
           [](const WorldData &w) { return atmosphereDescription(w.uwp.atmosphere); });
    addRow(QT_TR_NOOP("Pressure"), [](const WorldData &w) { return atmosphericPressure(w.uwp); });
    addRow(QT_TR_NOOP("Gear Required"), [](const WorldData &w) { return requiredGear(w.uwp); });
    addRow(QT_TR_NOOP("Hydrographics"),
           [](const WorldData &w) { return hydrographicsDescription(w.uwp.hydrographics); });
    addRow(QT_TR_NOOP("Population"), [](const WorldData &w) { return populationText(w.uwp); });
    addRow(QT_TR_NOOP("Government"), [](const WorldData &w) { return governmentLongDescription(w.uwp); });
    addRow(QT_TR_NOOP("Law Level"), [](const WorldData &w) { return lawLevelDescription(w.uwp.lawLevel); });
    addRow(QT_TR_NOOP("Tech Level"), [](const WorldData &w) { return name(w.uwp.techLevel); });
    addRow(QT_TR_NOOP("Trade Classes"), WorldEditOptions::tradeClassNames);

    setWorld(world, belts, gasGiants);
}

void WorldInfoPanel::addRow(const char *title, ValueText value)
{
    auto *row = new ParameterView(tr(title), QString(), m_viewWidth, this);
    layout()->addWidget(row);
    m_rows.append({row, value});
}

void WorldInfoPanel::setWorld(const WorldData &world, qint64 belts, qint64 gasGiants)
{
    m_name->setText(displayName(world));
    m_people->setText(tr("PR: ") + description(world.prevalentRace));
    m_uwp->setValues(world.uwp, belts, gasGiants, world);
    m_density->setParameters({ParameterValue::density(world.uwp)});
    m_dayYear->setParameters({WorldEditOptions::dayText(world), formatDuration(world.yearLength)});
    for (const auto &[row, value] : std::as_const(m_rows))
        row->setParameter(value(world));
}

QString WorldInfoPanel::basesText(const UWP &uwp)
{
    QStringList entries;
    for (const Base base : allCases<Base>()) {
        if (uwp.bases.contains(base))
            entries.append(rawValue(base) + QStringLiteral(": ") + name(base));
    }
    return entries.isEmpty() ? tr("None") : entries.join(QStringLiteral(", "));
}
