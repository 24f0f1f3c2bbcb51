#include "UniverseFolder.h"

#include "json/Json.h"

#include <QDir>
#include <QStandardPaths>

UniverseFolder::UniverseFolder(QString documentsPath) : m_documentsPath(std::move(documentsPath)) {}

UniverseFolder UniverseFolder::standard()
{
    return UniverseFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
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

void UniverseFolder::ensureUniversesDirectory() const
{
    QDir().mkpath(universesPath());
}
