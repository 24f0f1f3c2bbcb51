#include "SystemWorldsModel.h"

#include "model/WorldDescriptions.h"

#include <algorithm>

SystemWorldsModel::SystemWorldsModel(QObject *parent) : QAbstractListModel(parent) {}

QList<WorldData> SystemWorldsModel::orderedWorlds(const Star &star)
{
    QList<WorldData> worlds = star.worlds;
    std::stable_sort(worlds.begin(), worlds.end(), [](const WorldData &a, const WorldData &b) {
        const int orbitA = rawValue(a.sunOrbit);
        const int orbitB = rawValue(b.sunOrbit);
        if (orbitA != orbitB)
            return orbitA < orbitB;
        return rawValue(a.satelliteOrbit) < rawValue(b.satelliteOrbit);
    });
    return worlds;
}

int SystemWorldsModel::profileWidth(const StarSystem &starSystem)
{
    qsizetype widest = 0;
    for (const WorldData &world : starSystem.allWorlds())
        widest = std::max(widest, mainWorldUWPLine(starSystem, world).size());
    return static_cast<int>(widest);
}

void SystemWorldsModel::setStarSystem(const StarSystem &starSystem, bool compact)
{
    beginResetModel();
    m_entries.clear();
    const bool headings = starSystem.stars.size() >= 2;
    const int width = profileWidth(starSystem);
    for (qsizetype i = 0; i < starSystem.stars.size(); ++i) {
        const Star &star = starSystem.stars.at(i);
        if (headings) {
            Entry heading;
            heading.heading = true;
            heading.companion = i > 0;
            heading.headingText = (i == 0 ? tr("Primary") : tr("Companion")) + QStringLiteral(" \u2014 ") +
                                  star.classification();
            m_entries.append(heading);
        }
        for (const WorldData &world : orderedWorlds(star)) {
            Entry row;
            row.row = WorldRowView(world, starSystem.planetoidBelts, starSystem.gasGiant, width, compact);
            m_entries.append(row);
        }
    }
    endResetModel();
}

int SystemWorldsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

const SystemWorldsModel::Entry *SystemWorldsModel::entry(int row) const
{
    if (row < 0 || row >= m_entries.size())
        return nullptr;
    return &m_entries.at(row);
}

QVariant SystemWorldsModel::data(const QModelIndex &index, int role) const
{
    const Entry *item = index.isValid() ? entry(index.row()) : nullptr;
    if (!item)
        return {};
    switch (role) {
    case Qt::DisplayRole: return item->heading ? item->headingText : item->row.nameText();
    case Qt::ToolTipRole: return item->heading ? QVariant() : QVariant(item->row.profileText().trimmed());
    case HeadingRole: return item->heading;
    case WorldIdRole: return item->heading ? QVariant() : QVariant(item->row.world().id);
    default: return {};
    }
}
