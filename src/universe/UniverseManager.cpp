#include "UniverseManager.h"

#include "SaveLeftovers.h"
#include "StatusLine.h"
#include "WorkerPools.h"
#include "model/NaturalOrder.h"
#include "json/JsonParser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <array>
#include <utility>

namespace {

QString trimmedOrUntitled(const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? StarfarerUniverse::kUntitledName : trimmed;
}

} // namespace

UniverseManager::UniverseManager(UniverseFolder folder, QSettings *settings, QObject *parent)
    : QObject(parent), m_folder(std::move(folder)), m_settings(settings), m_lock(m_folder.lockFilePath()),
      m_headerCache(m_folder.headerCachePath()), m_settingsWriter(settings->fileName(), settings->format())
{}

UniverseManager::~UniverseManager()
{
    // The universes kept while their writes end are children, which ~QObject would
    // delete only after the members, the lock among them: they go first, and the
    // members that write (the current universe, one being made, the settings' worker)
    // before the lock.
    qDeleteAll(findChildren<StarfarerUniverse *>(QString(), Qt::FindDirectChildrenOnly));
}

bool UniverseManager::start(FolderLock::OtherHostLock otherHost)
{
    m_folder.ensureUniversesDirectory();
    if (!lockFolder(otherHost))
        return false;
    // Once the migration is done, the remembered universe is read before the folder is
    // listed: the listing then knows its header from that one read and does not read
    // a large file a second time. Before, the migration may choose what is remembered.
    const bool migrated = m_settings->value(kDidMigrateKey, false).toBool();
    std::unique_ptr<StarfarerUniverse> opened;
    if (migrated)
        opened = readRemembered();
    // Without a remembered universe the first by name is opened: of the files the
    // listing reads, the one whose name comes first is kept, and opened without
    // reading it again when it is that one.
    struct Kept
    {
        QString path;
        QString name;
        StarfarerUniverse::CheckedFile file;
    };
    std::optional<Kept> firstRead;
    const auto keepFirstByName = [&](const QString &path, StarfarerUniverse::CheckedFile &&file) {
        const std::optional<Header> header = file.header();
        if (header && (!firstRead || m_order.compare(header->name, firstRead->name) < 0))
            firstRead = Kept{path, header->name, std::move(file)};
    };
    // Listed once; what start-up saves is added to this listing.
    QList<Header> listed = opened ? loadHeaders() : loadHeaders(keepFirstByName);
    if (!migrated) {
        opened = migrateIfNeeded(listed);
        if (!opened)
            opened = readRemembered();
    }
    if (!opened && !listed.isEmpty()) {
        const QString &path = listed.first().filePath;
        QString reason;
        opened = firstRead && firstRead->path == path
                     ? StarfarerUniverse::openChecked(path, firstRead->file, m_folder, &reason)
                     : read(path, &reason);
        if (!opened)
            reportUnreadable(path, reason);
    }
    firstRead.reset();
    if (!opened) {
        opened = makeNew(kDefaultName);
        if (saveReporting(*opened))
            addListed(listed, *opened);
    }
    setCurrent(std::move(opened));
    storeLastUniverseID(m_current->id());
    setHeaders(listed);
    return true;
}

std::unique_ptr<StarfarerUniverse> UniverseManager::readRemembered()
{
    const QUuid remembered = QUuid::fromString(m_settings->value(kLastUniverseIDKey).toString());
    if (remembered.isNull())
        return nullptr;
    const QString path = m_folder.fileFor(remembered);
    QString reason;
    auto opened = read(path, &reason);
    // A file replaced by another universe's (a copy a sync tool put there) does not
    // hold the universe remembered: opening it would give that one this identity.
    if (opened && opened->id() != remembered) {
        reason =
            QStringLiteral("the file holds another universe (") + uuidText(opened->id()) + QLatin1Char(')');
        opened.reset();
    }
    // A remembered universe whose file is gone is simply forgotten; one whose file
    // is there but unreadable is reported, and its file is left untouched.
    if (!opened && QFileInfo::exists(path))
        reportUnreadable(path, reason);
    return opened;
}

