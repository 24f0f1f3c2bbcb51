#pragma once

// A universe in a temporary documents folder, and the records the editors' tests put
// into it.

#include "model/TestRecords.h"
#include "universe/StarfarerUniverse.h"
#include "universe/TestMapObjects.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace editor_test {

using test_records::aFaction;
using test_records::aHex;
using test_records::aWorld;

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(m_documents.isValid());
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }

    // The file as the last save left it. A file that cannot be read fails the test and
    // reads as an empty universe, so that the checks after it fail instead of crashing.
    std::unique_ptr<StarfarerUniverse> stored() const
    {
        EXPECT_TRUE(m_universe->waitForPendingSave());
        QString error;
        auto read = StarfarerUniverse::readFile(m_universe->filePath(), m_universe->folder(), &error);
        EXPECT_NE(read, nullptr) << error.toStdString();
        return read ? std::move(read) : std::make_unique<StarfarerUniverse>(m_universe->folder());
    }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

inline FactionList list(const QString &name, const QList<QUuid> &ids)
{
    return FactionList{QUuid::createUuid(), name, ids};
}

// A region whose anchors stand at corner i of hex 00-0101+i.
inline Region region(const QString &name, qsizetype anchorCount, bool closed)
{
    Region r;
    r.id = QUuid::createUuid();
    r.name = name;
    r.closed = closed;
    for (qsizetype i = 0; i < anchorCount; ++i)
        r.anchors.append(RegionAnchor{{0, 0, 1, 1 + i}, i});
    return r;
}

} // namespace editor_test
