#include "SystemNames.h"

#include "universe/StarfarerUniverse.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>

namespace SystemNames {

QString systemName(const StarfarerUniverse &universe, qint64 sectorX, qint64 sectorY, qint64 column,
                   qint64 row)
{
    return systemName(universe, GalacticCoordinates{sectorX, sectorY, column, row});
}

QString systemName(const StarfarerUniverse &universe, const GalacticCoordinates &hex)
{
    const std::optional<HexData> stored = universe.hexData(hex);
    if (!stored)
        return QCoreApplication::translate("SystemNames", "Unknown");
    return entryTitle(stored->starSystem);
}

QString entryTitle(const StarSystem &system)
{
    if (system.name.isEmpty())
        return QCoreApplication::translate("SystemNames", "Unnamed System");
    return system.name;
}

QList<qsizetype> orderBySystemName(const HexList &hexes)
{
    // Keys are made once per hex, not once per comparison.
    const QLocale locale;
    QList<std::pair<QList<uint>, qsizetype>> keys;
    keys.reserve(hexes.size());
    for (qsizetype i = 0; i < hexes.size(); ++i) {
        const QString lowered = locale.toLower(hexes.at(i).starSystem.name);
        keys.append({lowered.normalized(QString::NormalizationForm_C).toUcs4(), i});
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<qsizetype> order;
    order.reserve(keys.size());
    for (const auto &key : keys)
        order.append(key.second);
    return order;
}

} // namespace SystemNames
