#include "FactionListsView.h"

#include "FactionListEditingView.h"
#include "editors/UniverseListSource.h"

FactionListsView::FactionListsView(StarfarerUniverse &universe, QWidget *parent)
    : MapObjectListView(
          new UniverseListSource<FactionList>(
              universe, {tr("Faction Lists"), tr("New Faction List"), tr("No faction lists"), true},
              &FactionListsView::row),
          {tr("No List Selected"), Symbol::flag2Crossed, tr("Choose a faction list or create a new one.")},
          [&universe](const std::optional<QUuid> &id) {
              return new FactionListEditingView(universe,
                                                id ? universe.object<FactionList>(*id) : std::nullopt);
          },
          parent)
{
    setObjectName(QStringLiteral("factionListsView"));
}

MapObjectRow FactionListsView::row(const FactionList &list)
{
    MapObjectRow row;
    row.title = list.name.isEmpty() ? tr("Unnamed List") : list.name;
    const qsizetype count = list.factionIDs.size();
    row.details = {count == 1 ? tr("1 faction") : tr("%1 factions").arg(count)};
    return row;
}
