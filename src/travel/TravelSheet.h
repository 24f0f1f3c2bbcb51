#pragma once

#include "model/Star.h"
#include "model/StarSystem.h"
#include "model/WorldData.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// A body of the system with the star that holds it; both point into the sheet.
struct SystemBody
{
    const WorldData *world = nullptr;
    const Star *star = nullptr;
};

// One row of the jump table: a body, the distance it must clear and how that
// distance reads.
struct TravelRow
{
    QUuid id; // the body's id
    QString title;
    QString subtitle;
    double distanceKm = 0.0;

    friend bool operator==(const TravelRow &, const TravelRow &) = default;
};

// One entry of the From and To menus, tagged with its body's id.
struct BodyMenuEntry
{
    QUuid id;
    QString text;

    friend bool operator==(const BodyMenuEntry &, const BodyMenuEntry &) = default;
};

// A group of menu entries: one per star in a system of several stars (titled with
// the star), a single untitled one otherwise.
struct BodyMenuSection
{
    QString title;
    QList<BodyMenuEntry> entries;
};

// The From and To picks of the sheet; none until a body is chosen.
struct BodyPicks
{
    std::optional<QUuid> from;
    std::optional<QUuid> to;

    friend bool operator==(const BodyPicks &, const BodyPicks &) = default;
};

// Everything the travel sheet of one system shows, without widgets: the orders of
// stars and bodies, their labels, the rows of the jump table, the entries of the
// body menus, the distance between two picks and the default picks. Stars are
// ordered by orbit and bodies by orbit and then satellite orbit, stably; labels of
// unnamed stars follow that order.
class TravelSheet
{
public:
    explicit TravelSheet(StarSystem system);

    const StarSystem &system() const { return m_system; }

    // The stars in star order.
    QList<const Star *> starsInOrder() const;
    // Every body of the system, in body order across all stars.
    QList<const WorldData *> bodiesInOrder() const;
    // The bodies with a surface, in body order.
    QList<const WorldData *> listedBodies() const;
    // One star's own bodies with a surface, in body order.
    QList<const WorldData *> surfaceBodies(const Star &star) const;

    const Star *star(const QUuid &id) const;
    // The first top-level body with this id and its star; none for no id.
    std::optional<SystemBody> body(const std::optional<QUuid> &id) const;

    // The star's name, else its letter in star order ("A", "B", ...; past the
    // alphabet, its position counted from 1).
    QString starLabel(const Star &star) const;
    // The label, " · " and the classification.
    QString starTitle(const Star &star) const;
    // "↳A" for a satellite, else the orbit number ("3", "-1" for the primary's place).
    static QString orbitLabel(const WorldData &body);
    // The short text of a pick: "—" when it names no body.
    QString bodyLabel(const std::optional<QUuid> &id) const;

    TravelRow jumpClearanceRow(const WorldData &body, const Star &star) const;
    QList<BodyMenuSection> menuSections() const;
    // The closest approach of the two picks; 0 when either names no body.
    double interplanetaryDistanceKm(const BodyPicks &picks) const;
    // Fills absent picks with the first and second body (the first again when there
    // is only one); picks already set stay.
    BodyPicks withDefaultPicks(BodyPicks picks) const;

    // The heading of a fixed-thrust column ("3G").
    static QString thrustHeader(int thrust);
    // The heading of the custom column: at most one fraction digit ("1G", "1.5G").
    static QString customThrustLabel(double thrust);

private:
    // The prefix (a star's label and ".", or nothing), orbit, name and radius.
    static QString menuEntryText(const QString &prefix, const WorldData &body);

    StarSystem m_system;
};
