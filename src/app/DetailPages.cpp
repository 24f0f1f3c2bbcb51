#include "DetailPages.h"

#include "PlainPage.h"
#include "editors/ui/FactionEditingView.h"
#include "editors/ui/FactionListsView.h"
#include "editors/ui/NebulaeView.h"
#include "editors/ui/RegionsView.h"
#include "editors/ui/RuttersView.h"
#include "editors/ui/StarmapLabelsView.h"
#include "import/ui/ImportTravellerMapView.h"
#include "screens/ui/StarSystemView.h"
#include "screens/ui/SystemGeneratorView.h"
#include "screens/ui/SystemListView.h"
#include "screens/ui/SystemWorldsView.h"
#include "starmap/ui/StarMapView.h"
#include "universe/StarfarerUniverse.h"

#include <QStyle>
#include <QVBoxLayout>

namespace {

using PageMaker = QWidget *(*)(const Destination &, const ScreenEnvironment &);
// Puts a kept screen back in the state a fresh one starts in.
using PageRestart = void (*)(QWidget *);

template <typename Screen> void restart(QWidget *page)
{
    // A page made without a universe is a plain page, which has nothing to restart.
    if (auto *screen = qobject_cast<Screen *>(page))
        screen->returnToStart();
}

bool travellerRules(const ScreenEnvironment &environment)
{
    return environment.universe && environment.universe->usesTravellerRules();
}

QWidget *plainPage(const Destination &destination, const ScreenEnvironment &environment)
{
    return new PlainPage(destinationTitle(destination, travellerRules(environment)));
}

// The generator sits at the top of the column, padded on every side.
QWidget *atTop(QWidget *screen)
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    const int padding = column->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(screen);
    layout->addStretch(1);
    return column;
}

QWidget *systemGenerator(const Destination &, const ScreenEnvironment &environment)
{
    return atTop(new SystemGeneratorView(environment.universe));
}

// The map card summarises a system with the system screens' star and worlds tiles.
QWidget *systemSummary(const StarSystem &starSystem, int viewWidth)
{
    auto *summary = new QWidget;
    auto *layout = new QVBoxLayout(summary);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new StarSystemView(starSystem, false, viewWidth));
    layout->addWidget(new SystemWorldsView(starSystem, viewWidth, 900, true));
    return summary;
}

QWidget *travellerMapImport(const Destination &, const ScreenEnvironment &environment)
{
    return new ImportTravellerMapView(environment.manager, environment.universe, environment.imports);
}

QWidget *systemList(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new SystemListView(environment.universe, environment.router);
}

QWidget *starMap(const Destination &, const ScreenEnvironment &environment)
{
    auto *view = new StarMapView(environment.universe, environment.router, DetailPages::kStarMapHexRadius,
                                 DetailPages::kStarMapGridPadding);
    view->setSystemSummaryFactory(systemSummary);
    return view;
}

QWidget *factionLists(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new FactionListsView(*environment.universe);
}

QWidget *nebulae(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new NebulaeView(*environment.universe);
}

QWidget *starmapLabels(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new StarmapLabelsView(*environment.universe);
}

QWidget *rutters(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new RuttersView(*environment.universe);
}

QWidget *regions(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new RegionsView(*environment.universe);
}

// "New Faction" opens the form empty; a faction row opens it on that faction.
QWidget *factionEditor(const Destination &destination, const ScreenEnvironment &environment)
{
    if (!environment.universe)
        return plainPage(destination, environment);
    return new FactionEditingView(*environment.universe, destination.faction);
}

struct PageKind
{
    PageMaker make;
    // Set for the screens kept while their universe stays open, those that cost
    // more to build the more systems or rutters there are.
    PageRestart restart = nullptr;
};

// In the order of DestinationKind.
constexpr std::array<PageKind, 11> kPageKinds{{
    {systemGenerator},
    {systemList, restart<SystemListView>},
    {travellerMapImport},
    {starMap, restart<StarMapView>},
    {rutters, restart<RuttersView>},
    {nebulae},
    {regions},
    {starmapLabels},
    {factionLists},
    {factionEditor}, // the form for a new faction
    {factionEditor}, // the editor of the faction the destination carries
}};
static_assert(kPageKinds.size() == kDestinationKinds.size());

const PageKind &pageKind(DestinationKind kind)
{
    return kPageKinds[static_cast<std::size_t>(kind)];
}

} // namespace

namespace DetailPages {

QWidget *make(const Destination &destination, const ScreenEnvironment &environment)
{
    return pageKind(destination.kind).make(destination, environment);
}

bool isKept(DestinationKind kind)
{
    return pageKind(kind).restart != nullptr;
}

void returnToStart(DestinationKind kind, QWidget *page)
{
    if (const PageRestart restart = pageKind(kind).restart)
        restart(page);
}

} // namespace DetailPages
