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
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace {

QString trimmedOrUntitled(const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? StarfarerUniverse::kUntitledName : trimmed;
}

} // namespace

UniverseManager::UniverseManager(UniverseFolder folder, QSettings *settings, QObject *parent)
    : QObject(parent), m_folder(std::move(folder)), m_settings(settings),
      m_headerCache(m_folder.headerCachePath()), m_lock(m_folder.lockFilePath())
{
    m_settingsWriter.setMaxThreadCount(1);
}

UniverseManager::~UniverseManager() = default;

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

// A change of the current universe under way, taken on from the event loop as the
// universe left finishes its writes and the next one is read or written.
struct UniverseManager::Switch
{
    enum class Kind {
        open,
        create,
        deleteFile,
        quit,
    };

    Kind kind;
    // open: the universe read; create: the one made; deleteFile: the file removed.
    Header target;
    // Each change has its own number, so that an answer to a question asked for an
    // earlier one is not taken for this one.
    quint64 number = 0;
    bool retried = false;        // the universe left's failed write was tried once more
    bool asking = false;         // the user is being asked whether to leave
    bool leaveAgreed = false;    // the user chose to leave edits that could not be saved
    bool deletesCurrent = false; // deleteFile: the file is the current universe's
    // The universe left is deleted: nothing of it is written any more, and a universe
    // to open that cannot be read gives way to a new one.
    bool currentDeleted = false;
    std::optional<BackgroundDecoder::Outcome> read; // open: the file once read
    std::unique_ptr<StarfarerUniverse> created;     // create: the new universe
    bool writeAsked = false;                        // create: its write was asked for
    QList<QMetaObject::Connection> watches;         // what the change listens to
};

void UniverseManager::open(Header header)
{
    if (m_current && header.id == m_current->id()) {
        endSwitch();
        return;
    }
    auto change = std::make_unique<Switch>();
    change->kind = Switch::Kind::open;
    change->target = std::move(header);
    beginSwitch(std::move(change));
}

void UniverseManager::create(const QString &name)
{
    auto change = std::make_unique<Switch>();
    makeCreation(*change, trimmedOrUntitled(name));
    beginSwitch(std::move(change));
}

void UniverseManager::renameCurrent(const QString &name)
{
    m_current->setName(trimmedOrUntitled(name));
    // Written in the background like every save: a large universe takes seconds to
    // write, and the window does not wait for it. A failed write reaches the user as
    // every failed save does.
    m_current->save();
    // The file holds the old name until the write is done; the listing shows the new
    // one at once.
    QList<Header> listed = m_headerCache.list(m_folder.universesPath());
    for (Header &header : listed) {
        if (header.id == m_current->id() && header.filePath == m_current->filePath())
            header.name = m_current->name();
    }
    sortByName(listed);
    setHeaders(listed);
}

void UniverseManager::deleteUniverse(Header header)
{
    const bool current = m_current && header.id == m_current->id();
    // Another universe's file goes at once; the current one's once its writes are
    // done, so that none brings it back.
    if (!current && (!m_current || header.filePath != m_current->filePath())) {
        endSwitch();
        removeListedFile(header);
        refreshHeaders();
        return;
    }
    auto change = std::make_unique<Switch>();
    change->kind = Switch::Kind::deleteFile;
    change->target = std::move(header);
    change->deletesCurrent = current;
    beginSwitch(std::move(change));
}

void UniverseManager::prepareToQuit()
{
    auto change = std::make_unique<Switch>();
    change->kind = Switch::Kind::quit;
    beginSwitch(std::move(change));
}

void UniverseManager::beginSwitch(std::unique_ptr<Switch> change)
{
    static quint64 numbers = 0;
    endSwitch();
    change->number = ++numbers;
    m_switch = std::move(change);
    if (m_current) {
        // Queued: a write's outcomes are published one by one, and the change goes on
        // from the latest.
        m_switch->watches.append(connect(m_current.get(), &StarfarerUniverse::saveStateChanged, this,
                                         &UniverseManager::advance, Qt::QueuedConnection));
    }
    switch (m_switch->kind) {
    case Switch::Kind::open: startReading(); break;
    case Switch::Kind::create: setOpening(m_switch->target); break;
    case Switch::Kind::deleteFile: {
        // Named while the universe left finishes its writes: the first other one, or
        // the new universe made when none is left.
        std::optional<Header> next;
        for (const Header &header : std::as_const(m_headers)) {
            if (header.filePath != m_switch->target.filePath) {
                next = header;
                break;
            }
        }
        if (m_switch->deletesCurrent)
            setOpening(next ? *next : Header{QUuid(), kDefaultName, QString()});
        break;
    }
    case Switch::Kind::quit: break;
    }
    advance();
}

void UniverseManager::startReading()
{
    Switch &change = *m_switch;
    ++m_filesOpened;
    setOpening(change.target);
    const quint64 number = change.number;
    m_decoder.start(change.target.filePath, [this, number](BackgroundDecoder::Outcome outcome) {
        if (!m_switch || m_switch->number != number)
            return;
        m_switch->read = std::move(outcome);
        advance();
    });
}

void UniverseManager::advance()
{
    if (!m_switch || (!m_switch->currentDeleted && !currentSettled()))
        return;
    switch (m_switch->kind) {
    case Switch::Kind::open: finishOpening(); break;
    case Switch::Kind::create: finishCreating(); break;
    case Switch::Kind::deleteFile: removeDeleted(); break;
    case Switch::Kind::quit:
        endSwitch();
        emit quitReady();
        break;
    }
}