bool UniverseManager::lockFolder(FolderLock::OtherHostLock otherHost)
{
    const FolderLock::State state = m_lock.acquire(otherHost);
    if (state == FolderLock::State::held) {
        // Nothing beside the settings file is removed: what a killed write of it leaves
        // ("<file>.XXXXXX") cannot be told from a user's copy named so.
        m_folder.removeStaleTemporaryFiles();
    }
    // A folder where no lock can be made at all (read-only, say) is still opened:
    // its saves fail and are reported.
    return state == FolderLock::State::held || state == FolderLock::State::unavailable;
}

// A universe that a change leaves once the writes it waits for are done, and where
// asking the user about a failed one stands.
struct UniverseManager::Departure
{
    QPointer<StarfarerUniverse> universe;
    quint64 awaited = 0;      // the save request its writes must hold
    bool everyWrite = false;  // quitting: every write asked for, to the last
    bool retried = false;     // its failed write was tried once more
    quint64 question = 0;     // the question asked about it, while unanswered
    bool leaveAgreed = false; // the user chose to leave edits that could not be saved
};

// A change of the current universe under way, or the quit, taken on from the event
// loop as the universes left finish their writes and the next one is read or written.
struct UniverseManager::Switch
{
    Pending kind = Pending::open;
    // Each change has its own number, so that a read started for an earlier one is
    // not taken for this one.
    quint64 number = 0;
    // deleteCurrent: the listed file, removed once no write of the current universe
    // runs; deletesCurrent when it is the current universe's, which is then left.
    std::optional<Header> deleted;
    bool deletesCurrent = false;
    // The universe to make current: read (open) or made (create); none for a quit,
    // nor for a delete until what replaces the universe deleted is chosen.
    std::optional<Header> target;
    std::optional<BackgroundDecoder::Outcome> read; // the file once read
    std::unique_ptr<StarfarerUniverse> retaken;     // or the universe left, taken back
    std::unique_ptr<StarfarerUniverse> created;     // the universe made
    bool writeAsked = false;                        // the universe made was asked to be written
    // The universes whose writes the change waits for: the current one's edits made
    // before the change was asked; for a quit every write, of the universes kept too.
    QList<Departure> leaving;
    QList<QMetaObject::Connection> watches; // what the change listens to
};

// What a request does when another is under way. A confirmed create or delete is
// never dropped: the later request follows it (a quit waits for it; an open or create
// becomes what replaces the universe deleted; a delete of the universe left takes the
// universe being made as its replacement), and a universe made that a later request
// displaces is written and listed all the same. An open holds nothing of the user's
// and gives way to any later request. Another universe's file goes at once, or, when
// a universe left still writes it, once that write ends, so that none brings it back.
// While a quit is under way nothing is taken.
UniverseManager::Rule UniverseManager::ruleFor(Pending pending, Request request)
{
    using enum Rule;
    // clang-format off
    static constexpr std::array<std::array<Rule, 7>, 5> kRules{{
        //  open        stay     create      deleteCurrent deleteOther   deleteKept         quit          under way:
        {   replace,    drop,    replace,    replace,      replace,      removeWhenWritten, replace   }, // nothing
        {   replace,    replace, replace,    replace,      replace,      removeWhenWritten, replace   }, // open
        {   replace,    replace, replace,    deleteFirst,  removeAtOnce, removeWhenWritten, quitAfter }, // create
        {   joinDelete, drop,    joinDelete, drop,         removeAtOnce, removeWhenWritten, quitAfter }, // deleteCurrent
        {   drop,       drop,    drop,       drop,         drop,         drop,              drop      }, // quit
    }};
    // clang-format on
    return kRules[std::size_t(pending)][std::size_t(request)];
}

UniverseManager::Pending UniverseManager::pending() const
{
    if (m_quitAsked)
        return Pending::quit;
    return m_switch ? m_switch->kind : Pending::nothing;
}

void UniverseManager::open(Header header)
{
    // A universe deleted, whose file goes once its last write ends, is not opened.
    if (deletedOnceWritten(header.filePath))
        return;
    const bool current = m_current && header.id == m_current->id();
    take(current ? Request::stay : Request::open, std::move(header));
}

void UniverseManager::create(const QString &name)
{
    take(Request::create, Header{QUuid(), trimmedOrUntitled(name), QString()});
}

