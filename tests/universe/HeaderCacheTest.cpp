#include "UniverseStoreSupport.h"

#include "StoreWaits.h"
#include "universe/AtomicFileWriter.h"
#include "universe/HeaderCache.h"

#include <QSaveFile>
#include <QSemaphore>

#include <atomic>

#include <random>

namespace {

// A listing in a form that compares as a whole: "path id name" lines, sorted.
QStringList described(const QList<StarfarerUniverse::Header> &headers)
{
    QStringList lines;
    for (const auto &header : headers)
        lines.append(header.filePath + u' ' + header.id.toString() + u' ' + header.name);
    lines.sort();
    return lines;
}

} // namespace

using HeaderCaching = UniverseStoreTest;

TEST_F(HeaderCaching, ListsExactlyWhatAFreshReadingFindsWhateverStateTheCacheIsIn)
{
    QDir().mkpath(universesPath());
    const QString cachePath = folder().headerCachePath();
    std::mt19937 random(20240611);
    const auto pick = [&](int bound) { return int(random() % unsigned(bound)); };
    HeaderCache kept(cachePath);
    QByteArray oldCache;
    QStringList files;

    for (int step = 0; step < 200; ++step) {
        const int action = pick(9);
        if (action <= 3 || files.isEmpty()) {
            // A new file: usually a universe, sometimes something that is not one.
            const QString path = QDir(universesPath()).filePath(QStringLiteral("f%1.json").arg(step));
            writeFile(
                path,
                pick(4) ? QStringLiteral("{\"data\": [1, {\"x\": \"]\"}], \"id\": \"%1\", \"name\": \"n%2\"}")
                              .arg(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper())
                              .arg(step)
                              .toUtf8()
                        : QByteArray("{\"id\": 1}"));
            files.append(path);
        } else if (action <= 5) {
            // Rewritten as saves do (a new file moved into place), often at the same size.
            const QString path = files.at(pick(int(files.size())));
            QByteArray bytes = contents(path);
            const qsizetype digit = bytes.lastIndexOf('"') - 1;
            if (digit > 0)
                bytes[digit] = char('0' + pick(10));
            QSaveFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            ASSERT_TRUE(file.commit());
        } else if (action == 6) {
            QFile::remove(files.takeAt(pick(int(files.size()))));
        } else if (action == 7) {
            oldCache = contents(cachePath);
            writeFile(cachePath, pick(2) ? QByteArray("{\"format\": 1, \"files\": [{\"path\": 3}]}")
                                         : contents(cachePath).left(pick(200)));
        } else if (!oldCache.isEmpty()) {
            writeFile(cachePath, oldCache); // a cache from an earlier state of the folder
        }
        const QStringList truth = described(HeaderCache(QString()).list(universesPath()));
        EXPECT_EQ(described(kept.list(universesPath())), truth) << "step " << step;
        EXPECT_EQ(described(HeaderCache(cachePath).list(universesPath())), truth) << "step " << step;
    }
}

TEST_F(HeaderCaching, StartUpListsOnceAndLaterRunsReadOnlyChangedFiles)
{
    const QUuid first = QUuid::createUuid();
    writeUniverse(first, QStringLiteral("A"));
    writeUniverse(QUuid::createUuid(), QStringLiteral("B"));
    {
        auto manager = startManager();
        EXPECT_EQ(manager->headerCache().listings(), 1);
        EXPECT_EQ(manager->headerCache().filesRead(), 2);
    }
    // The first start saved nothing new, so the next reads no file to list.
    writeUniverse(QUuid::createUuid(), QStringLiteral("C"));
    auto manager = startManager();
    EXPECT_EQ(manager->headerCache().listings(), 1);
    EXPECT_EQ(manager->headerCache().filesRead(), 1);
    EXPECT_EQ(manager->headers().size(), 3);
    manager->renameCurrent(QStringLiteral("Z"));
    ASSERT_TRUE(manager->current()->waitForPendingSave());
    EXPECT_EQ(manager->headerCache().filesRead(), 1); // its own write is known
    EXPECT_EQ(manager->headers().last().id, first);

    // A first start lists the empty folder once and adds what it saved.
    manager.reset();
    QTemporaryDir other;
    UniverseManager fresh(UniverseFolder(other.path()), &m_settings);
    m_settings.remove(QStringLiteral("lastUniverseID"));
    ASSERT_TRUE(fresh.start());
    EXPECT_EQ(fresh.headerCache().listings(), 1);
    ASSERT_EQ(fresh.headers().size(), 1);
    EXPECT_EQ(fresh.headers().first().filePath, fresh.current()->filePath());
}

