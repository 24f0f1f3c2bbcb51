#include "SystemTravelWindow.h"

#include "SystemTravelView.h"
#include "ui/ContentUnavailableView.h"
#include "universe/UniverseChanges.h"
#include "universe/UniverseManager.h"

#include <QVBoxLayout>

SystemTravelWindow::SystemTravelWindow(UniverseManager *manager,
                                       std::optional<GalacticCoordinates> coordinates, QWidget *parent)
    : QWidget(parent), m_manager(manager), m_coordinates(coordinates)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(m_manager, &UniverseManager::currentChanged, this, &SystemTravelWindow::followCurrentUniverse);
    followCurrentUniverse();
}

void SystemTravelWindow::followCurrentUniverse()
{
    if (m_universe)
        disconnect(m_universe, nullptr, this, nullptr);
    m_universe = m_manager->current();
    if (m_universe) {
        UniverseChanges::onHexesAt(
            m_universe, this,
            [this] { return m_coordinates ? QList{*m_coordinates} : QList<GalacticCoordinates>(); },
            [this] { refresh(); });
    }
    refresh();
}

void SystemTravelWindow::refresh()
{
    std::optional<HexData> hex;
    if (m_universe && m_coordinates)
        hex = m_universe->hexData(*m_coordinates);

    if (!hex) {
        delete m_sheet;
        m_sheet = nullptr;
        if (!m_placeholder) {
            m_placeholder = new ContentUnavailableView(tr("System Not Found"), Symbol::questionmarkCircle,
                                                       QString(), this);
            layout()->addWidget(m_placeholder);
        }
        return;
    }
    delete m_placeholder;
    m_placeholder = nullptr;
    if (m_sheet) {
        m_sheet->setHex(*hex);
    } else {
        m_sheet = new SystemTravelView(*hex, this);
        layout()->addWidget(m_sheet);
    }
}
