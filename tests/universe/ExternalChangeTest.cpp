// Saving over a file that another program changed (a sync tool, a second computer):
// its version is kept beside the file, byte for byte, under a name the listing passes
// over, and the document's own saves never count as changes from elsewhere.
#include "UniverseStoreSupport.h"

#include <QRegularExpression>
#include <QSignalSpy>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QString upper(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QByteArray universeJson(const QUuid &id, const QString &name)
{
    return QStringLiteral("{\"id\": \"%1\", \"name\": \"%2\"}").arg(upper(id), name).toUtf8();
}

// Replaces a file the way sync tools do: a new file renamed over the old one.
void replaceElsewhere(const QString &path, const QByteArray &bytes)
{
    const QString incoming = path + QStringLiteral(".incoming");
    QFile file(incoming);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ASSERT_EQ(::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(path).constData()), 0);
}

} // namespace

using ExternalChange = UniverseStoreTest;

TEST_F(ExternalChange, AReplacedOrRewrittenFileIsKeptBesideItOnceAndADeletedOneIsSimplyWritten)
{
    const QUuid id = QUuid::createUuid();
    writeUniverse(id, QStringLiteral("Atlas"));
    auto manager = startManager();
    StarfarerUniverse *universe = manager->current();
    ASSERT_EQ(universe->id(), id);
    QSignalSpy kept(universe, &StarfarerUniverse::externalChangeKept);

    // The document's own saves, one after the other, are never taken for changes.
    universe->setName(QStringLiteral("Ours 1"));
    ASSERT_TRUE(universe->saveNow());
    universe->setName(QStringLiteral("Ours 2"));
    ASSERT_TRUE(universe->saveNow());
    EXPECT_EQ(kept.count(), 0);

    const QByteArray theirs = universeJson(id, QStringLiteral("Theirs"));
    replaceElsewhere(universe->filePath(), theirs);
    universe->setName(QStringLiteral("Ours 3"));
    ASSERT_TRUE(universe->saveNow());
    ASSERT_EQ(kept.count(), 1);
    const QString keptPath = kept.first().first().toString();
    EXPECT_EQ(contents(keptPath), theirs);
    EXPECT_EQ(QFileInfo(keptPath).path(), universesPath());
    const QRegularExpression name(
        QStringLiteral("^%1 \\(changed elsewhere \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d\\)\\.json\\.bak$")
            .arg(upper(id)));
    EXPECT_TRUE(name.match(QFileInfo(keptPath).fileName()).hasMatch()) << keptPath.toStdString();
    EXPECT_EQ(StarfarerUniverse::readFile(universe->filePath(), folder())->name(), QStringLiteral("Ours 3"));

    // No second universe with the same id appears in the list.
    const QList<UniverseManager::Header> listed = manager->loadHeaders();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed.first().name, QStringLiteral("Ours 3"));

    universe->setName(QStringLiteral("Ours 4"));
    ASSERT_TRUE(universe->saveNow());
    EXPECT_EQ(kept.count(), 1);
    EXPECT_EQ(universeFiles().size(), 2);

    // Appended to in place, the file keeps its inode; deleted, it leaves nothing to keep.
    {
        QFile file(universe->filePath());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("\n");
    }
    const QByteArray appended = contents(universe->filePath());
    ASSERT_TRUE(universe->saveNow());
    ASSERT_EQ(kept.count(), 2);
    EXPECT_EQ(contents(kept.last().first().toString()), appended);
    ASSERT_TRUE(QFile::remove(universe->filePath()));
    universe->setName(QStringLiteral("Ours 5"));
    ASSERT_TRUE(universe->saveNow());
    EXPECT_EQ(kept.count(), 2);
    EXPECT_EQ(StarfarerUniverse::readFile(universe->filePath(), folder())->name(), QStringLiteral("Ours 5"));
}

// A new universe knows no version of its file: whatever is found there at its first
// save came from elsewhere. Versions modified within one second get names of their own.
TEST_F(ExternalChange, ANewUniverseKeepsAFileFoundInItsPlaceAndVersionsOfOneSecondStayApart)
{
    StarfarerUniverse universe(folder());
    QSignalSpy kept(&universe, &StarfarerUniverse::externalChangeKept);
    const QByteArray first = universeJson(universe.id(), QStringLiteral("First"));
    const QByteArray second = universeJson(universe.id(), QStringLiteral("Second"));
    const timespec sameSecond[2] = {{1'700'000'000, 0}, {1'700'000'000, 0}};
    for (const QByteArray &theirs : {first, second}) {
        writeFile(universe.filePath(), theirs);
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(universe.filePath()).constData(), sameSecond, 0),
                  0);
        ASSERT_TRUE(universe.saveNow());
    }
    ASSERT_EQ(kept.count(), 2);
    const QString firstKept = kept.at(0).first().toString(), secondKept = kept.at(1).first().toString();
    EXPECT_NE(firstKept, secondKept);
    EXPECT_EQ(contents(firstKept), first);
    EXPECT_EQ(contents(secondKept), second);
    EXPECT_EQ(universeFiles().size(), 3);
}

// Where the other version can be neither linked (another file system) nor copied (the
// disk is full), the file is not replaced: the save fails and says why.
TEST_F(ExternalChange, AVersionThatCannotBeKeptIsNotOverwritten)
{
    QTemporaryDir elsewhere(QStringLiteral("/dev/shm/vostrel-XXXXXX"));
    struct stat here
    {
    }, there{};
    if (!elsewhere.isValid() || ::stat(QFile::encodeName(m_documents.path()).constData(), &here) != 0 ||
        ::stat(QFile::encodeName(elsewhere.path()).constData(), &there) != 0 || here.st_dev == there.st_dev)
        GTEST_SKIP() << "needs a second file system at /dev/shm";

    StarfarerUniverse universe(folder());
    folder().ensureUniversesDirectory();
    const QByteArray theirs = universeJson(universe.id(), QString(8000, QLatin1Char('x')));
    const QString target = writeFile(elsewhere.filePath(QStringLiteral("synced.json")), theirs);
    ASSERT_TRUE(QFile::link(target, universe.filePath()));

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    rlimit limit = unlimited;
    limit.rlim_cur = 4096; // room for this small universe, not for the other version
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    QSignalSpy failures(&universe, &StarfarerUniverse::saveFailed);
    const bool saved = universe.saveNow();
    setrlimit(RLIMIT_FSIZE, &unlimited);

    EXPECT_FALSE(saved);
    ASSERT_EQ(failures.count(), 1);
    EXPECT_TRUE(failures.first().first().toString().contains(QStringLiteral("changed elsewhere")))
        << failures.first().first().toString().toStdString();
    EXPECT_EQ(contents(universe.filePath()), theirs);
    EXPECT_EQ(universeFiles(), QStringList{QFileInfo(universe.filePath()).fileName()});
}
