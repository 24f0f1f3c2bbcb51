#include "DetailPages.h"

#include "PlainPage.h"
#include "screens/SystemGeneratorView.h"
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

QWidget *systemList(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

QWidget *travellerMapImport(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

// To be made with DetailPages::kStarMapHexRadius and kStarMapGridPadding.
QWidget *starMap(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

QWidget *rutters(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

QWidget *nebulae(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

QWidget *regions(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

QWidget *starmapLabels(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

QWidget *factionLists(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

// The form for a new faction (no faction to edit).
QWidget *newFaction(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

// The form that edits the faction the destination carries, seeded from that value.
QWidget *factionEditor(const Destination &destination, const ScreenEnvironment &environment)
{
    return plainPage(destination, environment);
}

// In the order of DestinationKind.
constexpr std::array<PageMaker, 11> kMakers{{
    systemGenerator,
    systemList,
    travellerMapImport,
    starMap,
    rutters,
    nebulae,
    regions,
    starmapLabels,
    factionLists,
    newFaction,
    factionEditor,
}};
static_assert(kMakers.size() == kDestinationKinds.size());

} // namespace

namespace DetailPages {

QWidget *make(const Destination &destination, const ScreenEnvironment &environment)
{
    return kMakers[static_cast<std::size_t>(destination.kind)](destination, environment);
}

} // namespace DetailPages
