#include "MapFilterTitles.h"

#include <algorithm>

namespace MapFilterTitles {

QString factionMenuTitle(const QSet<QUuid> &selectedIDs, const QList<FactionList> &lists,
                         const QList<Faction> &selected)
{
    if (selectedIDs.isEmpty())
        return QStringLiteral("All factions");
    for (const FactionList &list : lists) {
        if (!list.factionIDs.isEmpty() &&
            QSet<QUuid>(list.factionIDs.cbegin(), list.factionIDs.cend()) == selectedIDs)
            return listText(list);
    }
    if (selected.size() != 1)
        return QString::number(selected.size()) + QStringLiteral(" factions");
    const Faction &only = selected.constFirst();
    return only.name.isEmpty() ? QStringLiteral("Unnamed Faction") : only.shortName;
}

QString categoryMenuTitle(const QSet<QString> &hidden, const QStringList &categories)
{
    if (hidden.isEmpty())
        return QStringLiteral("All categories");
    QStringList shown;
    for (const QString &category : categories) {
        if (!hidden.contains(category))
            shown.append(category);
    }
    if (shown.size() == 1)
        return categoryText(shown.constFirst());
    return QString::number(shown.size()) + QStringLiteral(" categories");
}

QString listText(const FactionList &list)
{
    return list.name.isEmpty() ? QStringLiteral("Unnamed List") : list.name;
}

QString factionText(const Faction &faction)
{
    if (faction.name.isEmpty())
        return QStringLiteral("Unnamed Faction");
    return faction.name + QStringLiteral(" (") + faction.shortName + QLatin1Char(')');
}

QString categoryText(const QString &category)
{
    return category.isEmpty() ? QStringLiteral("Uncategorized") : category;
}

QList<Faction> sortedByName(QList<Faction> factions)
{
    std::stable_sort(factions.begin(), factions.end(), [](const Faction &a, const Faction &b) {
        return QString::localeAwareCompare(a.name.toLower(), b.name.toLower()) < 0;
    });
    return factions;
}

} // namespace MapFilterTitles
