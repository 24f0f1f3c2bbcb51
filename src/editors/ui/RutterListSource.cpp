#include "RutterListSource.h"

#include "editors/MapObjectStore.h"
#include "editors/SystemNames.h"
#include "ui/PaletteColor.h"
#include "universe/UniverseChanges.h"
#include "universe/WorkerPools.h"

#include <QSet>

#include <utility>

namespace {

const QString kArrow = QStringLiteral(" \u2192 ");

} // namespace

RutterListSource::RutterListSource(StarfarerUniverse &universe, QObject *parent)
    : MapObjectListSource(universe, parent)
{
    // Rows name factions and the systems at their ends. A rutter's own change needs no
    // forgetting: its row is made again because it no longer matches the rutter it was
    // made from; the removed ones are forgotten so that the made rows do not pile up.
    UniverseChanges::onObjects<Rutter>(&universe, this, [this](const ObjectChange<Rutter> &change) {
        if (change.isWholeList())
            m_madeRows.clear();
        else if (change.before)
            m_madeRows.remove(change.before->id);
        emit changed();
    });
    UniverseChanges::onObjects<Faction>(&universe, this, [this](const ObjectChange<Faction> &change) {
        if (change.isWholeList()) {
            m_madeRows.clear();
            emit changed();
        } else {
            factionChanged((change.after ? change.after : change.before)->id);
        }
    });
    connect(&universe, &StarfarerUniverse::usesTravellerRulesChanged, this, [this] {
        m_madeRows.clear();
        emit changed();
    });
    UniverseChanges::onHexes(
        &universe, this, [this](const QList<GalacticCoordinates> &places) { systemsChangedAt(places); },
        [this] {
            m_madeRows.clear();
            emit changed();
        });
}

void RutterListSource::factionChanged(const QUuid &id)
{
    // A faction shows in the rows of its own rutters and, while the filter names it, in
    // the filter's title; a faction no rutter names (a new one) changes nothing shown.
    bool named = m_factionFilterID == id;
    for (const Rutter &rutter : universe().rutters()) {
        if (rutter.factionID == id) {
            m_madeRows.remove(rutter.id);
            named = true;
        }
    }
    if (named)
        emit changed();
}

void RutterListSource::systemsChangedAt(const QList<GalacticCoordinates> &places)
{
    // The universe's index names the rutters with an end at each place.
    const QList<Rutter> &rutters = universe().rutters();
    bool named = false;
    for (const GalacticCoordinates &place : places) {
        for (const qsizetype position : universe().positionsOfRuttersAt(place)) {
            m_madeRows.remove(rutters[position].id);
            named = true;
        }
    }
    if (named)
        emit changed();
}

RutterListSource::~RutterListSource()
{
    freeOnWorker(std::move(m_madeRows));
}

QString RutterListSource::listWord(const StarfarerUniverse &universe)
{
    return universe.usesTravellerRules() ? tr("Routes") : tr("Rutters");
}

MapObjectListTexts RutterListSource::texts() const
{
    const QString word = listWord(universe());
    const bool hidden = !universe().rutters().isEmpty();
    return {word, tr("New %1").arg(word),
            hidden ? tr("No matching %1").arg(word.toLower()) : tr("No %1").arg(word.toLower()), false};
}

QList<MapObjectRow> RutterListSource::rows() const
{
    QList<MapObjectRow> rows;
    const QList<Rutter> &rutters = universe().rutters();
    for (qsizetype i = 0; i < rutters.size(); ++i) {
        if (!isListed(rutters.at(i)))
            continue;
        MapObjectRow made = madeRow(rutters.at(i));
        made.position = i;
        rows.append(std::move(made));
    }
    return rows;
}

const MapObjectRow &RutterListSource::madeRow(const Rutter &rutter) const
{
    auto made = m_madeRows.find(rutter.id);
    if (made == m_madeRows.end() || made->first != rutter)
        made = m_madeRows.insert(rutter.id, {rutter, row(rutter, universe())});
    return made->second;
}

void RutterListSource::removeWithID(const QUuid &id)
{
    MapObjectStore::removeWithID<Rutter>(universe(), id);
}

void RutterListSource::removeAt(const QList<qsizetype> &positions)
{
    MapObjectStore::removeAt<Rutter>(universe(), positions);
}

void RutterListSource::setFactionFilterID(const std::optional<QUuid> &id)
{
    if (id == m_factionFilterID)
        return;
    m_factionFilterID = id;
    emit changed();
}

void RutterListSource::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    emit changed();
}

QString RutterListSource::factionFilterTitle() const
{
    if (m_factionFilterID) {
        if (const auto faction = universe().object<Faction>(*m_factionFilterID))
            return factionName(*faction);
    }
    return tr("All Factions");
}

QList<Faction> RutterListSource::factionFilterFactions() const
{
    QList<Faction> factions;
    QSet<QUuid> seen;
    for (const Rutter &rutter : universe().rutters()) {
        const std::optional<Faction> owner = universe().faction(rutter);
        if (owner && !seen.contains(owner->id)) {
            seen.insert(owner->id);
            factions.append(*owner);
        }
    }
    return inMenuOrder(factions);
}

bool RutterListSource::isListed(const Rutter &rutter) const
{
    if (m_factionFilterID && *m_factionFilterID != rutter.factionID)
        return false;
    const QString query = m_searchText.trimmed();
    if (query.isEmpty())
        return true;
    const auto matches = [&query](const QString &text) { return text.contains(query, Qt::CaseInsensitive); };
    return matches(rutter.start.description()) || matches(rutter.end.description()) ||
           matches(SystemNames::systemName(universe(), rutter.start)) ||
           matches(SystemNames::systemName(universe(), rutter.end));
}

QString RutterListSource::factionName(const Faction &faction)
{
    return faction.name.isEmpty() ? tr("Unnamed Faction") : faction.name;
}

MapObjectRow RutterListSource::row(const Rutter &rutter, const StarfarerUniverse &universe)
{
    MapObjectRow row;
    row.id = rutter.id;
    const std::optional<Faction> owner = universe.faction(rutter);
    row.dot = paletteColor(owner ? owner->color : FactionColor::grey);
    row.title = owner ? factionName(*owner) : tr("Unknown Faction");
    QString age = displayText(rutter.age);
    if (rutter.mainTradeRoute)
        age += tr(" · Main Trade Route");
    row.details = {rutter.start.description() + kArrow + rutter.end.description(),
                   SystemNames::systemName(universe, rutter.start) + kArrow +
                       SystemNames::systemName(universe, rutter.end),
                   age};
    return row;
}
