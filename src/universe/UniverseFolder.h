#pragma once

#include <QString>
#include <QUuid>

// Where universe files live: the folder "Universes" inside a documents folder, one
// file per universe named by its upper-case id, and the single file of older
// versions beside it; also where the store keeps its lock and its cache of listed
// headers. The documents folder is the user's by default; tests give a temporary one.
class UniverseFolder
{
public:
    // `headerCachePath` empty: listings keep no cache between runs.
    explicit UniverseFolder(QString documentsPath, QString headerCachePath = QString());
    // The user's documents folder, as the platform reports it, with the header cache
    // in the user's cache folder.
    static UniverseFolder standard();

    const QString &documentsPath() const { return m_documentsPath; }
    QString universesPath() const;
    // "<documents>/Universes/<UPPER-CASE-ID>.json"
    QString fileFor(const QUuid &id) const;
    // "<documents>/StarfarerUniverse.json"
    QString legacyFilePath() const;
    // The lock file that keeps a second instance off the folder.
    QString lockFilePath() const;
    // The file that remembers listed headers between runs; looked up when asked, so
    // that the application's name is set by then.
    QString headerCachePath() const;
    // Creates the "Universes" folder with any missing parents; a failure shows up
    // later as a failed write.
    void ensureUniversesDirectory() const;
    // Removes what interrupted saves and deletes left behind: the files whose name alone
    // proves them the program's own (SaveLeftovers). Nothing else is removed, whatever
    // its name or its bytes: a copy, a compressed or damaged file the user set aside is
    // the user's. Only the instance holding the folder's lock may call this.
    void removeStaleTemporaryFiles() const;

    bool operator==(const UniverseFolder &) const = default;

private:
    QString m_documentsPath;
    QString m_headerCachePath;
    bool m_standardCache = false;
};
