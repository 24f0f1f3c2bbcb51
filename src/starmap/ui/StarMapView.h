#pragma once

#include "SystemOverlayCard.h"
#include "model/GalacticCoordinates.h"

#include <QWidget>

#include <optional>

class ContentUnavailableView;
class QGridLayout;
class QPushButton;
class StarMapCanvas;
class StarMapViewMenu;
class StarMapVisibleSets;
class StarfarerUniverse;
class WindowRouter;

// The star map screen: the open universe drawn as a zoomable hex map, with the
// controls panel in the top-left corner, the "Fit" button in the top-right corner
// and a toolbar that opens the UWP reference. While no system is visible it shows
// why instead of the map. A click on a visible system selects it (with a short sound
// when the selection changes) and shows its card in the bottom-right corner; a click
// elsewhere clears it. A search glides the map, at its current scale, to the first
// visible system that matches and selects it; Fit and a double click glide back to
// the fitted view.
class StarMapView : public QWidget
{
    Q_OBJECT

public:
    StarMapView(StarfarerUniverse *universe, WindowRouter *router, double hexRadius, int gridPadding,
                QWidget *parent = nullptr);

    StarMapCanvas *canvas() const { return m_canvas; }
    // The panel that holds the map's search, view and filter controls.
    QWidget *controlsPanel() const { return m_panel; }
    QPushButton *fitButton() const { return m_fit; }
    // The empty state on show, or null while the map is.
    ContentUnavailableView *emptyState() const { return m_empty; }
    StarMapViewMenu *viewMenu() const { return m_menu; }
    // The card of the selected system, or null while none is shown.
    SystemOverlayCard *overlayCard() const { return m_card; }
    const std::optional<GalacticCoordinates> &selectedCoordinate() const { return m_selected; }
    // How the card summarises a system's stars and worlds.
    void setSystemSummaryFactory(SystemOverlayCard::SummaryFactory factory);

    // Centres the map on the first visible system matching `query`, keeping the scale,
    // and selects it; nothing happens when none matches or no system is shown.
    void search(const QString &query);
    // Back to what a new map shows: fitted, nothing selected, the search field empty.
    void returnToStart();

    // What the empty state says for this universe.
    static QString emptyStateTitle(const StarfarerUniverse &universe);
    static QString emptyStateDescription(const StarfarerUniverse &universe);

private:
    void showContent();
    void handleTap(const QPointF &point);
    void select(const std::optional<GalacticCoordinates> &coordinates);
    // Builds the card of the selected system again; unless forced, only when its hex
    // changed.
    void refreshCard(bool force = false);
    // Runs `change` on the transform and glides from the old view to the new one.
    void animated(const std::function<void()> &change);

    StarfarerUniverse *m_universe;
    StarMapVisibleSets *m_sets;
    QGridLayout *m_stage;
    StarMapCanvas *m_canvas;
    QWidget *m_panel;
    QPushButton *m_fit;
    ContentUnavailableView *m_empty = nullptr;
    StarMapViewMenu *m_menu;
    WindowRouter *m_router;
    SystemOverlayCard::SummaryFactory m_summary;
    std::optional<GalacticCoordinates> m_selected;
    SystemOverlayCard *m_card = nullptr;
};
