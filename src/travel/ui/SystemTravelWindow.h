#pragma once

#include "model/GalacticCoordinates.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class ContentUnavailableView;
class StarfarerUniverse;
class SystemTravelView;
class UniverseManager;

// The content of a "System Travel" window: the travel sheet of the hex at its
// coordinates in the store's current universe, looked up afresh whenever the
// universe's systems change or another universe is opened, or "System Not Found"
// while no hex stands there. The sheet keeps its thrust and picks while the hex
// stays; once the hex is gone, a hex there again gets a fresh sheet.
class SystemTravelWindow : public QWidget
{
    Q_OBJECT

public:
    SystemTravelWindow(UniverseManager *manager, std::optional<GalacticCoordinates> coordinates,
                       QWidget *parent = nullptr);

    std::optional<GalacticCoordinates> coordinates() const { return m_coordinates; }
    // The sheet on show, or null while the placeholder is.
    SystemTravelView *sheet() const { return m_sheet; }

    // Looks the hex up again and shows its sheet or the placeholder.
    void refresh();

private:
    void followCurrentUniverse();

    UniverseManager *m_manager;
    std::optional<GalacticCoordinates> m_coordinates;
    QPointer<StarfarerUniverse> m_universe;
    SystemTravelView *m_sheet = nullptr;
    ContentUnavailableView *m_placeholder = nullptr;
};
