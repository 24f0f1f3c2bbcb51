#pragma once

#include "BackgroundDecoder.h"
#include "FolderLock.h"
#include "HeaderCache.h"
#include "StarfarerUniverse.h"
#include "model/NaturalOrder.h"

#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QThreadPool>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

// The store of universes: one JSON file per universe in the "Universes" folder. It
// lists the stored universes by name, keeps exactly one of them open as `current`,
// creates, renames and deletes universes, remembers the last one opened, and once
// moves the single file of older versions into the folder. A file that cannot be
// read is never written to or removed by anything but an explicit delete. One
// instance at a time works on a folder: the store holds a lock on it while it runs.
class UniverseManager : public QObject
{
    Q_OBJECT

public:
    using Header = StarfarerUniverse::Header;

    static inline const QString kLastUniverseIDKey = QStringLiteral("lastUniverseID");
    static inline const QString kDidMigrateKey = QStringLiteral("didMigrateToUniverses");
    static inline const QString kLoadErrorText =
        QStringLiteral("Couldn\u2019t open that universe \u2014 its file may be corrupt.");
    static inline const QString kDefaultName = QStringLiteral("My Universe");

    // `settings` keeps "lastUniverseID" and "didMigrateToUniverses"; it must outlive
    // the manager. Nothing is read until start().
    UniverseManager(UniverseFolder folder, QSettings *settings, QObject *parent = nullptr);
    ~UniverseManager() override;

    // The start-up sequence: folder, one-time migration, the remembered universe,
    // else the first by name, else a new saved "My Universe". Afterwards there is
    // always a current document. False, with nothing read or written, when another
    // running instance holds the folder, or when Vostrel on another computer left its
    // lock there (lockHost() names that computer; start again with `takeOver` once the
    // user chose to). A lock left by an instance that is gone, or one that cannot be
    // read, is taken over, and what its interrupted saves left behind is removed.
    bool start(FolderLock::OtherHostLock otherHost = FolderLock::OtherHostLock::respect);
    // After start() refused the folder: the other computer whose lock is there, or
    // empty when an instance on this computer holds it.
    const QString &lockHost() const { return m_lock.otherHost(); }

    const UniverseFolder &folder() const { return m_folder; }
    StarfarerUniverse *current() const { return m_current.get(); }
    const QList<Header> &headers() const { return m_headers; }
    const std::optional<QString> &loadError() const { return m_loadError; }
    // The file that could not be read, while loadError has a value.
    const QString &loadErrorFile() const { return m_loadErrorFile; }

    // Asked before open() or create() leaves the current universe when its latest
    // edits could not be saved, even when tried once more: true leaves it and its
    // unsaved edits, false stays. Without a question the store leaves.
    using LeaveUnsavedQuestion = std::function<bool(StarfarerUniverse &current)>;
    void setLeaveUnsavedQuestion(LeaveUnsavedQuestion question) { m_leaveUnsaved = std::move(question); }

    // Headers are taken by value: callers pass elements of headers(), which these
    // operations replace.
    // Each operation that leaves the current universe (open, create, delete) first
    // waits for its pending save, whose failure the document reports itself.
    // Opens a listed universe from the file it was listed from. The file is read and
    // decoded on a worker thread while the caller's event loop goes on: opening()
    // names the universe meanwhile. Once it is read, the current universe's pending
    // save is waited for once more (edits may have been made meanwhile; the user is
    // asked again if they could not be saved, unless they already chose to leave
    // them), then it becomes current. On a failed read the current document stays,
    // loadError is set and openFailed() is emitted. Opening the current universe, or
    // staying in it when asked, does nothing. The latest request wins: open(),
    // create() and deleteUniverse() abandon a universe still being opened, whose file
    // is then left unread or its contents dropped.
    void open(Header header);
    // The universe whose file is being read to be opened, if one is.
    const std::optional<Header> &opening() const { return m_opening; }
    // Creates, saves and opens a new universe (an empty name becomes "Untitled
    // Universe"). When it cannot be saved, or the user stays in the current one, the
    // current universe stays open and false is returned.
    bool create(const QString &name);
    // Renames the current universe and saves it in the background; the headers show
    // the new name at once. A failed write is told by the universe's saveFailed().
    void renameCurrent(const QString &name);
    // Removes exactly the file the header was listed from. Deleting the current
    // universe opens the first remaining one, or a new "My Universe". False when the
    // file could not be removed.
    bool deleteUniverse(Header header);

