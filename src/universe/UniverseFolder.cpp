#include "UniverseFolder.h"

#include "SaveLeftovers.h"
#include "UniverseFile.h"
#include "json/Json.h"

#include <QDir>
#include <QRegularExpression>
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
    // What an older version left is told from a user's copy by its bytes: a write cut
    // short is never whole JSON. A file that cannot be read tells nothing and stays.
    static const QRegularExpression older(QStringLiteral(
        "^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\.json\\.[A-Za-z0-9]{6}$"));
    removeFilesMatching(universesPath(), older, [](const QString &path) {
        std::optional<UniverseFileReader::Contents> contents = UniverseFileReader::read(path);
        if (!contents)
            return false;
        const UniverseFile::CheckedFile checked = UniverseFile::check(std::move(*contents));
        return !checked.outline && !checked.outOfMemory;
    });
}