void UniverseManager::renameCurrent(const QString &name)
{
    // The folder is listed before the new name is written: a write that ended before
    // its outcome is reported would have the listing read the file back.
    QList<Header> listed = m_headerCache.list(m_folder.universesPath());
    m_current->setName(trimmedOrUntitled(name));
    // Written in the background like every save: a large universe takes seconds to
    // write, and the window does not wait for it. A failed write reaches the user as
    // every failed save does.
    m_current->save();
    // The file holds the old name until the write is done; the listing shows the new
    // one at once.
    for (Header &header : listed) {
        if (header.id == m_current->id() && header.filePath == m_current->filePath())
            header.name = m_current->name();
    }
    sortByName(listed);
    setHeaders(listed);
}

void UniverseManager::deleteUniverse(Header header)
{
    // A file at the current universe's place is removed once its write under way ends,
    // so that none brings it back; another universe's at once.
    const bool current =
        m_current && (header.id == m_current->id() || header.filePath == m_current->filePath());
    const Request request = current                                ? Request::deleteCurrent
                            : writerOf(header.filePath) != nullptr ? Request::deleteKept
                                                                   : Request::deleteOther;
    take(request, std::move(header));
}

void UniverseManager::prepareToQuit()
{
    take(Request::quit, Header{});
}

void UniverseManager::setWriteObserver(std::function<void(const UniverseContents &)> observer)
{
    m_writeObserver = std::move(observer);
    if (m_current)
        m_current->setWriteObserver(m_writeObserver);
}

void UniverseManager::take(Request request, Header header)
{
    // A store that never started (another instance holds the folder) has nothing to
    // leave, nor to leave it for.
    if (!m_current) {
        if (request == Request::quit)
            emit quitReady();
        return;
    }
    switch (ruleFor(pending(), request)) {
    case Rule::replace:
        endSwitch(Made::written);
        start(request, std::move(header));
        break;
    case Rule::drop: break;
    case Rule::joinDelete: joinDelete(request, std::move(header)); break;
    case Rule::deleteFirst: deleteFirst(header); break;
    case Rule::quitAfter: setQuitting(true); break;
    case Rule::removeAtOnce: removeOther(header, Removal::atOnce); break;
    case Rule::removeWhenWritten: removeOther(header, Removal::onceWritten); break;
    }
}

void UniverseManager::start(Request request, Header header)
{
    auto change = std::make_unique<Switch>();
    switch (request) {
    case Request::stay: return;
    case Request::deleteOther: removeOther(header, Removal::atOnce); return;
    case Request::deleteKept: removeOther(header, Removal::onceWritten); return;
    case Request::open:
        change->kind = Pending::open;
        change->target = std::move(header);
        break;
    case Request::create:
        change->kind = Pending::create;
        makeCreation(*change, header.name);
        break;
    case Request::deleteCurrent: aimAtDelete(*change, std::move(header)); break;
    case Request::quit:
        change->kind = Pending::quit;
        setQuitting(true);
        break;
    }
    beginSwitch(std::move(change));
}

// An open or create asked while the current universe is deleted: what it asks for
// replaces the universe deleted, instead of the first remaining one.
void UniverseManager::joinDelete(Request request, Header header)
{
    Switch &change = *m_switch;
    dropOpening(change);
    setMadeAside(change, Made::written);
    if (request == Request::open) {
        change.target = std::move(header);
        startReading();
    } else {
        createInstead(change, header.name);
    }
    advance();
}

// The current universe deleted while a new one is made: the delete goes first, and
// the universe made replaces the one deleted.
void UniverseManager::deleteFirst(const Header &header)
{
    Switch &change = *m_switch;
    aimAtDelete(change, header);
    change.leaving.clear(); // a question asked about its edits no longer matters
    if (change.deletesCurrent)
        m_current->stopSaving();
    advance();
}

// Another universe's file goes, at once or once the write under way of the universe
// left that writes it ends. A universe about to be opened from it is not opened (one
// taken back is kept again until its writes end): what replaces a deleted universe is
// chosen again, among the universes still listed.
void UniverseManager::removeOther(const Header &header, Removal removal)
{
    const bool opening =
        m_switch && m_switch->target && !m_switch->created && m_switch->target->filePath == header.filePath;
    if (opening) {
        dropOpening(*m_switch);
        m_switch->target.reset();
    }
    StarfarerUniverse *writer = removal == Removal::onceWritten ? writerOf(header.filePath) : nullptr;
    if (writer) {
        // Written no more; its write under way still ends, and then the file goes
        // (keptStateChanged). Listed no more from now on.
        m_deletedOnceWritten.insert(writer, header);
        writer->stopSaving();
    } else {
        removeListedFile(header);
    }
    refreshHeaders();
    if (!opening)
        return;
    if (m_currentDeleted)
        chooseReplacement();
    else
        nameReplacement();
    advance();
}

