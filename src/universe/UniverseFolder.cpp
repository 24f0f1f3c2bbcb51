#include "UniverseFolder.h"

#include "SaveLeftovers.h"
#include "json/Json.h"

#include <QDir>
#include <QStandardPaths>

UniverseFolder::UniverseFolder(QString documentsPath, QString headerCachePath)
    : m_documentsPath(std::move(documentsPath)), m_headerCachePath(std::move(headerCachePath))
{}

UniverseFolder UniverseFolder::standard()
{
    UniverseFolder folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    folder.m_standardCache = true;
    return folder;
}

QString UniverseFolder::universesPath() const
{
    return QDir(m_documentsPath).filePath(QStringLiteral("Universes"));
}

QString UniverseFolder::fileFor(const QUuid &id) const
{
    return QDir(universesPath()).filePath(uuidText(id) + QStringLiteral(".json"));
}

QString UniverseFolder::legacyFilePath() const
{
    return QDir(m_documentsPath).filePath(QStringLiteral("StarfarerUniverse.json"));
}

QString UniverseFolder::lockFilePath() const
{
    return QDir(universesPath()).filePath(QStringLiteral(".vostrel.lock"));
}

QString UniverseFolder::headerCachePath() const
{
    if (!m_standardCache)
        return m_headerCachePath;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("universe-headers.json"));
}

void UniverseFolder::ensureUniversesDirectory() const
{
    QDir().mkpath(universesPath());
}

void UniverseFolder::removeStaleTemporaryFiles() const
{
    removeSaveLeftovers(universesPath());
}
