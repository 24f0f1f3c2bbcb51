#pragma once

#include "BackgroundDecoder.h"
#include "FolderLock.h"
#include "HeaderCache.h"
#include "SettingsWriter.h"
#include "StarfarerUniverse.h"
#include "model/NaturalOrder.h"

#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QUuid>
#include <QVariant>

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

    // What leaving the current universe with unsaved edits would mean.
    enum class Leaving {
        switching,
        quitting,
    };
    // Asked when a universe is to be left (the current one, as another is opened or
    // created; or, as the program quits, the current one or one left earlier whose
    // writes went on) and its latest edits could not be saved, even when tried once
    // more. The answer is given later, once: true leaves the universe and its unsaved
    // edits, false stays (and, quitting, ends the quit). Without a question the store
    // leaves.
    using Answer = std::function<void(bool leave)>;
    using LeaveUnsavedQuestion =
        std::function<void(StarfarerUniverse &universe, Leaving leaving, Answer answer)>;
    void setLeaveUnsavedQuestion(LeaveUnsavedQuestion question) { m_leaveUnsaved = std::move(question); }

    // Leaving the current universe never waits: open(), create(), deleting the
    // current universe and prepareToQuit() return at once, and the store goes on from
    // the event loop while the universe left finishes its writes on their own thread
    // and the next one is read or written on another. A universe is left once the
    // writes of the edits made before the request are done (edits made since are
    // written after it is left, and a failure of theirs is told by operationFailed());
    // when the last of those failed, it is tried once more, and then the user is asked
    // (the question above). A universe being deleted writes nothing more once its
    // delete is asked. A request made while another is under way follows fixed rules:
    // a confirmed create or delete is never dropped (it is carried out, or the universe
    // made written and listed, and the later request follows it); an open gives way to
    // any later request; while a quit is under way (quitting()) no other is taken.
    // Headers are taken by value: callers pass elements of headers(), which these
    // operations replace.
    // Opens a listed universe from the file it was listed from, read and decoded on
    // a worker thread. On a failed read, or a file that does not hold the universe
    // chosen (another program replaced it), the current universe stays, loadError is
    // set and openFailed() is emitted (and the folder is listed again when the file
    // holds another universe). Opening the current universe does nothing.
    void open(Header header);
    // The universe about to become current while the store switches to it, if it is.
    const std::optional<Header> &opening() const { return m_opening; }
    // Creates, saves and opens a new universe (an empty name becomes "Untitled
    // Universe"). When it cannot be saved, the user is told (operationFailed()) and
    // the current universe stays.
    void create(const QString &name);
    // Renames the current universe and saves it in the background; the headers show
    // the new name at once. A failed write is told by the universe's saveFailed().
    void renameCurrent(const QString &name);
    // Removes exactly the file the header was listed from; a failure is told
    // (operationFailed()). The current universe's file is removed once its writes
    // are done, so that none brings it back; then the first remaining universe is
    // opened, or a new "My Universe" made, and nothing of the deleted one is written
    // any more. So is the file of a universe left whose writes go on: it writes nothing
    // more, is listed no more, and its file goes once its write under way ends.
    void deleteUniverse(Header header);
    // Gets ready for the program to end: once the request under way is carried out,
    // and every write of the current universe and of those left earlier is done (or
    // the user chose to leave edits that could not be saved), quitReady() is emitted.
    // Staying, when asked, ends the quit without a signal, as does a create or delete
    // that the quit followed and that failed (the failure is told).
    void prepareToQuit();
    // From prepareToQuit() until quitReady() or the quit's end: no request is taken.
    bool quitting() const { return m_quitAsked; }
    // Called on the saving thread with each snapshot of the store's universes (the
    // current one, and those the store opens or makes from now on) just before it is
    // written.
    void setWriteObserver(std::function<void(const UniverseContents &)> observer);

    // The stored universes (".json" files whose id and name can be read), sorted by
    // name as file managers sort (letter case ignored, numbers by value), stably.
    // Files that did not change since the last listing (in this run or, through the
    // header cache, an earlier one) are not read again; those read are handed to
    // `visitRead`.
    QList<Header> loadHeaders(const HeaderCache::ReadVisitor &visitRead = {});
    void storeLastUniverseID(const std::optional<QUuid> &id);
    // Sets the key to the value, or removes it for no value, on the settings' worker,
    // which writes the latest values of all the keys set, once, when it is free.
    void writeSetting(const QString &key, const QVariant &value);
    // The one-time migration; `listed` is the current listing, to which the migrated
    // universe is added. Returns the migrated universe, which start-up opens (and
    // remembers) as the last one opened.
    std::unique_ptr<StarfarerUniverse> migrateIfNeeded(QList<Header> &listed);
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
    // A quit started or ended (quitting()).
    void quittingChanged();
    // A universe chosen to be opened could not be read; loadError() says so (even
    // when it already did, for an earlier failure of the same file).
    void openFailed();
    // A failure the user must be told about (a universe that could not be saved,
    // removed or opened); `message` says which file and why.
    void operationFailed(const QString &message);
    // What the user asked for before the quit is done, and nothing of any universe is
    // left to write: the program may end.
    void quitReady();