StarfarerUniverse *UniverseManager::writerOf(const QString &path) const
{
    for (StarfarerUniverse *kept : m_kept) {
        if (kept->filePath() == path && !m_deletedOnceWritten.contains(kept))
            return kept;
    }
    if (m_switch && m_switch->retaken && m_switch->retaken->filePath() == path)
        return m_switch->retaken.get();
    return nullptr;
}

bool UniverseManager::deletedOnceWritten(const QString &path) const
{
    return std::any_of(m_deletedOnceWritten.cbegin(), m_deletedOnceWritten.cend(),
                       [&path](const Header &header) { return header.filePath == path; });
}

void UniverseManager::setQuitting(bool quitting)
{
    if (std::exchange(m_quitAsked, quitting) != quitting)
        emit quittingChanged();
}

void UniverseManager::beginSwitch(std::unique_ptr<Switch> change)
{
    static quint64 numbers = 0;
    change->number = ++numbers;
    m_switch = std::move(change);
    Switch &started = *m_switch;
    // Queued: a write's outcomes are published one by one, and the change goes on from
    // the latest.
    started.watches.append(connect(m_current.get(), &StarfarerUniverse::saveStateChanged, this,
                                   &UniverseManager::advance, Qt::QueuedConnection));
    const Departure current{m_current.get(), m_current->lastSaveRequest()};
    switch (started.kind) {
    case Pending::open:
        started.leaving = {current};
        startReading();
        break;
    case Pending::create:
        started.leaving = {current};
        setOpening(started.target);
        break;
    case Pending::deleteCurrent:
        // Edits of a universe being deleted are written no more: only a write under way
        // is waited for.
        if (started.deletesCurrent)
            m_current->stopSaving();
        nameReplacement();
        break;
    case Pending::quit:
        started.leaving = {Departure{m_current.get(), 0, true}};
        for (StarfarerUniverse *kept : std::as_const(m_kept))
            started.leaving.append(Departure{kept, 0, true});
        break;
    case Pending::nothing: break;
    }
    advance();
}

void UniverseManager::startReading()
{
    Switch &change = *m_switch;
    setOpening(change.target);
    // A universe left whose writes go on holds the newest version of its file, edits
    // not yet written included: it is taken back rather than read (unless the user
    // chose to leave its edits unsaved).
    const Header &target = *change.target;
    const auto kept =
        std::find_if(m_kept.cbegin(), m_kept.cend(), [&target](const StarfarerUniverse *universe) {
            return universe->id() == target.id && universe->filePath() == target.filePath &&
                   !universe->savingStopped();
        });
    if (kept != m_kept.cend()) {
        change.retaken.reset(*kept);
        m_kept.erase(kept);
        disconnect(change.retaken.get(), nullptr, this, nullptr);
        change.retaken->setParent(nullptr);
        return;
    }
    ++m_filesOpened;
    const quint64 number = change.number;
    m_decoder.start(change.target->filePath, [this, number](BackgroundDecoder::Outcome outcome) {
        if (!m_switch || m_switch->number != number)
            return;
        m_switch->read = std::move(outcome);
        advance();
    });
}

void UniverseManager::advance()
{
    if (!m_switch || !mayLeave())
        return;
    if (m_switch->kind == Pending::quit) {
        endSwitch(Made::discarded);
        emit quitReady();
        setQuitting(false);
        return;
    }
    if (m_switch->deleted && !removeDeleted()) {
        followWithQuit();
        return;
    }
    if (m_switch->created)
        finishCreating();
    else
        finishOpening();
    followWithQuit();
}

void UniverseManager::followWithQuit()
{
    if (!m_switch && m_quitAsked)
        start(Request::quit, Header{});
}

bool UniverseManager::mayLeave()
{
    Switch &change = *m_switch;
    // A universe being deleted saves no more: its write under way is waited for, so
    // that it does not bring the file back once removed.
    if (change.deleted)
        return m_current->saveState().settled();
    const Leaving leaving = change.kind == Pending::quit ? Leaving::quitting : Leaving::switching;
    for (Departure &departure : change.leaving) {
        if (!departed(departure, leaving))
            return false;
    }
    return true;
}

