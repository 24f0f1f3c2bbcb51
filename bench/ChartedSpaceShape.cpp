#include "ChartedSpaceShape.h"

#include "SeededSource.h"
#include "SyntheticSector.h"
#include "SyntheticSystems.h"
#include "import/ImportConversion.h"
#include "model/HexLayout.h"
#include "universe/StarfarerUniverse.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPoint>
#include <QSet>
#include <QtConcurrent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace ChartedSpaceShape {

namespace {

using TravellerMapImporter::SectorPosition;

constexpr int kAcross = 15;
constexpr int kDown = 14;
constexpr int kColumns = 32;
constexpr int kRows = 40;
constexpr int kHexes = kColumns * kRows;
constexpr int kMostPerSector = 600;
constexpr int kRoutes = 6800;
constexpr int kCrossingRoutes = kRoutes / 10;
constexpr int kRouteReach = 4; // the longest jump of a route, in hexes
constexpr int kBesideWorlds = 440;

// Allegiances by number: the polity of 28 whole sectors, the polity of 15 pieces,
// polities of a few whole sectors, small states of one disc each, and the codes of
// worlds outside every border.
constexpr int kLargePolity = 0;
constexpr int kFifteenPieces = 1;
constexpr int kFirstMedium = 2;
constexpr int kMediumPolities = 12;
constexpr int kFirstSmall = kFirstMedium + kMediumPolities;
constexpr int kSmallStates = 362;
constexpr int kFirstUnbordered = kFirstSmall + kSmallStates;
constexpr int kUnbordered = 44;
constexpr int kAllegiances = kFirstUnbordered + kUnbordered;

// A number in [0, 1) that depends on the arguments only.
double unit(quint64 a, quint64 b = 0, quint64 c = 0)
{
    quint64 x = a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull ^
                (c + 0x85EBCA77C2B2AE63ull) * 0x94D049BB133111EBull;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return double(x >> 11) * 0x1.0p-53;
}

// A whole number from `low` to `high`, both included, that depends on the seeds only.
int between(int low, int high, quint64 a, quint64 b, quint64 c)
{
    return low + int(unit(a, b, c) * (high - low + 1));
}

QString code(int allegiance)
{
    return QStringLiteral("C%1").arg(allegiance, 3, 10, QLatin1Char('0'));
}

// A disc of hexes of one allegiance, inside one sector.
struct Blob
{
    int column = 0;
    int row = 0;
    int radius = 0;
    int allegiance = 0;
};

struct PlannedSector
{
    int i = 0; // column of the block, from the left
    int j = 0; // row of the block, from the top
    int number = 0;
    int worlds = 0;
    int wholeAllegiance = -1; // a polity that holds every hex
    QList<Blob> blobs;
    QList<QPoint> hexes;       // (column, row) of each world, in hex order
    std::vector<int> occupant; // per hex (row − 1) × 32 + column − 1: its world, or −1
    int firstWorld = 0;        // the number of its first world among all

    SectorPosition position() const { return {i - 7, 6 - j}; }
    GalacticCoordinates at(const QPoint &hex) const { return {position().x, position().y, hex.x(), hex.y()}; }
};

struct Plan
{
    QList<PlannedSector> sectors;
    PlannedSector beside; // the sector beside the polity of 15 pieces, off the block
    QHash<int, int> indexAt;
    QStringList names; // of the allegiances, by number