bool UniverseManager::currentSettled()
{
    Switch &change = *m_switch;
    if (!m_current)
        return true;
    const SaveState &state = m_current->saveState();
    if (!state.settled())
        return false;
    // A universe being deleted is left whatever its writes did.
    if (state.kind == SaveState::Kind::clean || change.leaveAgreed || change.kind == Switch::Kind::deleteFile)
        return true;
    if (!std::exchange(change.retried, true) && m_current->retryFailedSave())
        return false;
    if (!m_leaveUnsaved)
        return true;
    if (!change.asking)
        askToLeave();
    return false;
}

void UniverseManager::askToLeave()
{
    m_switch->asking = true;
    const Leaving leaving = m_switch->kind == Switch::Kind::quit ? Leaving::quitting : Leaving::switching;
    const quint64 number = m_switch->number;
    m_leaveUnsaved(*m_current, leaving, [store = QPointer<UniverseManager>(this), number](bool leave) {
        // Taken from the event loop: the question may answer before it returns.
        QMetaObject::invokeMethod(
            store,
            [store, number, leave] {
                if (!store->m_switch || store->m_switch->number != number)
                    return;
                store->m_switch->asking = false;
                if (!leave) {
                    store->endSwitch();
                    return;
                }
                store->m_switch->leaveAgreed = true;
                store->advance();
            },
            Qt::QueuedConnection);
    });
}

void UniverseManager::removeDeleted()
{
    Switch &change = *m_switch;
    const Header deleted = change.target;
    if (!removeListedFile(deleted)) {
        endSwitch();
        refreshHeaders();
        return;
    }
    refreshHeaders();
    if (!change.deletesCurrent) {
        endSwitch();
        return;
    }
    change.currentDeleted = true;
    m_current->stopSaving();
    // The first remaining universe opens, or a new "My Universe" when there is none.
    if (!m_headers.isEmpty()) {
        change.kind = Switch::Kind::open;
        change.target = m_headers.first();
        startReading();
        return;
    }
    makeCreation(change, kDefaultName);
    setOpening(change.target);
    advance();
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
    if (!change.read)
        return;
    const Header header = change.target;
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
        if (change.currentDeleted) {
            // The universe deleted cannot stay: a new one takes its place.
            reportUnreadable(header.filePath, reason);
            makeCreation(change, kDefaultName);
            setOpening(change.target);
            advance();
            return;
        }
        endSwitch();
        setLoadError(kLoadErrorText, header.filePath);
        printStatusLine(QStringLiteral("Failed to load universe ") + uuidText(header.id) +
                        QStringLiteral(": ") + reason);
        if (replaced)
            refreshHeaders();
        emit openFailed();
        return;
    }
    const bool listAgain = change.currentDeleted;
    endSwitch();
    m_headerCache.remember(header.filePath, outcome.decoded->listing); // not read again to be listed
    setCurrent(StarfarerUniverse::fromFile(header.filePath, std::move(*outcome.decoded), m_folder));
    storeLastUniverseID(m_current->id());
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
    // was deleted: the store always has a current universe.
    if (!written && !change.currentDeleted) {
        endSwitch();
        return;
    }
    std::unique_ptr<StarfarerUniverse> next = std::move(change.created);
    endSwitch();
    setCurrent(std::move(next));
    storeLastUniverseID(m_current->id());
    refreshHeaders();
}

void UniverseManager::makeCreation(Switch &change, const QString &name) const
{
    change.kind = Switch::Kind::create;
    change.created = makeNew(name);
    change.target = Header{change.created->id(), change.created->name(), change.created->filePath()};
}

void UniverseManager::setOpening(const std::optional<Header> &header)
{
    const bool changed = header.has_value() != m_opening.has_value() ||
                         (header && (header->id != m_opening->id || header->name != m_opening->name));
    m_opening = header;
    if (changed)
        emit openingChanged();
}

void UniverseManager::endSwitch()
{
    if (!m_switch)
        return;
    std::unique_ptr<Switch> change = std::move(m_switch);
    for (const QMetaObject::Connection &watch : std::as_const(change->watches))
        disconnect(watch);
    m_decoder.abandon();
    if (StarfarerUniverse *created = change->created.release()) {
        // Dropped once its write is done, without waiting for it here; the listing
        // then shows it, as the user made it.
        created->setParent(this);
        if (created->saveState().settled()) {
            created->deleteLater();
        } else {
            connect(created, &StarfarerUniverse::saveStateChanged, this, [this, created] {
                if (!created->saveState().settled())
                    return;
                created->deleteLater();
                refreshHeaders();
            });
        }
    }
    setOpening(std::nullopt);
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
    // Writing the file ends in a flush to disk, which takes up to a second when the
    // disk is busy, and the settings of one file share their values in the process
    // under one lock, held for the whole write: the GUI thread writes no setting,
    // which would also have it write the file again from its event loop, and reads
    // them only at start-up. A worker sets the value and writes the file, through
    // settings of its own on the same file, one write after another.
    m_settingsWriter.start([fileName = m_settings->fileName(), format = m_settings->format(), key, value] {
        QSettings settings(fileName, format);
        if (value.isValid())
            settings.setValue(key, value);
        else
            settings.remove(key);
        settings.sync();
    });
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
    connect(m_current.get(), &StarfarerUniverse::written, this, &UniverseManager::rememberWritten);
    emit currentChanged();
    // The old document is deleted later, so views still holding it during this
    // change (or in a running menu) never see a dangling pointer; and after the views
    // that showed it, which the listeners have just handed to deleteLater(), so that
    // it holds the last share of its values and frees them on a worker thread.
    if (old) {
        old->setParent(this); // deleted with the manager if no event loop runs again
        old.release()->deleteLater();
    }
}

void UniverseManager::rememberWritten(const QString &path, const StarfarerUniverse::Listing &listing)
{
    m_headerCache.remember(path, listing);
}

void UniverseManager::setHeaders(const QList<Header> &headers)
{
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
