#pragma once

#include "model/HexData.h"
#include "screens/EditRoute.h"
#include "screens/RutterDestination.h"
#include "ui/ScrollingPage.h"
#include "universe/Faction.h"

#include <QPointer>
#include <QSet>

class ElidedLabel;
class ReadOnlyNotesView;
class QLabel;
class QVBoxLayout;
class StarSystemView;
class StarfarerUniverse;
class SystemWorldsView;

// The read-only page of one stored system: its name and hex, the main world's block
// (name, profile and its legend, notes, tags, factions, rutters), the star and world
// summaries and the main world's notes. It looks its hex up again by id whenever the
// universe changes, so a saved edit shows at once; once the hex is gone it keeps
// showing the copy it was opened with. "Edit" asks the host for the editor.
//
// A change updates the page in place: texts are set on the labels that show them and
// a row of chips is made again only when its chips differ, so an edit costs what it
// changed and the worlds list stays open or closed as the user left it. Only when a
// part appears or goes (notes, tags, factions, rutters) is the page built afresh.
class SystemDetailView : public ScrollingPage
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
    // What the page shows besides the texts of its hex: its chips and which of its
    // optional parts are there.
    struct Shown
    {
        bool hexNotes = false;
        bool mainWorldNotes = false;
        QStringList tagTitles;
        QList<Faction> factions;
        QList<RutterDestination> destinations;
        bool travellerRules = false;

        // Whether the page has the same parts for both.
        bool sameParts(const Shown &other) const;
    };
    // The widgets that show what changes, made by build().
    struct Parts
    {
        ElidedLabel *title = nullptr;
        QLabel *hex = nullptr;
        QVBoxLayout *block = nullptr; // the main world's block
        ReadOnlyNotesView *hexNotes = nullptr;
        ElidedLabel *mainWorldName = nullptr;
        QLabel *summaryLine = nullptr;
        ReadOnlyNotesView *blockNotes = nullptr;
        QWidget *tagRow = nullptr;
        QWidget *factionRow = nullptr;
        QWidget *routes = nullptr;
        StarSystemView *starSystem = nullptr;
        SystemWorldsView *worlds = nullptr;
        ReadOnlyNotesView *footNotes = nullptr;
    };

    // What the page shows changed: shown now, or when the page next shows.
    void refresh();
    // Shows the current hex: in place, or built afresh when its parts differ.
    void showCurrent();
    void build(const HexData &hex);
    void showInPlace(const HexData &hex, const Shown &shown);
    Shown shownOf(const HexData &hex) const;
    // Remembers what the page shows of the universe, so that it is shown again only
    // when that changes: the places of its hex and of the far ends of its rutters (its
    // own first), and the factions of its main world and rutters.
    void watchShown(const HexData &hex);
    QWidget *uwpBlock(const HexData &hex);
    // Puts `fresh` where `old` stands in the main world's block and lets `old` go.
    void replaceInBlock(QWidget *&old, QWidget *fresh);

    QPointer<StarfarerUniverse> m_universe;
    HexData m_initialHex;
    double m_viewWidth;
    QList<GalacticCoordinates> m_shownPlaces;
    QSet<QUuid> m_shownFactions;
    Shown m_shown;
    Parts m_parts;
    bool m_stale = false;
};