    const PlannedSector *sectorAt(int i, int j) const
    {
        const auto found = indexAt.constFind(i * 100 + j);
        return found == indexAt.cend() ? nullptr : &sectors[*found];
    }
    PlannedSector *sectorAt(int i, int j)
    {
        return const_cast<PlannedSector *>(std::as_const(*this).sectorAt(i, j));
    }
};

// The block's corners are left out, five cells at each.
bool leftOut(int i, int j)
{
    const int a = std::min(i, kAcross - 1 - i), b = std::min(j, kDown - 1 - j);
    return a + b <= 1 || (a + b == 2 && a >= 1);
}

// A diagonal band of the upper right, nearly empty, a third of it quite.
bool inRift(int i, int j)
{
    return (i - j == 8 || i - j == 9) && j <= 6;
}

bool inLargePolity(int i, int j)
{
    return i >= 3 && i < 10 && j >= 4 && j < 8;
}

// How many worlds a sector has, relatively: most in the middle of the block.
double density(int i, int j)
{
    const double dx = (i - 7.0) / 7.5, dy = (j - 6.5) / 7.0;
    const double weight = std::exp(-1.6 * (dx * dx + dy * dy)) * (0.75 + 0.5 * unit(i, j, 1));
    if (inRift(i, j))
        return (i + j) % 3 == 0 ? 0.0 : 0.03 * weight;
    return weight;
}

// kSystems worlds in all, none over kMostPerSector in a sector.
void countWorlds(QList<PlannedSector> &sectors)
{
    const auto countsAt = [&sectors](double scale) {
        int sum = 0;
        for (PlannedSector &sector : sectors) {
            sector.worlds = std::min(kMostPerSector, int(density(sector.i, sector.j) * scale));
            sum += sector.worlds;
        }
        return sum;
    };
    double low = 0, high = 1e6;
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2;
        (countsAt(middle) < kSystems ? low : high) = middle;
    }
    int missing = kSystems - countsAt(low);
    for (qsizetype k = 0; missing > 0; k = (k + 1) % sectors.size()) {
        PlannedSector &sector = sectors[k];
        if (sector.worlds > 0 && sector.worlds < kMostPerSector) {
            ++sector.worlds;
            --missing;
        }
    }
}

// The sectors in an order that depends on `salt` only.
QList<PlannedSector *> shuffled(QList<PlannedSector> &sectors, quint64 salt,
                                const std::function<bool(const PlannedSector &)> &wanted)
{
    QList<PlannedSector *> chosen;
    for (PlannedSector &sector : sectors) {
        if (wanted(sector))
            chosen.append(&sector);
    }
    std::sort(chosen.begin(), chosen.end(), [salt](const PlannedSector *a, const PlannedSector *b) {
        return unit(a->i, a->j, salt) < unit(b->i, b->j, salt);
    });
    return chosen;
}

bool isOpen(const PlannedSector &sector)
{
    return sector.wholeAllegiance < 0 && sector.blobs.isEmpty() && !inRift(sector.i, sector.j);
}

// Polities of a few whole sectors: each grows from a sector into up to three of its
// neighbours.
void drawMediumPolities(Plan &plan)
{
    int polity = kFirstMedium;
    for (PlannedSector *seed : shuffled(plan.sectors, 3, isOpen)) {
        if (polity == kFirstSmall)
            break;
        if (!isOpen(*seed))
            continue;
        seed->wholeAllegiance = polity;
        int more = 1 + polity % 3;
        for (const QPoint step : {QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0), QPoint(0, -1)}) {
            PlannedSector *next = plan.sectorAt(seed->i + step.x(), seed->j + step.y());
            if (more > 0 && next && isOpen(*next)) {
                next->wholeAllegiance = polity;
                --more;
            }
        }
        ++polity;
    }
}

void drawBorders(Plan &plan)
{
    for (PlannedSector &sector : plan.sectors) {
        if (inLargePolity(sector.i, sector.j))
            sector.wholeAllegiance = kLargePolity;
    }
    // One disc in each of 15 rim sectors of the lower right, well inside its edges, so
    // that no two touch.
    const auto rim = shuffled(plan.sectors, 2, [](const PlannedSector &s) { return s.i >= 10 && s.j >= 8; });
    for (int k = 0; k < 15; ++k) {
        PlannedSector &sector = *rim[k];
        sector.blobs.append({between(12, 20, sector.number, 1, 2), between(15, 25, sector.number, 2, 2),
                             between(5, 8, sector.number, 3, 2), kFifteenPieces});
    }
    drawMediumPolities(plan);
    // Small states: a disc in each quarter of the sectors still open.
    int state = kFirstSmall;
    for (PlannedSector *sector : shuffled(plan.sectors, 4, isOpen)) {
        for (int quarter = 0; quarter < 4 && state < kFirstUnbordered; ++quarter) {
            const int n = sector->number;
            sector->blobs.append({(quarter % 2 ? 24 : 8) + between(-1, 1, n, quarter, 5),
                                  (quarter / 2 ? 30 : 10) + between(-2, 2, n, quarter, 6),
                                  between(2, 5, n, quarter, 7), state++});
        }
    }
}

