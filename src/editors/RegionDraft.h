#pragma once

#include "MapObjectStore.h"
#include "universe/Region.h"

#include <QList>

#include <optional>

class StarfarerUniverse;

// The working copy of the region editor: name, colour, loop flag, the ordered
// anchors, the hex and corner of the next anchor, and the optional label hex. The
// next-anchor fields are never seeded from a region; the label hex is kept while
// the custom position is off but stored only while it is on.
class RegionDraft
{
public:
    static constexpr qint64 kCornerCount = 6;

    explicit RegionDraft(const std::optional<Region> &editing = std::nullopt);

    bool isEditing() const { return m_editing.has_value(); }
    // A border needs at least two anchors.
    bool isComplete() const { return anchors.size() >= 2; }

    // Appends the next anchor as it stands, repeats and any position included.
    void addAnchor();
    void deleteAnchor(qsizetype position);
    void deleteAnchors(QList<qsizetype> positions);
    // Moves the anchors at `positions` to before the anchor at `destination` (the end
    // when it equals the count), keeping their order among themselves.
    void moveAnchors(QList<qsizetype> positions, qsizetype destination);

    // Replaces the edited region found by id, or appends and empties the form.
    MapObjectStore::Outcome save(StarfarerUniverse &universe);
    void resetForm();

    QString name;
    FactionColor color = FactionColor::white;
    bool closed = false;
    QList<RegionAnchor> anchors;
    GalacticCoordinates next;
    qint64 corner = 0;
    bool useCustomLabel = false;
    GalacticCoordinates label;

private:
    std::optional<Region> m_editing;
};