bool UniverseManager::departed(Departure &departure, Leaving leaving)
{
    StarfarerUniverse *universe = departure.universe;
    if (!universe)
        return true;
    // A universe deleted is left once its file is gone.
    if (m_deletedOnceWritten.contains(universe))
        return false;
    if (departure.everyWrite)
        departure.awaited = universe->lastSaveRequest();
    if (!universe->lastOutcome().settles(departure.awaited))
        return false;
    if (universe->lastOutcome().kind == SaveState::Kind::clean || departure.leaveAgreed)
        return true;
    if (!std::exchange(departure.retried, true)) {
        // A write already asked for, of a later edit, is the try.
        universe->retryFailedSave();
        departure.awaited = universe->lastSaveRequest();
        if (!universe->lastOutcome().settles(departure.awaited))
            return false;
    }
    if (!m_leaveUnsaved) {
        departure.leaveAgreed = true;
        return true;
    }
    if (!departure.question)
        askToLeave(departure, leaving);
    return false;
}

void UniverseManager::askToLeave(Departure &departure, Leaving leaving)
{
    static quint64 questions = 0;
    departure.question = ++questions;
    const quint64 question = departure.question;
    m_leaveUnsaved(*departure.universe, leaving,
                   [store = QPointer<UniverseManager>(this), question](bool leave) {
                       // Taken from the event loop: the question may answer before it returns.
                       if (store) {
                           QMetaObject::invokeMethod(
                               store, [store, question, leave] { store->answered(question, leave); },
                               Qt::QueuedConnection);
                       }
                   });
}

void UniverseManager::answered(quint64 question, bool leave)
{
    if (!m_switch)
        return;
    QList<Departure> &leaving = m_switch->leaving;
    const auto asked = std::find_if(leaving.begin(), leaving.end(), [question](const Departure &departure) {
        return departure.question == question;
    });
    if (asked == leaving.end())
        return; // asked for a change replaced since
    asked->question = 0;
    if (leave) {
        asked->leaveAgreed = true;
        advance();
        return;
    }
    // Staying ends the change, whose universe being made is not made, or the quit; a
    // quit that was to follow the change comes now.
    const bool quit = m_switch->kind == Pending::quit;
    endSwitch(Made::discarded);
    if (quit)
        setQuitting(false);
    else
        followWithQuit();
}

bool UniverseManager::removeDeleted()
{
    Switch &change = *m_switch;
    const Header deleted = *std::exchange(change.deleted, std::nullopt);
    if (!removeListedFile(deleted)) {
        // The file is still there: its universe stays, and saves again. A quit that was
        // to follow is given up, so that the user sees why.
        if (change.deletesCurrent)
            m_current->resumeSaving();
        endSwitch(Made::written);
        setQuitting(false);
        refreshHeaders();
        return false;
    }
    refreshHeaders();
    if (change.deletesCurrent) {
        m_currentDeleted = true;
        if (!change.target)
            chooseReplacement();
        return true;
    }
    if (change.target)
        return true;
    endSwitch(Made::written);
    return false;
}

bool UniverseManager::removeListedFile(const Header &header)
{
    // Removing a large file frees its pages, which takes long on a busy disk: the file
    // is renamed aside at once, which is quick and leaves no universe to open or write
    // under its name, and the renamed file is removed on a worker. It is named as the
    // program's own left-over, which the next start removes should the program end first.
    // A link, or what is no file at all, is removed (or not) at once, as it is.
    const QString &path = header.filePath;
    const QFileInfo info(path);
    QFile file(path);
    const QString aside = saveLeftoverName(path, SaveLeftover::removal);
    if (info.isFile() && !info.isSymLink() && file.rename(aside)) {
        static_cast<void>(QtConcurrent::run(jobPool(), [aside] { QFile::remove(aside); }));
        return true;
    }
    if (file.remove() || !QFileInfo::exists(path))
        return true;
    emit operationFailed(QStringLiteral("Couldn\u2019t delete the universe \u201C%1\u201D (%2): %3")
                             .arg(header.name, path, file.errorString()));
    return false;
}