// Chooses the sector's hexes, its subsectors unevenly filled: each hex draws a key
// that its subsector's weight raises, and the highest keys win.
void placeWorlds(PlannedSector &sector)
{
    std::vector<std::pair<double, int>> keys;
    keys.reserve(kHexes);
    for (int hex = 0; hex < kHexes; ++hex) {
        const int subsector = (hex % kColumns) / 8 + 4 * ((hex / kColumns) / 10);
        const double weight = 0.05 + std::pow(unit(sector.number, subsector, 8), 2);
        keys.emplace_back(std::log(unit(sector.number, hex, 9) + 1e-12) / weight, hex);
    }
    std::partial_sort(keys.begin(), keys.begin() + sector.worlds, keys.end(), std::greater<>());
    std::vector<int> chosen;
    for (int k = 0; k < sector.worlds; ++k)
        chosen.push_back(keys[k].second);
    std::sort(chosen.begin(), chosen.end());
    sector.occupant.assign(kHexes, -1);
    for (const int hex : chosen) {
        sector.occupant[hex] = int(sector.hexes.size());
        sector.hexes.append(QPoint(hex % kColumns + 1, hex / kColumns + 1));
    }
}

qint64 hexDistance(const QPoint &a, const QPoint &b)
{
    return HexLayout::distance({0, 0, a.x(), a.y()}, {0, 0, b.x(), b.y()});
}

int allegianceOf(const PlannedSector &sector, const QPoint &hex)
{
    if (sector.wholeAllegiance >= 0)
        return sector.wholeAllegiance;
    for (const Blob &blob : sector.blobs) {
        if (hexDistance(hex, QPoint(blob.column, blob.row)) <= blob.radius)
            return blob.allegiance;
    }
    const int subsector = (hex.x() - 1) / 8 + 4 * ((hex.y() - 1) / 10);
    return kFirstUnbordered + int(unit(sector.number, subsector, 10) * kUnbordered);
}

// Unique names of the allegiances, the bordered ones told apart by a word.
QStringList allegianceNames()
{
    static const char *const kinds[] = {"Realm", "League", "Worlds", "Compact", "Reach", "Union"};
    QStringList names;
    QSet<QString> taken;
    for (int k = 0; k < kAllegiances; ++k) {
        QString name;
        for (quint32 seed = 4000000u + quint32(k) * 64u; name.isEmpty() || taken.contains(name); ++seed)
            name = syntheticName(seed) + QLatin1Char(' ') + QLatin1StringView(kinds[k % 6]);
        taken.insert(name);
        names.append(name);
    }
    return names;
}

Plan makePlan()
{
    Plan plan;
    for (int j = 0; j < kDown; ++j) {
        for (int i = 0; i < kAcross; ++i) {
            if (leftOut(i, j))
                continue;
            PlannedSector sector;
            sector.i = i;
            sector.j = j;
            sector.number = int(plan.sectors.size());
            plan.indexAt.insert(i * 100 + j, sector.number);
            plan.sectors.append(sector);
        }
    }
    countWorlds(plan.sectors);
    drawBorders(plan);
    int first = 0;
    for (PlannedSector &sector : plan.sectors) {
        sector.firstWorld = first;
        first += sector.worlds;
        placeWorlds(sector);
    }
    plan.beside.i = 13;
    plan.beside.j = 12;
    Q_ASSERT(leftOut(plan.beside.i, plan.beside.j));
    plan.beside.number = int(plan.sectors.size());
    plan.beside.worlds = kBesideWorlds;
    plan.beside.firstWorld = first;
    plan.beside.blobs = {{6, 20, 4, kFifteenPieces}};
    placeWorlds(plan.beside);
    plan.names = allegianceNames();
    return plan;
}

