#pragma once

// The universe and the systems the system list's tests read.

#include "screens/ScreenTestRecords.h"
#include "screens/SystemListProxy.h"
#include "universe/StarfarerUniverse.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace screen_test {

inline HexData system(const char *name, const GalacticCoordinates &at, const char *mainWorld = "",
                      bool hasMain = true)
{
    HexData hex = hexWithMainWorld(TechnologyLevel::ttl12, at);
    hex.starSystem.name = QString::fromUtf8(name);
    hex.starSystem.stars[0].worlds[0].name = QString::fromUtf8(mainWorld);
    hex.starSystem.stars[0].worlds[0].mainWorld = hasMain;
    return hex;
}

inline QStringList names(const QList<HexData> &hexes)
{
    QStringList list;
    for (const HexData &hex : hexes)
        list.append(hex.starSystem.name);
    return list;
}

class SystemListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }
    void store(const QList<HexData> &hexes) { m_universe->setData(hexes); }
    QStringList shown(const SystemListProxy &model) const { return names(model.filteredSystems()); }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

} // namespace screen_test
