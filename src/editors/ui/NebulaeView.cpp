#include "NebulaeView.h"

#include "NebulaEditingView.h"
#include "editors/NebulaDraft.h"
#include "editors/UniverseListSource.h"
#include "starmap/NebulaLayer.h"

NebulaeView::NebulaeView(StarfarerUniverse &universe, QWidget *parent)
    : MapObjectListView(
          new UniverseListSource<Nebula>(universe, {tr("Nebulae"), tr("New Nebula"), tr("No nebulae"), true},
                                         &NebulaeView::row),
          {tr("No Nebula Selected"), Symbol::pointTopleftDownToPointBottomrightCurvepath,
           tr("Choose a nebula or create a new one.")},
          [&universe](const std::optional<QUuid> &id) {
              return new NebulaEditingView(universe, id ? universe.object<Nebula>(*id) : std::nullopt);
          },
          parent)
{
    setObjectName(QStringLiteral("nebulaeView"));
}

MapObjectRow NebulaeView::row(const Nebula &nebula)
{
    MapObjectRow row;
    // The list shows each type in the colour the map draws its clouds in.
    row.dot = NebulaLayer::colorOf(nebula.type);
    row.title = nebula.name.isEmpty() ? tr("Unnamed Nebula") : nebula.name;
    row.details = {displayText(nebula.type), NebulaDraft::hexCountText(nebula.hexes.size())};
    return row;
}
