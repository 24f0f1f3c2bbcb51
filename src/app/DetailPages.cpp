#include "DetailPages.h"

#include "PlainPage.h"
#include "import/ui/ImportTravellerMapView.h"
#include "screens/SystemGeneratorView.h"
#include "starmap/ui/StarMapView.h"
#include "universe/StarfarerUniverse.h"

#include <QStyle>
#include <QVBoxLayout>

namespace {

using PageMaker = QWidget *(*)(const Destination &, const ScreenEnvironment &);

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

QWidget *travellerMapImport(const Destination &, const ScreenEnvironment &environment)
{
    return new ImportTravellerMapView(environment.manager, environment.universe);
}

QWidget *starMap(const Destination &, const ScreenEnvironment &environment)
{
    return new StarMapView(environment.universe, environment.router, DetailPages::kStarMapHexRadius,
                           DetailPages::kStarMapGridPadding);
}

// In the order of DestinationKind. Screens still to come show a plain page with the
// destination's title until their own maker takes its row.
constexpr std::array<PageMaker, 11> kMakers{{
    systemGenerator,
    plainPage, // the system list
    travellerMapImport, starMap,
    plainPage, // rutters
    plainPage, // nebulae
    plainPage, // regions
    plainPage, // star-map labels
    plainPage, // faction lists
    plainPage, // the form for a new faction
    plainPage, // the editor of the faction the destination carries
}};
static_assert(kMakers.size() == kDestinationKinds.size());

} // namespace

namespace DetailPages {

QWidget *make(const Destination &destination, const ScreenEnvironment &environment)
{
    return kMakers[static_cast<std::size_t>(destination.kind)](destination, environment);
}

} // namespace DetailPages