const Plan &plan()
{
    static const Plan made = makePlan();
    return made;
}

// The nearest world of `to` within a route's reach of `from`, not `from` itself.
std::optional<QPoint> nearestWorld(const GalacticCoordinates &from, const PlannedSector &to)
{
    const GalacticCoordinates origin = to.at(QPoint(1, 1));
    const qint64 column = HexLayout::galacticColumn(from) - HexLayout::galacticColumn(origin);
    const qint64 row = HexLayout::galacticRow(from) - HexLayout::galacticRow(origin);
    std::optional<QPoint> best;
    qint64 bestDistance = kRouteReach + 1;
    for (qint64 c = std::max<qint64>(0, column - kRouteReach);
         c <= std::min<qint64>(kColumns - 1, column + kRouteReach); ++c) {
        for (qint64 r = std::max<qint64>(0, row - kRouteReach);
             r <= std::min<qint64>(kRows - 1, row + kRouteReach); ++r) {
            if (to.occupant[std::size_t(r * kColumns + c)] < 0)
                continue;
            const QPoint hex(int(c) + 1, int(r) + 1);
            const qint64 distance = HexLayout::distance(from, to.at(hex));
            if (distance > 0 && distance < bestDistance) {
                best = hex;
                bestDistance = distance;
            }
        }
    }
    return best;
}

QList<TravellerMapImporter::MetaRoute> routesOf(const Plan &plan, const PlannedSector &sector)
{
    using TravellerMapImporter::MetaRoute;
    int within = int(std::lround(double(sector.worlds) * (kRoutes - kCrossingRoutes) / kSystems));
    int crossing = int(std::lround(double(sector.worlds) * kCrossingRoutes / kSystems));
    std::vector<int> order(std::size_t(sector.worlds));
    for (int k = 0; k < sector.worlds; ++k)
        order[std::size_t(k)] = k;
    std::sort(order.begin(), order.end(),
              [&sector](int a, int b) { return unit(sector.number, a, 11) < unit(sector.number, b, 11); });
    QSet<QPair<int, int>> joined;
    QList<MetaRoute> routes;
    const auto add = [&](const QPoint &start, const QPoint &end, int endOffsetX, int endOffsetY) {
        MetaRoute route;
        route.start = hexText(start.x(), start.y());
        route.end = hexText(end.x(), end.y());
        route.endOffsetX = endOffsetX;
        route.endOffsetY = endOffsetY;
        route.allegiance = code(allegianceOf(sector, start));
        if (routes.size() % 5 == 0)
            route.width = 2;
        routes.append(route);
    };
    for (const int k : order) {
        const QPoint hex = sector.hexes[k];
        if (within > 0) {
            if (const auto end = nearestWorld(sector.at(hex), sector)) {
                const int other = sector.occupant[std::size_t((end->y() - 1) * kColumns + end->x() - 1)];
                if (!joined.contains({std::min(k, other), std::max(k, other)})) {
                    joined.insert({std::min(k, other), std::max(k, other)});
                    add(hex, *end, 0, 0);
                    --within;
                }
            }
        }
        // Into the sector to the right or below (the service's Y grows downwards).
        const bool right = hex.x() > kColumns - kRouteReach, below = hex.y() > kRows - kRouteReach;
        const PlannedSector *next = plan.sectorAt(sector.i + (right ? 1 : 0), sector.j + (right ? 0 : 1));
        if (crossing > 0 && (right || below) && next) {
            if (const auto end = nearestWorld(sector.at(hex), *next)) {
                add(hex, *end, right ? 1 : 0, right ? 0 : 1);
                --crossing;
            }
        }
    }
    return routes;
}

QString ringPath(const Blob &blob)
{
    QStringList hexes;
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            if (hexDistance(QPoint(column, row), QPoint(blob.column, blob.row)) == blob.radius)
                hexes.append(hexText(column, row));
        }
    }
    return hexes.join(QLatin1Char(' '));
}

QString sectorEdgePath()
{
    QStringList hexes;
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            if (column == 1 || column == kColumns || row == 1 || row == kRows)
                hexes.append(hexText(column, row));
        }
    }
    return hexes.join(QLatin1Char(' '));
}