// Start-up reads the universe it opens once. A remembered one is read before the
// folder is listed, and the listing takes its header from that read; with nothing
// remembered, the listing's own read of the first universe by name is opened. The
// listing always equals a fresh reading, and a file changed later is read again.
TEST_F(HeaderCaching, StartUpReadsTheUniverseItOpensOnce)
{
    StarfarerUniverse open(folder());
    open.setName(QStringLiteral("Open"));
    ASSERT_TRUE(open.saveNow());
    const QUuid nameless = QUuid::createUuid();
    writeFile(folder().fileFor(nameless), "{\"id\": \"" + uuidText(nameless).toUtf8() + "\"}");
    writeUniverse(QUuid::createUuid(), QStringLiteral("Other"));
    m_settings.setValue(UniverseManager::kDidMigrateKey, true);
    for (const QUuid &remembered : {open.id(), nameless, QUuid()}) {
        QFile::remove(folder().headerCachePath());
        if (remembered.isNull())
            m_settings.remove(UniverseManager::kLastUniverseIDKey);
        else
            m_settings.setValue(UniverseManager::kLastUniverseIDKey, uuidText(remembered));
        auto manager = startManager();
        EXPECT_EQ(manager->current()->id(), remembered.isNull() ? open.id() : remembered);
        EXPECT_EQ(manager->filesOpened(), remembered.isNull() ? 0 : 1);
        EXPECT_EQ(manager->headerCache().filesRead(), remembered.isNull() ? 3 : 2);
        EXPECT_EQ(described(manager->headers()), described(HeaderCache(QString()).list(universesPath())));
        EXPECT_EQ(manager->headers().size(), 2); // the file without a name is not listed
        if (remembered != nameless) {            // the whole universe, wherever it was read
            EXPECT_EQ(manager->current()->encode(), contents(open.filePath()));
        }
    }

    auto manager = startManager();
    EXPECT_EQ(manager->headerCache().filesRead(), 0); // all known from the cache file
    writeUniverse(nameless, QStringLiteral("Named elsewhere"));
    const QList<StarfarerUniverse::Header> headers = manager->loadHeaders();
    EXPECT_EQ(manager->headerCache().filesRead(), 1);
    EXPECT_EQ(described(headers), described(HeaderCache(QString()).list(universesPath())));
    EXPECT_EQ(headers.size(), 3);
}

// What the store's own documents write is listed without reading it back (a file of
// a large universe takes seconds to read), through renames, edits, creating and
// deleting, in this run and the next; a file another program changed is read.
TEST_F(HeaderCaching, ListingNeverReadsBackWhatTheStoreWroteButReadsWhatOthersChanged)
{
    writeUniverse(QUuid::createUuid(), QStringLiteral("B"));
    auto manager = startManager();
    const int read = manager->headerCache().filesRead();
    const auto expectFreshListing = [&](const char *after) {
        EXPECT_EQ(described(manager->headers()), described(HeaderCache(QString()).list(universesPath())))
            << after;
        EXPECT_EQ(manager->headerCache().filesRead(), read) << after;
    };

    manager->renameCurrent(QStringLiteral("Renamed"));
    ASSERT_TRUE(manager->current()->waitForPendingSave());
    expectFreshListing("a rename");
    StarfarerUniverse *current = manager->current();
    current->insertHex(HexData{QUuid::createUuid(), {0, 0, 1, 1}, {}, {}});
    current->save();
    current->setName(QStringLiteral("Renamed while saving")); // its own save follows
    current->save();
    ASSERT_TRUE(current->waitForPendingSave());
    EXPECT_EQ(described(manager->loadHeaders()), described(HeaderCache(QString()).list(universesPath())));
    EXPECT_EQ(manager->headerCache().filesRead(), read);
    manager->renameCurrent(QStringLiteral("Again"));
    ASSERT_TRUE(manager->current()->waitForPendingSave());
    expectFreshListing("edits and a rename");
    ASSERT_TRUE(createAndWait(*manager, QStringLiteral("Created")));
    expectFreshListing("creating");
    ASSERT_TRUE(deleteAndWait(*manager, manager->headers().first()));
    expectFreshListing("deleting");

    // Another program renames the open universe: its file is read, and only it.
    const QUuid id = manager->current()->id();
    writeUniverse(id, QStringLiteral("Renamed elsewhere"));
    const QList<StarfarerUniverse::Header> headers = manager->loadHeaders();
    EXPECT_EQ(manager->headerCache().filesRead(), read + 1);
    EXPECT_EQ(described(headers), described(HeaderCache(QString()).list(universesPath())));
    EXPECT_TRUE(std::any_of(headers.cbegin(), headers.cend(), [&](const auto &header) {
        return header.id == id && header.name == QStringLiteral("Renamed elsewhere");
    }));

    // The next run knows every file from the cache: it reads only the one it opens.
    manager.reset();
    manager = startManager();
    EXPECT_EQ(manager->headerCache().filesRead(), 0);
    EXPECT_EQ(described(manager->headers()), described(HeaderCache(QString()).list(universesPath())));
}

// The cache file is written off the thread that lists (the window's): a listing
// returns while the write it asked for is held on the disk, listings made meanwhile
// are written once, together, when it ends, and the cache's end waits for that last
// write. A later run then lists without reading a file.
TEST_F(HeaderCaching, TheCacheIsWrittenOffTheListingThreadLatestFirst)
{
    QDir().mkpath(universesPath());
    const QString cachePath = folder().headerCachePath();
    QSemaphore started, mayGo;
    std::atomic_int writes = 0;
    std::atomic_bool timedOut = false;
    AtomicFileWriter::TestHooks hooks;
    hooks.beforeMove = [&](const QString &path) {
        if (path != cachePath)
            return;
        if (++writes == 1) {
            started.release();
            timedOut = !mayGo.tryAcquire(1, 20000);
        }
    };
    AtomicFileWriter::setTestHooks(hooks);
    QStringList expected;
    {
        HeaderCache cache(cachePath);
        for (int i = 0; i < 6; ++i) {
            writeUniverse(QUuid::createUuid(), QStringLiteral("Universe %1").arg(i));
            expected = described(cache.list(universesPath()));
            if (i == 0) {
                ASSERT_TRUE(started.tryAcquire(1, 20000)) << "the first write never began";
            }
        }
        EXPECT_EQ(writes, 1) << "a listing waited for its write";
        mayGo.release();
    }
    AtomicFileWriter::setTestHooks({});
    EXPECT_FALSE(timedOut) << "the listing thread waited for the write";
    EXPECT_EQ(writes, 2);
    HeaderCache later(cachePath);
    EXPECT_EQ(described(later.list(universesPath())), expected);
    EXPECT_EQ(later.filesRead(), 0);
}
