#include "SystemTravelWindow.h"

#include "SystemTravelView.h"
#include "ui/ContentUnavailableView.h"
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
        connect(m_universe, &StarfarerUniverse::dataChanged, this, &SystemTravelWindow::refresh);
        connect(m_universe, &StarfarerUniverse::hexInserted, this,
                [this](const QUuid &, const GalacticCoordinates &at) { refreshIfAt(at); });
        connect(m_universe, &StarfarerUniverse::hexRemoved, this,
                [this](const QUuid &, const GalacticCoordinates &at) { refreshIfAt(at); });
        connect(m_universe, &StarfarerUniverse::hexReplaced, this,
                [this](const QUuid &, const GalacticCoordinates &before, const GalacticCoordinates &after) {
                    if (m_coordinates && (before == *m_coordinates || after == *m_coordinates))
                        refresh();
                });
    }
    refresh();
}

void SystemTravelWindow::refreshIfAt(const GalacticCoordinates &coordinates)
{
    if (m_coordinates && coordinates == *m_coordinates)
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
