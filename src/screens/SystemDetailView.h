#pragma once

#include "EditRoute.h"
#include "RutterDestination.h"
#include "model/HexData.h"
#include "universe/Faction.h"

#include <QPointer>
#include <QScrollArea>
#include <QSet>

class StarfarerUniverse;

// The read-only page of one stored system: its name and hex, the main world's block
// (name, profile and its legend, notes, tags, factions, rutters), the star and world
// summaries and the main world's notes. It looks its hex up again by id whenever the
// universe changes, so a saved edit shows at once; once the hex is gone it keeps
// showing the copy it was opened with. "Edit" asks the host for the editor.
class SystemDetailView : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr double kViewWidth = 500;

    SystemDetailView(StarfarerUniverse *universe, const HexData &initialHex, double viewWidth,
                     QWidget *parent = nullptr);

    HexData currentHex() const;
    QString systemName() const;
    QString mainWorldName() const;
    QString mainWorldSummaryLine() const;
    QStringList worldTagTitles() const;
    QList<Faction> mainWorldFactions() const;
    QList<RutterDestination> rutterDestinations() const;

    // Asks for the editor of the current hex.
    void edit();

signals:
    void titleChanged(const QString &title);
    void editRequested(const EditRoute &route);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // What the page shows changed: built again now, or when it next shows.
    void refresh();
    void rebuild();
    // Remembers what the page shows of the universe, so that it is rebuilt only when
    // that changes: the places of its hex and of the far ends of its rutters (its own
    // first), and the factions of its main world and rutters.
    void watchShown(const HexData &hex);
    QWidget *uwpBlock(const HexData &hex);

    QPointer<StarfarerUniverse> m_universe;
    HexData m_initialHex;
    double m_viewWidth;
    QList<GalacticCoordinates> m_shownPlaces;
    QSet<QUuid> m_shownFactions;
    bool m_stale = false;
};