void UniverseManager::finishOpening()
{
    Switch &change = *m_switch;
    if (change.retaken) {
        switchToOpened(std::move(change.retaken));
        return;
    }
    if (!change.read)
        return;
    const Header header = *change.target;
    BackgroundDecoder::Outcome outcome = std::move(*change.read);
    change.read.reset();
    QString reason = outcome.error;
    // A file replaced by another universe's (a copy a sync tool put there) is not the
    // universe chosen: opening it would give this one the other's identity.
    const bool replaced = outcome.decoded && outcome.decoded->contents.id != header.id;
    if (replaced) {
        reason = QStringLiteral("the file holds another universe (") +
                 uuidText(outcome.decoded->contents.id) + QLatin1Char(')');
    }
    if (!outcome.decoded || replaced) {
        if (m_currentDeleted) {
            // The universe deleted cannot stay: a new one takes its place.
            reportUnreadable(header.filePath, reason);
            createInstead(change, kDefaultName);
            finishCreating();
            return;
        }
        endSwitch(Made::written);
        setLoadError(kLoadErrorText, header.filePath);
        printStatusLine(QStringLiteral("Failed to load universe ") + uuidText(header.id) +
                        QStringLiteral(": ") + reason);
        if (replaced)
            refreshHeaders();
        emit openFailed();
        return;
    }
    m_headerCache.remember(header.filePath, outcome.decoded->listing); // not read again to be listed
    switchToOpened(StarfarerUniverse::fromFile(header.filePath, std::move(*outcome.decoded), m_folder));
}

void UniverseManager::switchToOpened(std::unique_ptr<StarfarerUniverse> opened)
{
    const bool listAgain = m_currentDeleted;
    switchTo(std::move(opened));
    setLoadError(std::nullopt);
    if (listAgain)
        refreshHeaders();
}

void UniverseManager::finishCreating()
{
    Switch &change = *m_switch;
    StarfarerUniverse &created = *change.created;
    if (!std::exchange(change.writeAsked, true)) {
        change.watches.append(
            connect(&created, &StarfarerUniverse::written, this, &UniverseManager::rememberWritten));
        change.watches.append(connect(&created, &StarfarerUniverse::saveStateChanged, this,
                                      &UniverseManager::advance, Qt::QueuedConnection));
        created.save();
    }
    const SaveState state = created.saveState();
    if (!state.settled())
        return;
    const bool written = state.kind == SaveState::Kind::clean;
    if (!written)
        emit operationFailed(state.message);
    // A universe that could not be written is not switched to, unless the one left
    // was deleted: the store always has a current universe. A quit that was to follow
    // is given up, so that the user sees why.
    if (!written && !m_currentDeleted) {
        endSwitch(Made::discarded);
        setQuitting(false);
        return;
    }
    switchTo(std::move(change.created));
    refreshHeaders();
}

void UniverseManager::switchTo(std::unique_ptr<StarfarerUniverse> next)
{
    // Edits the user chose to leave unsaved are tried no more.
    const bool unsavedLeft = !m_switch->leaving.isEmpty() && m_switch->leaving.first().leaveAgreed;
    endSwitch(Made::written);
    if (unsavedLeft)
        m_current->stopSaving();
    setCurrent(std::move(next));
    storeLastUniverseID(m_current->id());
}

void UniverseManager::makeCreation(Switch &change, const QString &name) const
{
    change.created = makeNew(name);
    change.writeAsked = false;
    change.target = Header{change.created->id(), change.created->name(), change.created->filePath()};
}

void UniverseManager::createInstead(Switch &change, const QString &name)
{
    makeCreation(change, name);
    setOpening(change.target);
}

void UniverseManager::aimAtDelete(Switch &change, Header deleted) const
{
    change.kind = Pending::deleteCurrent;
    change.deletesCurrent = deleted.id == m_current->id();
    change.deleted = std::move(deleted);
}

void UniverseManager::chooseReplacement()
{
    Switch &change = *m_switch;
    if (!m_headers.isEmpty()) {
        change.target = m_headers.first();
        startReading();
        return;
    }
    createInstead(change, kDefaultName);
}

void UniverseManager::nameReplacement()
{
    const Switch &change = *m_switch;
    if (change.target || !change.deletesCurrent) {
        setOpening(change.target);
        return;
    }
    for (const Header &header : std::as_const(m_headers)) {
        if (header.filePath != change.deleted->filePath) {
            setOpening(header);
            return;
        }
    }
    setOpening(Header{QUuid(), kDefaultName, QString()});
}

