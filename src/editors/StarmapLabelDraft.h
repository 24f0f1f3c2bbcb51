#pragma once

#include "MapObjectStore.h"
#include "universe/StarmapLabel.h"

#include <QString>
#include <QStringList>

#include <optional>

// The working copy of the star-map label editor. The form turns the label in whole
// degrees; the record holds radians, so the angle passes through degrees when the
// form is seeded and back when it is saved.
class StarmapLabelDraft
{
public:
    static constexpr double kDegreesPerRadian = 57.29577951308232;
    static constexpr double kRadiansPerDegree = 0.017453292519943295;
    static constexpr double kDefaultSize = 18.0;

    explicit StarmapLabelDraft(const std::optional<StarmapLabel> &editing = std::nullopt);

    bool isEditing() const { return m_editing.has_value(); }
    // The text, trimmed of white space and line breaks, is not empty.
    bool isComplete() const;

    // Stores the label: the text as typed, the category trimmed, the angle in radians.
    // Replaces the edited label found by id, or appends and empties the form.
    MapObjectStore::Outcome save(StarfarerUniverse &universe);
    // The create-form values; the label being edited stays.
    void reset();

    // The distinct non-empty categories of the stored labels, compared exactly and
    // sorted without regard to case.
    static QStringList existingCategories(const StarfarerUniverse &universe);
    // A size as the list and the form show it: truncated, then " pt".
    static QString sizeText(double size);
    // An angle in degrees, truncated, then "°".
    static QString degreesText(double degrees);

    QString text;
    double size = kDefaultSize;
    FactionColor color = FactionColor::white;
    double angleDegrees = 0.0;
    QString category;
    GalacticCoordinates position{0, 0, 1, 1};

private:
    std::optional<StarmapLabel> m_editing;
};
