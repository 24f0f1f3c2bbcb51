#pragma once

#include <QWidget>

class ContentUnavailableView;
class QFrame;
class QGridLayout;
class QPushButton;
class StarMapCanvas;
class StarMapVisibleSets;
class StarfarerUniverse;
class WindowRouter;

// The star map screen: the open universe drawn as a zoomable hex map, with the
// controls panel in the top-left corner, the "Fit" button in the top-right corner
// and a toolbar that opens the UWP reference. While no system is visible it shows
// why instead of the map.
class StarMapView : public QWidget
{
    Q_OBJECT

public:
    StarMapView(StarfarerUniverse *universe, WindowRouter *router, double hexRadius, int gridPadding,
                QWidget *parent = nullptr);

    StarMapCanvas *canvas() const { return m_canvas; }
    // The panel that holds the map's search, view and filter controls.
    QFrame *controlsPanel() const { return m_panel; }
    QPushButton *fitButton() const { return m_fit; }
    // The empty state on show, or null while the map is.
    ContentUnavailableView *emptyState() const { return m_empty; }

    // What the empty state says for this universe.
    static QString emptyStateTitle(const StarfarerUniverse &universe);
    static QString emptyStateDescription(const StarfarerUniverse &universe);

private:
    void showContent();

    StarfarerUniverse *m_universe;
    StarMapVisibleSets *m_sets;
    QGridLayout *m_stage;
    StarMapCanvas *m_canvas;
    QFrame *m_panel;
    QPushButton *m_fit;
    ContentUnavailableView *m_empty = nullptr;
};
