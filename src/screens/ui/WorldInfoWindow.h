#pragma once

#include "model/GalacticCoordinates.h"

#include <QWidget>

#include <optional>

class ContentUnavailableView;
class QScrollArea;
class QStackedLayout;
class UniverseFollower;
class UniverseManager;
class WorldInfoPanel;

// The content of a world information window: the main world of the hex at its
// coordinates in the store's open universe, explained by a WorldInfoPanel in a
// vertical scroll view, or "No World" when the window has no coordinates, no system
// stands there or the system has no main world. The hex is looked up again whenever
// the open universe or that hex changes, so edits, moves and deletions show at once.
// The window is titled with the system's name, or "World Info" when it has none.
class WorldInfoWindow : public QWidget
{
    Q_OBJECT

public:
    WorldInfoWindow(UniverseManager *manager, std::optional<GalacticCoordinates> coordinates,
                    QWidget *parent = nullptr);

    std::optional<GalacticCoordinates> coordinates() const { return m_coordinates; }
    // The panel while a world is shown; null in the "No World" state.
    WorldInfoPanel *panel() const;
    // The title the window carries now.
    QString title() const { return m_title; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    // Puts the title on the top-level window this content fills.
    void applyTitle();

    UniverseFollower *m_follower;
    std::optional<GalacticCoordinates> m_coordinates;
    QStackedLayout *m_stack;
    ContentUnavailableView *m_empty;
    QScrollArea *m_scroll;
    WorldInfoPanel *m_panel = nullptr;
    QString m_title;
};
