#include "UniverseManager.h"

#include "StatusLine.h"
#include "model/NaturalOrder.h"
#include "json/JsonParser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    migrateIfNeeded(listed);
    if (!migrated)
        opened = readRemembered();
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
    // A remembered universe whose file is gone is simply forgotten; one whose file
    // is there but unreadable is reported, and its file is left untouched.
    if (!opened && QFileInfo::exists(path))
        reportUnreadable(path, reason);
    return opened;
}

bool UniverseManager::lockFolder(FolderLock::OtherHostLock otherHost)
{
    const FolderLock::State state = m_lock.acquire(otherHost);
    if (state == FolderLock::State::held)
        m_folder.removeStaleTemporaryFiles();
    // A folder where no lock can be made at all (read-only, say) is still opened:
    // its saves fail and are reported.
    return state == FolderLock::State::held || state == FolderLock::State::unavailable;
}

void UniverseManager::open(Header header)
{
    abandonOpening();
    bool asked = false;
    if ((m_current && header.id == m_current->id()) || !mayLeaveCurrent(&asked))
        return;
    ++m_filesOpened;
    m_opening = header;
    m_decoder.start(header.filePath, [this, header, asked](BackgroundDecoder::Outcome outcome) {
        finishOpening(header, std::move(outcome), asked);
    });
    emit openingChanged();
}

void UniverseManager::finishOpening(const Header &header, BackgroundDecoder::Outcome outcome,
                                    bool leaveAgreed)
{
    m_opening.reset();
    emit openingChanged();
    if (!outcome.decoded) {
        setLoadError(kLoadErrorText, header.filePath);
        printStatusLine(QStringLiteral("Failed to load universe ") + uuidText(header.id) +
                        QStringLiteral(": ") + outcome.error);
        emit openFailed();
        return;
    }
    // The current universe may have been edited while the file was read: it is left
    // as when the read began.
    if (leaveAgreed)
        finishPendingSave();
    else if (!mayLeaveCurrent())
        return;
    m_headerCache.remember(header.filePath, outcome.decoded->listing); // not read again to be listed
    setCurrent(StarfarerUniverse::fromFile(header.filePath, std::move(*outcome.decoded), m_folder));
    storeLastUniverseID(m_current->id());
    setLoadError(std::nullopt);
}

void UniverseManager::abandonOpening()
{
    if (!m_opening)
        return;
    m_decoder.abandon();
    m_opening.reset();
    emit openingChanged();
}

bool UniverseManager::create(const QString &name)
{
    abandonOpening();
    if (!mayLeaveCurrent())
        return false;
    auto created = makeNew(trimmedOrUntitled(name));
    if (!saveReporting(*created))
        return false;
    setCurrent(std::move(created));
    storeLastUniverseID(m_current->id());
    refreshHeaders();
    return true;
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

bool UniverseManager::deleteUniverse(Header header)
{
    abandonOpening();
    // Waited for first, so that a save still running cannot bring the file back.
    finishPendingSave();
    QFile file(header.filePath);
    const bool removed = file.remove();
    if (!removed && QFileInfo::exists(header.filePath)) {
        emit operationFailed(QStringLiteral("Couldn\u2019t delete the universe \u201C%1\u201D (%2): %3")
                                 .arg(header.name, header.filePath, file.errorString()));
        refreshHeaders();
        return false;
    }
    refreshHeaders();
    if (!m_current || header.id != m_current->id())
        return true;

    std::unique_ptr<StarfarerUniverse> next;
    if (!m_headers.isEmpty()) {
        QString reason;
        next = read(m_headers.first().filePath, &reason);
        if (!next)
            reportUnreadable(m_headers.first().filePath, reason);
    }
    if (!next) {
        next = makeNew(kDefaultName);
        saveReporting(*next);
    }
    setCurrent(std::move(next));
    storeLastUniverseID(m_current->id());
    refreshHeaders();
    return true;
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
    if (id)
        m_settings->setValue(kLastUniverseIDKey, uuidText(*id));
    else
        m_settings->remove(kLastUniverseIDKey);
    // Writing the file ends in a flush to disk, which takes up to a second when the
    // disk is busy: a worker writes it, through settings of its own on the same file
    // (the settings of one file share their values in the process, under a lock), and
    // the settings do not write themselves on the GUI thread's next pass.
    QCoreApplication::removePostedEvents(m_settings, QEvent::UpdateRequest);
    m_settingsWriter.start([fileName = m_settings->fileName(), format = m_settings->format()] {
        QSettings(fileName, format).sync();
    });
}

void UniverseManager::migrateIfNeeded(QList<Header> &listed)
{
    if (m_settings->value(kDidMigrateKey, false).toBool())
        return;
    const QString legacyPath = m_folder.legacyFilePath();
    if (QFileInfo::exists(legacyPath) && listed.isEmpty()) {
        QString reason;
        if (auto legacy = read(legacyPath, &reason)) {
            if (legacy->name().isEmpty() || legacy->name() == StarfarerUniverse::kUntitledName)
                legacy->setName(kDefaultName);
            // The legacy file stays where it is. If its copy cannot be written, the
            // migration is tried again at the next start rather than marked done.
            if (!saveReporting(*legacy))
                return;
            storeLastUniverseID(legacy->id());
            addListed(listed, *legacy);
        } else {
            // Reported like any unreadable universe; the file stays as it is.
            reportUnreadable(legacyPath, reason);
        }
    }
    m_settings->setValue(kDidMigrateKey, true);
    m_settings->sync();
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

void UniverseManager::finishPendingSave()
{
    if (m_current)
        m_current->waitForPendingSave();
}

bool UniverseManager::mayLeaveCurrent(bool *asked)
{
    if (!m_current || m_current->waitForPendingSave() || !m_leaveUnsaved)
        return true;
    if (asked)
        *asked = true;
    return m_leaveUnsaved(*m_current);
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
