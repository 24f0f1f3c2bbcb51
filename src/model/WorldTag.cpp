#include "WorldTag.h"

#include "CapitalizedWords.h"

#include <QLocale>

#include <algorithm>

namespace {

QString sortKey(WorldTag tag)
{
    return QLocale().toLower(rawValue(tag));
}

} // namespace

bool sortsBefore(WorldTag a, WorldTag b)
{
    return sortKey(a) < sortKey(b);
}

QList<WorldTag> tags(WorldTagCategory category)
{
    // Each tag's key is computed once rather than at every comparison.
    QList<std::pair<QString, WorldTag>> keyed;
    for (const WorldTag tag : allCases<WorldTag>()) {
        if (::category(tag) == category)
            keyed.append({sortKey(tag), tag});
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<WorldTag> result;
    result.reserve(keyed.size());
    for (const auto &entry : keyed)
        result.append(entry.second);
    return result;
}

QString tagTitle(WorldTag tag)
{
    if (isGovernmentType(tag))
        return rawValue(tag);
    return capitalizedWords(rawValue(tag).replace(QLatin1Char('-'), QLatin1Char(' ')));
}
