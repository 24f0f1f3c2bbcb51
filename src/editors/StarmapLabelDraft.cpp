#include "StarmapLabelDraft.h"

#include <QCollator>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncates towards zero. A stored value beyond the 64-bit range stops at its end
// rather than overflowing; a value that is not a number reads 0.
qint64 truncated(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double limit = 9223372036854775807.0; // 2^63
    if (value >= limit)
        return std::numeric_limits<qint64>::max();
    if (value <= -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(value);
}

} // namespace

StarmapLabelDraft::StarmapLabelDraft(const std::optional<StarmapLabel> &editing) : m_editing(editing)
{
    if (editing) {
        text = editing->text;
        size = editing->size;
        color = editing->color;
        angleDegrees = editing->angle * kDegreesPerRadian;
        category = editing->category;
        position = editing->position;
    }
}

bool StarmapLabelDraft::isComplete() const
{
    return !text.trimmed().isEmpty();
}

MapObjectStore::Outcome StarmapLabelDraft::save(StarfarerUniverse &universe)
{
    StarmapLabel built;
    built.id = m_editing ? m_editing->id : QUuid::createUuid();
    built.text = text;
    built.size = size;
    built.color = color;
    built.angle = angleDegrees * kRadiansPerDegree;
    built.position = position;
    built.category = category.trimmed();
    return MapObjectStore::storeFromEditor(universe, built, m_editing, [this] { reset(); });
}

void StarmapLabelDraft::reset()
{
    text.clear();
    size = kDefaultSize;
    color = FactionColor::white;
    angleDegrees = 0.0;
    category.clear();
    position = GalacticCoordinates{0, 0, 1, 1};
}

QStringList StarmapLabelDraft::existingCategories(const StarfarerUniverse &universe)
{
    QStringList categories;
    for (const StarmapLabel &label : universe.starmapLabels()) {
        if (!label.category.isEmpty() && !categories.contains(label.category))
            categories.append(label.category);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(categories.begin(), categories.end(),
                     [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return categories;
}

QString StarmapLabelDraft::sizeText(double size)
{
    return QObject::tr("%1 pt").arg(truncated(size));
}

QString StarmapLabelDraft::degreesText(double degrees)
{
    return QStringLiteral("%1°").arg(truncated(degrees));
}
