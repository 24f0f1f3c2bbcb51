#pragma once

#include "universe/UniverseManager.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A fresh documents folder and settings file for each test: nothing touches the
// user's real folders.
class UniverseStoreTest : public ::testing::Test
{
protected:
    UniverseFolder folder() const
    {
        return UniverseFolder(m_documents.path(), m_documents.filePath(QStringLiteral("cache/headers.json")));
    }
    QString universesPath() const { return folder().universesPath(); }

    std::unique_ptr<UniverseManager> startManager()
    {
        auto manager = std::make_unique<UniverseManager>(folder(), &m_settings);
        EXPECT_TRUE(manager->start());
        return manager;
    }

    // Opens `header` and runs the event loop until the file read on the worker has
    // been taken in (or refused).
    static void openAndWait(UniverseManager &manager, const UniverseManager::Header &header)
    {
        manager.open(header);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !manager.opening(); }, 10000)) << "still opening";
    }

    // Writes a universe file as another program (or an older version) might have.
    QString writeFile(const QString &path, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString writeUniverse(const QUuid &id, const QString &name) const
    {
        const QByteArray json = QStringLiteral("{\"id\": \"%1\", \"name\": \"%2\"}")
                                    .arg(id.toString(QUuid::WithoutBraces).toUpper(), name)
                                    .toUtf8();
        return writeFile(folder().fileFor(id), json);
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Everything in the Universes folder but the lock of the running store.
    QStringList universeFiles() const
    {
        QStringList files =
            QDir(universesPath())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        files.removeOne(QFileInfo(folder().lockFilePath()).fileName());
        return files;
    }

    QTemporaryDir m_documents;
    QSettings m_settings{m_documents.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
};
