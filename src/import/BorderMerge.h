#pragma once

#include "ImportedRegion.h"
#include "universe/Region.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

// The geometry of the borders step, apart from the document: which stored regions of
// a border's name it merges with, and the outlines that take their place. Plain
// values in and out, safe on any thread, so that the tracing runs on the worker that
// converts the service's answers instead of on the GUI thread.
namespace TravellerMapImporter {

// One border merged with the regions of its name.
struct BorderMerge
{
    // The same-name regions it merges with and replaces, by their places among the
    // regions of that name, ascending. A region too large to scan is neither merged
    // nor listed.
    QList<qsizetype> replaced;
    // One closed region per connected piece of the merged area, each with a new id,
    // the border's name and its label position; the colour is the applier's to set.
    // None when the merge gives no outline: then nothing changes for this border.
    QList<Region> outlines;

    // The positions in `regions` of the replaced regions of `name`, ascending.
    QList<qsizetype> replacedPositions(const QList<Region> &regions, const QString &name) const;
};

// Merges `border` with the regions of its name among `regions`.
BorderMerge mergeBorder(const QList<Region> &regions, const ImportedRegion &border);

// The borders of one import merged ahead of time, in order, each against the regions
// as the borders before it left them, starting from the stored regions of one moment
// (the outlines of a border are then stored under the ids chosen here, so that a later
// border of the same name finds them). Names are independent of each other: the
// merges of a name hold only while the stored regions of that name are exactly what
// they were at that moment.
class PlannedBorders
{
public:
    PlannedBorders() = default;
    PlannedBorders(const QList<Region> &stored, const QList<ImportedRegion> &borders);

    // Whether the regions named `name` among `regions` are still those the merges of
    // that name started from.
    bool holdsFor(const QString &name, const QList<Region> &regions) const;
    // The merge planned for border number `index`; null when there is none.
    const BorderMerge *merge(qsizetype index) const;

private:
    QHash<QString, QList<Region>> m_basis; // by name: the stored regions of that name
    QList<BorderMerge> m_merges;           // one per border
};

} // namespace TravellerMapImporter
