#include "RegionsView.h"

#include "RegionEditingView.h"
#include "editors/UniverseListSource.h"
#include "ui/PaletteColor.h"

RegionsView::RegionsView(StarfarerUniverse &universe, QWidget *parent)
    : MapObjectListView(
          new UniverseListSource<Region>(universe, {tr("Regions"), tr("New Region"), tr("No regions"), true},
                                         &RegionsView::row),
          {tr("No Region Selected"), Symbol::pointTopleftDownToPointBottomrightCurvepath,
           tr("Choose a region or create a new one.")},
          [&universe](const std::optional<QUuid> &id) {
              return new RegionEditingView(universe, id ? universe.object<Region>(*id) : std::nullopt);
          },
          parent)
{
    setObjectName(QStringLiteral("regionsView"));
}

MapObjectRow RegionsView::row(const Region &region)
{
    MapObjectRow row;
    row.dot = paletteColor(region.color);
    row.title = region.name.isEmpty() ? tr("Unnamed Region") : region.name;
    const qsizetype count = region.anchors.size();
    const QString anchors = count == 1 ? tr("1 anchor") : tr("%1 anchors").arg(count);
    row.details = {tr("%1 · %2").arg(anchors, region.closed ? tr("closed") : tr("open"))};
    return row;
}
