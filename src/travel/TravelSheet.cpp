#include "TravelSheet.h"

#include "TravelGeometry.h"
#include "model/NumberFormat.h"
#include "model/WorldDescriptions.h"

#include <algorithm>

namespace {

constexpr qsizetype kLettersInAlphabet = 26;

// Bodies by orbit, then satellite orbit, keeping stored order between equals, so
// that a planet comes just before its own satellites.
void sortIntoBodyOrder(QList<const WorldData *> &bodies)
{
    std::stable_sort(bodies.begin(), bodies.end(), [](const WorldData *a, const WorldData *b) {
        if (a->sunOrbit != b->sunOrbit)
            return a->sunOrbit < b->sunOrbit;
        return rawValue(a->satelliteOrbit) < rawValue(b->satelliteOrbit);
    });
}

QList<const WorldData *> withSurface(const QList<const WorldData *> &bodies)
{
    QList<const WorldData *> kept;
    std::copy_if(bodies.begin(), bodies.end(), std::back_inserter(kept),
                 [](const WorldData *body) { return TravelGeometry::hasSurface(*body); });
    return kept;
}

QList<const WorldData *> bodiesInOrder(const Star &star)
{
    QList<const WorldData *> bodies;
    for (const WorldData &world : star.worlds)
        bodies.append(&world);
    sortIntoBodyOrder(bodies);
    return bodies;
}

} // namespace

TravelSheet::TravelSheet(StarSystem system) : m_system(std::move(system)) {}

QList<const Star *> TravelSheet::starsInOrder() const
{
    QList<const Star *> stars;
    for (const Star &star : m_system.stars)
        stars.append(&star);
    std::stable_sort(stars.begin(), stars.end(),
                     [](const Star *a, const Star *b) { return a->orbit < b->orbit; });
    return stars;
}

QList<const WorldData *> TravelSheet::bodiesInOrder() const
{
    QList<const WorldData *> bodies;
    for (const Star &star : m_system.stars) {
        for (const WorldData &world : star.worlds)
            bodies.append(&world);
    }
    sortIntoBodyOrder(bodies);
    return bodies;
}

QList<const WorldData *> TravelSheet::listedBodies() const
{
    return withSurface(bodiesInOrder());
}

QList<const WorldData *> TravelSheet::surfaceBodies(const Star &star) const
{
    return withSurface(::bodiesInOrder(star));
}

const Star *TravelSheet::star(const QUuid &id) const
{
    const auto found = std::find_if(m_system.stars.begin(), m_system.stars.end(),
                                    [&](const Star &star) { return star.id == id; });
    return found == m_system.stars.end() ? nullptr : &*found;
}

std::optional<SystemBody> TravelSheet::body(const std::optional<QUuid> &id) const
{
    if (!id)
        return std::nullopt;
    for (const Star &star : m_system.stars) {
        for (const WorldData &world : star.worlds) {
            if (world.id == *id)
                return SystemBody{&world, &star};
        }
    }
    return std::nullopt;
}

QString TravelSheet::starLabel(const Star &star) const
{
    if (!star.name.isEmpty())
        return star.name;
    const QList<const Star *> stars = starsInOrder();
    const auto found =
        std::find_if(stars.begin(), stars.end(), [&](const Star *other) { return other->id == star.id; });
    const qsizetype position = found - stars.begin();
    if (position < kLettersInAlphabet)
        return QChar(u'A' + static_cast<char16_t>(position));
    return QString::number(position + 1);
}

QString TravelSheet::starTitle(const Star &star) const
{
    return starLabel(star) + QStringLiteral(" \u00B7 ") + star.classification();
}

QString TravelSheet::orbitLabel(const WorldData &body)
{
    if (body.satelliteOrbit != PlanetOrbits::planetOrbit0)
        return QStringLiteral("\u21B3") + rawValue(body.satelliteOrbit);
    return QString::number(rawValue(body.sunOrbit));
}

QString TravelSheet::bodyLabel(const std::optional<QUuid> &id) const
{
    const std::optional<SystemBody> found = body(id);
    if (!found)
        return QStringLiteral("\u2014");
    if (m_system.stars.size() <= 1)
        return displayName(*found->world);
    return starLabel(*found->star) + QLatin1Char('/') + orbitLabel(*found->world) +
           QStringLiteral(" \u00B7 ") + displayName(*found->world);
}

TravelRow TravelSheet::jumpClearanceRow(const WorldData &body, const Star &star) const
{
    const TravelGeometry::JumpClearance clearance = TravelGeometry::jumpClearance(m_system, body, star);
    TravelRow row{body.id, orbitLabel(body) + QStringLiteral(" \u00B7 ") + displayName(body),
                  TravelGeometry::formatKilometres(clearance.distanceKm), clearance.distanceKm};
    if (clearance.governingStarID) {
        if (const Star *governing = this->star(*clearance.governingStarID))
            row.subtitle +=
                QStringLiteral(" \u00B7 clears ") + starLabel(*governing) + QStringLiteral("\u2019s 100 D");
    }
    return row;
}

QString TravelSheet::menuEntryText(const QString &prefix, const WorldData &body)
{
    return prefix + orbitLabel(body) + QStringLiteral(" \u00B7 ") + displayName(body) +
           QStringLiteral(" \u2014 ") + TravelGeometry::radiusText(body);
}

QList<BodyMenuSection> TravelSheet::menuSections() const
{
    QList<BodyMenuSection> sections;
    if (m_system.stars.size() > 1) {
        for (const Star *star : starsInOrder()) {
            BodyMenuSection section{starTitle(*star), {}};
            for (const WorldData *body : ::bodiesInOrder(*star))
                section.entries.append({body->id, menuEntryText(starLabel(*star) + QLatin1Char('.'), *body)});
            sections.append(section);
        }
        return sections;
    }
    BodyMenuSection flat;
    for (const WorldData *body : bodiesInOrder())
        flat.entries.append({body->id, menuEntryText(QString(), *body)});
    sections.append(flat);
    return sections;
}

double TravelSheet::interplanetaryDistanceKm(const BodyPicks &picks) const
{
    const std::optional<SystemBody> from = body(picks.from);
    const std::optional<SystemBody> to = body(picks.to);
    if (!from || !to)
        return 0.0;
    return TravelGeometry::closestApproachKm(*from->world, *from->star, *to->world, *to->star);
}

BodyPicks TravelSheet::withDefaultPicks(BodyPicks picks) const
{
    const QList<const WorldData *> bodies = bodiesInOrder();
    if (bodies.isEmpty())
        return picks;
    if (!picks.from)
        picks.from = bodies.front()->id;
    if (!picks.to)
        picks.to = bodies.at(bodies.size() >= 2 ? 1 : 0)->id;
    return picks;
}

QString TravelSheet::thrustHeader(int thrust)
{
    return QString::number(thrust) + QLatin1Char('G');
}

QString TravelSheet::customThrustLabel(double thrust)
{
    return NumberFormat::decimal(thrust, 1) + QLatin1Char('G');
}