private:
    struct Departure;
    struct Switch;
    // The requests the store takes.
    enum class Request {
        open,          // another universe
        stay,          // the current universe chosen again
        create,        // a new universe
        deleteCurrent, // the current universe's file
        deleteOther,   // another universe's file
        deleteKept,    // the file of a universe left whose writes go on
        quit,
    };
    // What is under way when a request comes: a change of the current universe, or a
    // quit (under way, or to follow the change under way).
    enum class Pending {
        nothing,
        open,
        create,
        deleteCurrent,
        quit,
    };
    // What a request does to the one under way (ruleFor() holds the table).
    enum class Rule {
        replace,           // the one under way ends; the request starts
        drop,              // the request is not taken; the one under way goes on
        joinDelete,        // what the request opens or makes replaces the universe deleted
        deleteFirst,       // the delete goes first; the universe being made replaces it
        quitAfter,         // the quit follows the one under way
        removeAtOnce,      // the other universe's file goes now; the one under way goes on
        removeWhenWritten, // that universe writes no more, and its file goes once its
                           // write under way ends; the one under way goes on
    };
    // When another universe's file goes.
    enum class Removal {
        atOnce,
        onceWritten, // after the write under way of the universe left that writes it
    };
    // What becomes of a universe made by a change that ends before it is current.
    enum class Made {
        written,   // written and listed all the same: the user asked for it
        discarded, // not written: the user chose to stay
    };

    static Rule ruleFor(Pending pending, Request request);
    Pending pending() const;
    void take(Request request, Header header);
    void start(Request request, Header header);
    void joinDelete(Request request, Header header);
    void deleteFirst(const Header &header);
    void removeOther(const Header &header, Removal removal);
    // The universe left (kept, or taken back to be opened) that still writes `path`.
    StarfarerUniverse *writerOf(const QString &path) const;
    // Whether the file at `path` is deleted and goes once its universe's write ends.
    bool deletedOnceWritten(const QString &path) const;
    void setQuitting(bool quitting);

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
    // Saves a document that is not current yet, waiting for the write (at start-up
    // only); reports a failure.
    bool saveReporting(StarfarerUniverse &universe);
    void beginSwitch(std::unique_ptr<Switch> change);
    // Takes the change under way as far as it can go now; called again by whatever
    // it waits for. Once it ends, a quit asked meanwhile follows.
    void advance();
    void followWithQuit();
    // Whether the universes the change leaves may be left now.
    bool mayLeave();
    // Whether `departure`'s universe may be left now: the writes it waits for are
    // done, and written or left unsaved by the user's choice. Otherwise tries the
    // failed write once more or asks the user, and the change goes on when that ends.
    bool departed(Departure &departure, Leaving leaving);
    void askToLeave(Departure &departure, Leaving leaving);
    void answered(quint64 question, bool leave);
    // The steps that end each kind of change. removeDeleted() is false once the change
    // ended (the file could not be removed, or no universe is to replace it).
    bool removeDeleted();
    // Removes the file a universe was listed from; false, told by operationFailed(),
    // when it is still there.
    bool removeListedFile(const Header &header);
    void finishOpening();
    void switchToOpened(std::unique_ptr<StarfarerUniverse> opened);
    void finishCreating();
    // Makes `next` current in place of the universe the change leaves, and ends it.
    void switchTo(std::unique_ptr<StarfarerUniverse> next);
    // Reads the file of the universe to open on the worker, or takes back the universe
    // left that still writes it.
    void startReading();
    // The universe to open is not opened: its read is abandoned, and a universe left
    // taken back is kept again until its writes end.
    void dropOpening(Switch &change);
    // Makes `change` the creation of a new universe named `name`.
    void makeCreation(Switch &change, const QString &name) const;
    // Makes `change` that creation, and shows it as the universe opening.
    void createInstead(Switch &change, const QString &name);
    // Makes `change` the delete of the current universe, or of its file, `deleted`.
    void aimAtDelete(Switch &change, Header deleted) const;
    // The first remaining universe replaces the one deleted, or a new "My Universe"
    // when none is left.
    void chooseReplacement();
    // Shows, while the deleted universe's last write ends, what will replace it.
    void nameReplacement();
    void setOpening(const std::optional<Header> &header);
    // A universe made for the change that will not become current by it.
    void setMadeAside(Switch &change, Made made);
    // Ends the change under way; its universe still being read is left unread.
    void endSwitch(Made made);
    // Keeps a universe left (or made and not opened) until its writes are done.
    void keepUntilWritten(std::unique_ptr<StarfarerUniverse> universe);
    StarfarerUniverse *keep(std::unique_ptr<StarfarerUniverse> universe);
    // Lets a universe kept go once its writes are done, and removes its file when it
    // was deleted meanwhile; false while it is still written (or not kept).
    bool letGoOnceWritten(StarfarerUniverse *kept);
    void keptStateChanged(StarfarerUniverse *kept);
    // The documents the store saves, and the current one, tell what their writes put
    // in place: listing then reads none of their files, only files changed by others.
    void rememberWritten(const QString &path, const StarfarerUniverse::Listing &listing);
    void setCurrent(std::unique_ptr<StarfarerUniverse> universe);
    void setHeaders(QList<Header> headers);
    void setLoadError(const std::optional<QString> &error, const QString &file = QString());
    void refreshHeaders() { setHeaders(loadHeaders()); }
    void reportUnreadable(const QString &path, const QString &reason);

    UniverseFolder m_folder;
    QSettings *m_settings;
    // Let go after every member below and every universe the store keeps: no write
    // of this instance outlives it.
    FolderLock m_lock;
    std::unique_ptr<StarfarerUniverse> m_current;
    QList<Header> m_headers;
    std::optional<QString> m_loadError;
    QString m_loadErrorFile;
    HeaderCache m_headerCache;
    NaturalOrder m_order;
    int m_filesOpened = 0;
    LeaveUnsavedQuestion m_leaveUnsaved;
    std::function<void(const UniverseContents &)> m_writeObserver;
    // What the store knows, apart from the change under way: the current universe's
    // file was removed (it is being replaced), and a quit was asked.
    bool m_currentDeleted = false;
    bool m_quitAsked = false;
    // Universes left, or made and not opened, whose writes go on (children).
    QList<StarfarerUniverse *> m_kept;
    // Those of them deleted: each file goes once the universe's write under way ends.
    QHash<const StarfarerUniverse *, Header> m_deletedOnceWritten;
    std::unique_ptr<Switch> m_switch;
    std::optional<Header> m_opening;
    BackgroundDecoder m_decoder;
    SettingsWriter m_settingsWriter;
};
