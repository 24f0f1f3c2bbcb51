#pragma once

// A universe in a temporary documents folder and the steps a user takes in the forms.

#include "universe/StarfarerUniverse.h"

#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace editor_test {

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

template <typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Types into a field and commits with Return.
inline void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

inline QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    return texts;
}

inline HexData systemAt(const GalacticCoordinates &coordinates, const QString &name)
{
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates = coordinates;
    hex.starSystem.id = QUuid::createUuid();
    hex.starSystem.name = name;
    return hex;
}

// A system at 00-0101 whose main world has this tech level: its scale decides the
// universe's rules.
inline HexData systemWithLevel(TechnologyLevel level)
{
    HexData hex = systemAt({0, 0, 1, 1}, QStringLiteral("Home"));
    WorldData main;
    main.id = QUuid::createUuid();
    main.mainWorld = true;
    main.uwp.techLevel = level;
    Star primary;
    primary.id = QUuid::createUuid();
    primary.worlds = {main};
    hex.starSystem.stars = {primary};
    return hex;
}

inline Faction faction(const QString &name)
{
    Faction f;
    f.id = QUuid::createUuid();
    f.name = name;
    return f;
}

} // namespace editor_test
