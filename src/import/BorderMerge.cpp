#include "BorderMerge.h"

namespace TravellerMapImporter {

namespace {

QList<Region> namedRegions(const QList<Region> &regions, const QString &name)
{
    QList<Region> named;
    for (const Region &region : regions) {
        if (region.name == name)
            named.append(region);
    }
    return named;
}

} // namespace

QList<qsizetype> BorderMerge::replacedPositions(const QList<Region> &regions, const QString &name) const
{
    QList<qsizetype> positions;
    qsizetype named = 0;
    for (qsizetype i = 0; i < regions.size() && positions.size() < replaced.size(); ++i) {
        if (regions[i].name == name && replaced[positions.size()] == named++)
            positions.append(i);
    }
    return positions;
}

BorderMerge mergeBorder(const QList<Region> &regions, const ImportedRegion &border)
{
    BorderMerge merge;
    QList<CellSet> merging;
    qsizetype named = 0;
    for (const Region &region : regions) {
        if (region.name != border.name)
            continue;
        // Regions too large to scan are left as they are, neither merged nor removed.
        if (auto cells = cellsEnclosedBy(region)) {
            merging.append(std::move(*cells));
            merge.replaced.append(named);
        }
        ++named;
    }
    for (const AnchorList &anchors : buildRegionShapes(border.cells, merging))
        merge.outlines.append(Region{QUuid::createUuid(), border.name, FactionColor::red, anchors, true,
                                     border.labelCoordinates});
    return merge;
}

PlannedBorders::PlannedBorders(const QList<Region> &stored, const QList<ImportedRegion> &borders)
{
    QList<Region> regions = stored;
    for (const ImportedRegion &border : borders) {
        if (!m_basis.contains(border.name))
            m_basis.insert(border.name, namedRegions(stored, border.name));
        BorderMerge merge = mergeBorder(regions, border);
        if (!merge.outlines.isEmpty()) {
            const QList<qsizetype> gone = merge.replacedPositions(regions, border.name);
            for (auto position = gone.crbegin(); position != gone.crend(); ++position)
                regions.removeAt(*position);
            regions.append(merge.outlines);
        }
        m_merges.append(std::move(merge));
    }
}

bool PlannedBorders::holdsFor(const QString &name, const QList<Region> &regions) const
{
    const auto basis = m_basis.constFind(name);
    return basis != m_basis.cend() && namedRegions(regions, name) == *basis;
}

const BorderMerge *PlannedBorders::merge(qsizetype index) const
{
    return index >= 0 && index < m_merges.size() ? &m_merges[index] : nullptr;
}

} // namespace TravellerMapImporter