void UniverseManager::setOpening(const std::optional<Header> &header)
{
    const bool changed = header.has_value() != m_opening.has_value() ||
                         (header && (header->id != m_opening->id || header->name != m_opening->name));
    m_opening = header;
    if (changed)
        emit openingChanged();
}

void UniverseManager::setMadeAside(Switch &change, Made made)
{
    if (!change.created)
        return;
    if (made == Made::discarded)
        change.created->stopSaving();
    else if (!change.writeAsked)
        change.created->save();
    change.writeAsked = false;
    keepUntilWritten(std::move(change.created));
}

void UniverseManager::dropOpening(Switch &change)
{
    m_decoder.abandon();
    change.read.reset();
    if (change.retaken)
        keepUntilWritten(std::move(change.retaken));
}

void UniverseManager::endSwitch(Made made)
{
    if (!m_switch)
        return;
    std::unique_ptr<Switch> change = std::move(m_switch);
    for (const QMetaObject::Connection &watch : std::as_const(change->watches))
        disconnect(watch);
    dropOpening(*change);
    setMadeAside(*change, made);
    setOpening(std::nullopt);
}

// A universe left, or made and not opened, goes once its writes are done, without
// waiting for them here: until then the store keeps it, tells when a write of it
// fails (it is then tried again on its own timer), and a quit waits for it. It goes
// later in any case, after the views that still showed it, which the listeners of the
// change have just handed to deleteLater(), so that it holds the last share of its
// values and frees them on a worker thread.
void UniverseManager::keepUntilWritten(std::unique_ptr<StarfarerUniverse> universe)
{
    letGoOnceWritten(keep(std::move(universe)));
}

StarfarerUniverse *UniverseManager::keep(std::unique_ptr<StarfarerUniverse> universe)
{
    StarfarerUniverse *kept = universe.release();
    kept->setParent(this); // deleted with the store if no event loop runs again
    m_kept.append(kept);
    connect(kept, &StarfarerUniverse::written, this, &UniverseManager::rememberWritten, Qt::UniqueConnection);
    connect(kept, &StarfarerUniverse::saveFailed, this, &UniverseManager::operationFailed);
    connect(
        kept, &StarfarerUniverse::saveStateChanged, this,
        [this, kept = QPointer<StarfarerUniverse>(kept)] { keptStateChanged(kept); }, Qt::QueuedConnection);
    return kept;
}

bool UniverseManager::letGoOnceWritten(StarfarerUniverse *kept)
{
    if (!m_kept.contains(kept) || kept->saveState().kind != SaveState::Kind::clean)
        return false;
    m_kept.removeOne(kept);
    kept->deleteLater();
    const std::optional<Header> deleted = m_deletedOnceWritten.contains(kept)
                                              ? std::optional<Header>(m_deletedOnceWritten.take(kept))
                                              : std::nullopt;
    if (deleted && !removeListedFile(*deleted) && m_quitAsked) {
        // A quit is given up, so that the user sees why the file is still there.
        if (m_switch && m_switch->kind == Pending::quit)
            endSwitch(Made::discarded);
        setQuitting(false);
    }
    return true;
}

void UniverseManager::keptStateChanged(StarfarerUniverse *kept)
{
    if (!kept || !m_kept.contains(kept))
        return;
    if (letGoOnceWritten(kept))
        refreshHeaders(); // a universe made shows once written, one deleted is gone
    advance();            // a quit waits for it
}

QList<UniverseManager::Header> UniverseManager::loadHeaders(const HeaderCache::ReadVisitor &visitRead)
{
    QList<Header> headers = m_headerCache.list(m_folder.universesPath(), visitRead);
    sortByName(headers);
    return headers;
}

void UniverseManager::sortByName(QList<Header> &headers) const
{
    m_order.sort(headers, [](const Header &header) { return header.name; });
}

void UniverseManager::addListed(QList<Header> &listed, const StarfarerUniverse &universe) const
{
    listed.append(Header{universe.id(), universe.name(), universe.filePath()});
    sortByName(listed);
}

void UniverseManager::storeLastUniverseID(const std::optional<QUuid> &id)
{
    writeSetting(kLastUniverseIDKey, id ? QVariant(uuidText(*id)) : QVariant());
}

