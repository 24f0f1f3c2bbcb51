#include "StarmapLabelsView.h"

#include "StarmapLabelEditingView.h"
#include "editors/StarmapLabelDraft.h"
#include "editors/UniverseListSource.h"
#include "ui/PaletteColor.h"

StarmapLabelsView::StarmapLabelsView(StarfarerUniverse &universe, QWidget *parent)
    : MapObjectListView(
          new UniverseListSource<StarmapLabel>(
              universe, {tr("Labels"), tr("New Label"), tr("No labels"), true}, &StarmapLabelsView::row),
          {tr("No Label Selected"), Symbol::textformat, tr("Choose a label or create a new one.")},
          [&universe](const std::optional<QUuid> &id) {
              return new StarmapLabelEditingView(universe,
                                                 id ? universe.object<StarmapLabel>(*id) : std::nullopt);
          },
          parent)
{
    setObjectName(QStringLiteral("starmapLabelsView"));
}

MapObjectRow StarmapLabelsView::row(const StarmapLabel &label)
{
    MapObjectRow row;
    row.dot = paletteColor(label.color);
    row.title = label.text.isEmpty() ? tr("Unnamed Label") : label.text;
    QString details =
        label.position.description() + QStringLiteral(" · ") + StarmapLabelDraft::sizeText(label.size);
    if (!label.category.isEmpty())
        details += QStringLiteral(" · ") + label.category;
    row.details = {details};
    return row;
}
