#pragma once

#include <QString>
#include <QUuid>

// Where universe files live: the folder "Universes" inside a documents folder, one
// file per universe named by its upper-case id, and the single file of older
// versions beside it. The documents folder is the user's by default; tests give a
// temporary one.
class UniverseFolder
{
public:
    explicit UniverseFolder(QString documentsPath);
    // The user's documents folder, as the platform reports it.
    static UniverseFolder standard();

    const QString &documentsPath() const { return m_documentsPath; }
    QString universesPath() const;
    // "<documents>/Universes/<UPPER-CASE-ID>.json"
    QString fileFor(const QUuid &id) const;
    // "<documents>/StarfarerUniverse.json"
    QString legacyFilePath() const;
    // Creates the "Universes" folder with any missing parents; a failure shows up
    // later as a failed write.
    void ensureUniversesDirectory() const;

    bool operator==(const UniverseFolder &) const = default;

private:
    QString m_documentsPath;
};