void UniverseManager::writeSetting(const QString &key, const QVariant &value)
{
    // The settings of one file share their values in the process under one lock,
    // held for the whole of a write: the GUI thread writes no setting, which would
    // also have it write the file again from its event loop, and reads them only at
    // start-up.
    m_settingsWriter.set(key, value);
}

std::unique_ptr<StarfarerUniverse> UniverseManager::migrateIfNeeded(QList<Header> &listed)
{
    if (m_settings->value(kDidMigrateKey, false).toBool())
        return nullptr;
    std::unique_ptr<StarfarerUniverse> migrated;
    const QString legacyPath = m_folder.legacyFilePath();
    if (QFileInfo::exists(legacyPath) && listed.isEmpty()) {
        QString reason;
        if (auto legacy = read(legacyPath, &reason)) {
            if (legacy->name().isEmpty() || legacy->name() == StarfarerUniverse::kUntitledName)
                legacy->setName(kDefaultName);
            // The legacy file stays where it is. If its copy cannot be written, the
            // migration is tried again at the next start rather than marked done.
            if (!saveReporting(*legacy))
                return nullptr;
            addListed(listed, *legacy);
            migrated = std::move(legacy);
        } else {
            // Reported like any unreadable universe; the file stays as it is.
            reportUnreadable(legacyPath, reason);
        }
    }
    writeSetting(kDidMigrateKey, true);
    return migrated;
}

std::unique_ptr<StarfarerUniverse> UniverseManager::read(const QString &path, QString *error)
{
    ++m_filesOpened;
    StarfarerUniverse::Listing listing;
    auto universe = StarfarerUniverse::readFile(path, m_folder, error, &listing);
    if (universe)
        m_headerCache.remember(path, listing); // not read again to be listed
    return universe;
}

std::unique_ptr<StarfarerUniverse> UniverseManager::makeNew(const QString &name) const
{
    auto universe = std::make_unique<StarfarerUniverse>(m_folder);
    universe->setName(name);
    if (m_writeObserver)
        universe->setWriteObserver(m_writeObserver);
    return universe;
}

bool UniverseManager::saveReporting(StarfarerUniverse &universe)
{
    QString failure;
    const auto failed = connect(&universe, &StarfarerUniverse::saveFailed, this,
                                [&failure](const QString &message) { failure = message; });
    const auto written =
        connect(&universe, &StarfarerUniverse::written, this, &UniverseManager::rememberWritten);
    const bool saved = universe.saveNow();
    disconnect(failed);
    disconnect(written);
    if (!saved)
        emit operationFailed(failure);
    return saved;
}

void UniverseManager::setCurrent(std::unique_ptr<StarfarerUniverse> universe)
{
    if (universe.get() == m_current.get())
        return;
    std::unique_ptr<StarfarerUniverse> old = std::exchange(m_current, std::move(universe));
    m_currentDeleted = false;
    if (m_writeObserver)
        m_current->setWriteObserver(m_writeObserver);
    connect(m_current.get(), &StarfarerUniverse::written, this, &UniverseManager::rememberWritten,
            Qt::UniqueConnection);
    // The universe left is kept from the instant it stops being current, so that a
    // listener reopening it from this very notification takes it back with the edits
    // its writes still carry. Views still holding it during this change (or in a
    // running menu) never see a dangling pointer: it is deleted later, after theirs.
    StarfarerUniverse *left = old ? keep(std::move(old)) : nullptr;
    emit currentChanged();
    if (left)
        letGoOnceWritten(left);
}

void UniverseManager::rememberWritten(const QString &path, const StarfarerUniverse::Listing &listing)
{
    m_headerCache.remember(path, listing);
}

void UniverseManager::setHeaders(QList<Header> headers)
{
    headers.removeIf([this](const Header &header) { return deletedOnceWritten(header.filePath); });
    // Equal by id and name; the remembered paths follow along silently.
    const bool changed = headers != m_headers;
    m_headers = headers;
    if (changed)
        emit headersChanged();
}

void UniverseManager::setLoadError(const std::optional<QString> &error, const QString &file)
{
    if (error == m_loadError && file == m_loadErrorFile)
        return;
    m_loadError = error;
    m_loadErrorFile = file;
    emit loadErrorChanged();
}

void UniverseManager::reportUnreadable(const QString &path, const QString &reason)
{
    printStatusLine(QStringLiteral("Failed to load universe ") + path + QStringLiteral(": ") + reason);
    setLoadError(kLoadErrorText, path);
}