    // The stored universes (".json" files whose id and name can be read), sorted by
    // name as file managers sort (letter case ignored, numbers by value), stably.
    // Files that did not change since the last listing (in this run or, through the
    // header cache, an earlier one) are not read again; those read are handed to
    // `visitRead`.
    QList<Header> loadHeaders(const HeaderCache::ReadVisitor &visitRead = {});
    void storeLastUniverseID(const std::optional<QUuid> &id);
    // The one-time migration; `listed` is the current listing, to which the migrated
    // universe is added.
    void migrateIfNeeded(QList<Header> &listed);
    const HeaderCache &headerCache() const { return m_headerCache; }
    // How many universe files were read to be opened (a listing's reads are counted
    // by the header cache).
    int filesOpened() const { return m_filesOpened; }

signals:
    void currentChanged();
    void headersChanged();
    void loadErrorChanged();
    // A universe started or stopped being opened (opening()).
    void openingChanged();
    // A universe chosen to be opened could not be read; loadError() says so (even
    // when it already did, for an earlier failure of the same file).
    void openFailed();
    // A failure the user must be told about (a universe that could not be saved,
    // removed or opened); `message` says which file and why.
    void operationFailed(const QString &message);

private:
    std::unique_ptr<StarfarerUniverse> read(const QString &path, QString *error);
    // The universe named by "lastUniverseID", if it can be read; an unreadable file
    // is reported.
    std::unique_ptr<StarfarerUniverse> readRemembered();
    // Takes the folder's lock; false when another instance holds it.
    bool lockFolder(FolderLock::OtherHostLock otherHost);
    // Adds a universe just saved to a listing, in order.
    void addListed(QList<Header> &listed, const StarfarerUniverse &universe) const;
    void sortByName(QList<Header> &headers) const;
    std::unique_ptr<StarfarerUniverse> makeNew(const QString &name) const;
    // Saves a document that is not current yet; reports a failure.
    bool saveReporting(StarfarerUniverse &universe);
    // Waits for the current document's pending save before it is left.
    void finishPendingSave();
    // finishPendingSave(), then asks when the latest edits could not be saved; false
    // when the user stays. `asked`, when given, tells whether the user was asked.
    bool mayLeaveCurrent(bool *asked = nullptr);
    // Makes the universe whose file was read on the worker current, if it was.
    void finishOpening(const Header &header, BackgroundDecoder::Outcome outcome, bool leaveAgreed);
    // Stops opening a universe, if one is being opened.
    void abandonOpening();
    // The documents the store saves, and the current one, tell what their writes put
    // in place: listing then reads none of their files, only files changed by others.
    void rememberWritten(const QString &path, const StarfarerUniverse::Listing &listing);
    void setCurrent(std::unique_ptr<StarfarerUniverse> universe);
    void setHeaders(const QList<Header> &headers);
    void setLoadError(const std::optional<QString> &error, const QString &file = QString());
    void refreshHeaders() { setHeaders(loadHeaders()); }
    void reportUnreadable(const QString &path, const QString &reason);

    UniverseFolder m_folder;
    QSettings *m_settings;
    std::unique_ptr<StarfarerUniverse> m_current;
    QList<Header> m_headers;
    std::optional<QString> m_loadError;
    QString m_loadErrorFile;
    HeaderCache m_headerCache;
    NaturalOrder m_order;
    int m_filesOpened = 0;
    FolderLock m_lock;
    LeaveUnsavedQuestion m_leaveUnsaved;
    std::optional<Header> m_opening;
    BackgroundDecoder m_decoder;
    // Writes the settings file off the GUI thread, one write at a time; waits for the
    // last when the manager goes.
    QThreadPool m_settingsWriter;
};
