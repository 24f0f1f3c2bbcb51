#pragma once

#include "editors/MapObjectListSource.h"
#include "universe/Rutter.h"

#include <QHash>
#include <QUuid>

#include <optional>

struct Faction;
struct GalacticCoordinates;

// The rutters as their list screen shows them: narrowed to one faction and to a
// search of the endpoints' hex labels and system names, with the wording of the
// universe's rules ("Rutters" or "Routes").
class RutterListSource : public MapObjectListSource
{
    Q_OBJECT

public:
    explicit RutterListSource(StarfarerUniverse &universe, QObject *parent = nullptr);
    // The rows made are freed on a worker thread.
    ~RutterListSource() override;

    // "Rutters", or "Routes" in a universe that uses the Traveller rules.
    static QString listWord(const StarfarerUniverse &universe);

    MapObjectListTexts texts() const override;
    QList<MapObjectRow> rows() const override;
    void removeWithID(const QUuid &id) override;
    void removeAt(const QList<qsizetype> &positions) override;

    const std::optional<QUuid> &factionFilterID() const { return m_factionFilterID; }
    void setFactionFilterID(const std::optional<QUuid> &id);
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);

    // "All Factions", or the name of the filter's faction while the universe holds it.
    QString factionFilterTitle() const;
    // The factions that own at least one rutter, each once, sorted by name.
    QList<Faction> factionFilterFactions() const;
    // Whether the rutter passes the filter and the search.
    bool isListed(const Rutter &rutter) const;

    // A faction's name as menus and rows show it.
    static QString factionName(const Faction &faction);
    static MapObjectRow row(const Rutter &rutter, const StarfarerUniverse &universe);

private:
    // The faction with this id came, changed or went: the rows of its rutters change.
    void factionChanged(const QUuid &id);
    // Systems came, changed or went at these places: the rows naming them change.
    void systemsChangedAt(const QList<GalacticCoordinates> &places);
    // The rutter's row, made once and kept while the rutter, the factions, the systems
    // at its ends and the rules stay as they were: one change costs one row, not one
    // per rutter.
    const MapObjectRow &madeRow(const Rutter &rutter) const;

    std::optional<QUuid> m_factionFilterID;
    QString m_searchText;
    // Rows made so far by rutter id, each with the rutter it was made from.
    mutable QHash<QUuid, std::pair<Rutter, MapObjectRow>> m_madeRows;
};