QList<TravellerMapImporter::MetaBorder> bordersOf(const PlannedSector &sector)
{
    QList<TravellerMapImporter::MetaBorder> borders;
    if (sector.wholeAllegiance >= 0)
        borders.append({sectorEdgePath(), code(sector.wholeAllegiance), {}, QStringLiteral("1620"), {}});
    for (const Blob &blob : sector.blobs)
        borders.append({ringPath(blob), code(blob.allegiance), {}, hexText(blob.column, blob.row), {}});
    return borders;
}

SectorAnswers answersFor(const Plan &plan, const PlannedSector &sector)
{
    SectorAnswers answers;
    answers.position = sector.position();
    answers.name = syntheticName(2000000u + quint32(sector.number));

    QList<SyntheticWorldRow> rows;
    QHash<int, int> worldsInSubsector;
    for (qsizetype k = 0; k < sector.hexes.size(); ++k) {
        const QPoint hex = sector.hexes[k];
        const int world = sector.firstWorld + int(k);
        rows.append(
            {hex.x(), hex.y(), syntheticName(quint32(world)), code(allegianceOf(sector, hex)), world});
        ++worldsInSubsector[(hex.x() - 1) / 8 + 4 * ((hex.y() - 1) / 10)];
    }
    answers.worlds = sectorText(rows);

    TravellerMapImporter::SectorMetadata metadata;
    metadata.names = {{answers.name}};
    metadata.routes = routesOf(plan, sector);
    if (sector.number % 5 == 0) {
        const int hex = between(0, kHexes - 1, sector.number, 1, 12);
        metadata.labels.append({syntheticName(2500000u + quint32(sector.number)),
                                hexText(hex % kColumns + 1, hex / kColumns + 1), QStringLiteral("#ff8000"),
                                sector.number % 2 ? QStringLiteral("large") : QStringLiteral("small")});
    }
    // Subsectors of one world or none go unnamed.
    for (int subsector = 0; subsector < 16; ++subsector) {
        if (worldsInSubsector.value(subsector) > 1)
            metadata.subsectors.append({syntheticName(3000000u + quint32(sector.number * 16 + subsector)),
                                        QString(QChar(u'A' + subsector))});
    }
    metadata.borders = bordersOf(sector);
    answers.metadata = metadataJson(metadata);
    return answers;
}

} // namespace

QList<SectorAnswers> sectors()
{
    const Plan &made = plan();
    return QtConcurrent::blockingMapped<QList<SectorAnswers>>(
        made.sectors, [&made](const PlannedSector &sector) { return answersFor(made, sector); });
}

QByteArray allegiances()
{
    QJsonArray list;
    for (int k = 0; k < kAllegiances; ++k)
        list.append(
            QJsonObject{{QStringLiteral("Code"), code(k)}, {QStringLiteral("Name"), plan().names[k]}});
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

QString fifteenPiecePolity()
{
    return plan().names[kFifteenPieces];
}

SectorAnswers sectorBesideFifteenPiecePolity()
{
    return answersFor(plan(), plan().beside);
}

void importInto(StarfarerUniverse &universe)
{
    using namespace TravellerMapImporter;
    const QByteArray allegianceList = allegiances();
    const ImportRequest request;
    const QList<ConvertedImport> converted = QtConcurrent::blockingMapped<QList<ConvertedImport>>(
        sectors(), [&allegianceList, &request](const SectorAnswers &sector) {
            // The stars' companions are placed at random: the same on every run.
            SeededSource source(quint64(sector.position.x * 1000 + sector.position.y));
            const ScopedRandomSource scope(source);
            ImportAnswers answers;
            answers.sectorName = sector.name;
            answers.sector = sector.position;
            answers.allegiances = allegianceList;
            answers.sectorData = ServiceAnswer{sector.worlds.toUtf8(), true};
            answers.metadata = sector.metadata;
            return convert(request, answers);
        });
    for (const ConvertedImport &sector : converted)
        apply(universe, request, sector);
}

} // namespace ChartedSpaceShape
