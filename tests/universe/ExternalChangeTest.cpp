// Saving over a file that another program changed (a sync tool, a second computer):
// its version is kept beside the file, byte for byte, under a name the listing passes
// over, and the document's own saves never count as changes from elsewhere.
#include "UniverseStoreSupport.h"
#include "universe/AtomicFileWriter.h"
#include "universe/ExternalChangeGuard.h"

#include <QRegularExpression>
#include <QSignalSpy>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <utility>

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

namespace {

// What another program does to a universe file.
enum class Writer { replaces, rewritesInPlace, deletes, createsWhereNone };

const char *writerName(Writer writer)
{
    switch (writer) {
    case Writer::replaces: return "replaces";
    case Writer::rewritesInPlace: return "rewrites in place";
    case Writer::deletes: return "deletes";
    case Writer::createsWhereNone: return "creates where none was";
    }
    return "";
}

void writeElsewhere(Writer writer, const QString &path, const QByteArray &bytes)
{
    switch (writer) {
    case Writer::replaces: replaceElsewhere(path, bytes); break;
    case Writer::rewritesInPlace:
    case Writer::createsWhereNone: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
        break;
    }
    case Writer::deletes: ASSERT_TRUE(QFile::remove(path)); break;
    }
}

// Sets the writers' test hooks for one scope.
struct ScopedWriterHooks
{
    explicit ScopedWriterHooks(AtomicFileWriter::TestHooks hooks)
    {
        AtomicFileWriter::setTestHooks(std::move(hooks));
    }
    ~ScopedWriterHooks() { AtomicFileWriter::setTestHooks({}); }
};

// Runs `write` at the `nth` try (counted from 1) at moving a new file into place,
// counting the tries of every save while the hook is set: each save runs its own copy
// of the hook, and the copies share one count.
std::function<void(const QString &)> atTry(int nth, std::function<void()> write)
{
    return [=, tries = std::make_shared<int>(0)](const QString &) {
        if (++*tries == nth)
            write();
    };
}

} // namespace

// Where the other version can be neither linked (another file system) nor copied (the
// disk is full), the file is not replaced: the save fails and says why. A version that
// lands as the file is replaced is put back in its place.
TEST_F(ExternalChange, AVersionThatCannotBeKeptIsNotOverwritten)
{
    QTemporaryDir elsewhere(QStringLiteral("/dev/shm/vostrel-XXXXXX"));
    struct stat here
    {
    }, there{};
    if (!elsewhere.isValid() || ::stat(QFile::encodeName(m_documents.path()).constData(), &here) != 0 ||
        ::stat(QFile::encodeName(elsewhere.path()).constData(), &there) != 0 || here.st_dev == there.st_dev)
        GTEST_SKIP() << "needs a second file system at /dev/shm";

    for (const bool inTheReplaceStep : {false, true}) {
        SCOPED_TRACE(inTheReplaceStep ? "as the file is replaced" : "before the save");
        StarfarerUniverse universe(folder());
        folder().ensureUniversesDirectory();
        const QString target =
            elsewhere.filePath(QStringLiteral("synced %1.json").arg(int(inTheReplaceStep)));
        ASSERT_TRUE(QFile::link(target, universe.filePath()));
        if (inTheReplaceStep) {
            ASSERT_TRUE(universe.saveNow()); // through the link: this version is known
        }
        const QByteArray theirs = universeJson(universe.id(), QString(8000, QLatin1Char('x')));
        const QByteArray incoming =
            QFile::encodeName(writeFile(target + QStringLiteral(".incoming"), theirs));
        const auto arrive = [&] {
            ASSERT_EQ(::rename(incoming.constData(), QFile::encodeName(target).constData()), 0);
        };
        if (!inTheReplaceStep)
            arrive();
        const ScopedWriterHooks hooks({inTheReplaceStep ? atTry(1, arrive) : nullptr});

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
        EXPECT_EQ(universeFiles().filter(upper(universe.id())),
                  QStringList{QFileInfo(universe.filePath()).fileName()});
        EXPECT_EQ(
            QDir(elsewhere.path()).entryList({QFileInfo(target).fileName() + QLatin1Char('*')}, QDir::Files),
            QStringList{QFileInfo(target).fileName()});
    }
}

// Another program writes the file before a save starts, or as the save moves its new
// file into place: after its look for changes, at its first try, or at its second
// (made only when swapping found no file). Its version is kept beside the file
// whenever it was there to be replaced; when it landed during the move only where the
// file system can swap files, else the file is replaced as before. Ours is written
// every time, and nothing else is left in the folder.
TEST_F(ExternalChange, AChangeLandingJustBeforeTheFileIsReplacedIsKeptWhereFilesCanBeSwapped)
{
    struct Case
    {
        Writer writer;
        int atTry; // 0: before the save
    };
    const Case cases[] = {
        {Writer::replaces, 0},         {Writer::replaces, 1},         {Writer::rewritesInPlace, 0},
        {Writer::rewritesInPlace, 1},  {Writer::deletes, 0},          {Writer::deletes, 1},
        {Writer::createsWhereNone, 0}, {Writer::createsWhereNone, 1}, {Writer::createsWhereNone, 2}};
    for (const bool swap : {true, false}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(::testing::Message() << (swap ? "swapping, " : "renaming, ") << writerName(c.writer)
                                              << " at try " << c.atTry);
            StarfarerUniverse universe(folder());
            const QString path = universe.filePath();
            if (c.writer != Writer::createsWhereNone) {
                ASSERT_TRUE(universe.saveNow());
            }
            QSignalSpy kept(&universe, &StarfarerUniverse::externalChangeKept);
            const QByteArray theirs = universeJson(universe.id(), QStringLiteral("Theirs"));
            bool wrote = false;
            const auto write = [&] {
                wrote = true;
                writeElsewhere(c.writer, path, theirs);
            };
            if (c.atTry == 0)
                write();
            const ScopedWriterHooks hooks({c.atTry > 0 ? atTry(c.atTry, write) : nullptr, swap});
            universe.setName(QStringLiteral("Ours"));
            ASSERT_TRUE(universe.saveNow());

            EXPECT_EQ(wrote, c.atTry < 2 || swap);
            const bool keeps = wrote && c.writer != Writer::deletes && (swap || c.atTry == 0);
            QStringList expected{QFileInfo(path).fileName()};
            ASSERT_EQ(kept.count(), keeps ? 1 : 0);
            if (keeps) {
                const QString keptPath = kept.first().first().toString();
                EXPECT_EQ(contents(keptPath), theirs);
                expected.append(QFileInfo(keptPath).fileName());
            }
            EXPECT_EQ(StarfarerUniverse::readFile(path, folder())->name(), QStringLiteral("Ours"));
            QStringList files = universeFiles().filter(upper(universe.id()));
            files.sort();
            expected.sort();
            EXPECT_EQ(files, expected);
            // The version written is known: the next save keeps nothing.
            universe.setName(QStringLiteral("Ours again"));
            ASSERT_TRUE(universe.saveNow());
            EXPECT_EQ(kept.count(), keeps ? 1 : 0);
        }
    }
}

namespace {

// Writes `bytes` over `path` as the store's saving thread does, with `guard` looking
// at the file the write swaps out, unless `afterSwap` stands for what follows the swap.
QString saveAsTheStoreDoes(ExternalChangeGuard &guard, const QString &path, const QByteArray &bytes,
                           QString *kept, const std::function<QString(const QString &)> &afterSwap = {})
{
    AtomicFileWriter file(path);
    QString reason = file.open();
    if (reason.isEmpty())
        reason = file.write(bytes);
    if (reason.isEmpty()) {
        reason = file.commit(
            [&](int descriptor) { return guard.beforeReplace(path, descriptor, kept); },
            {ExternalChangeGuard::swapOutName, afterSwap ? afterSwap : [&](const QString &oldFile) {
                 return guard.replaced(path, oldFile, kept);
             }});
    }
    guard.afterWrite(path);
    return reason;
}

} // namespace

// Another program's version is never left under a name that start removes: not when
// it lands as the file is replaced, not when the program ends right after the swap,
// before looking at what it swapped out, and not when keeping that fails and the file
// changes once more before the swap is undone. Whether or not open files can be named
// through a folder of descriptors.
TEST_F(ExternalChange, AnotherProgramsVersionIsNeverLeftUnderANameStartRemoves)
{
    enum class After { kept, programEnds, keepingFailsAndItChangesAgain };
    const QRegularExpression keptName(
        QStringLiteral("^[0-9A-F-]{36} \\(changed elsewhere [0-9 -]{19}(, \\d+)?\\)\\.json\\.bak$"));
    for (const bool descriptors : {true, false}) {
        for (const After after : {After::kept, After::programEnds, After::keepingFailsAndItChangesAgain}) {
            SCOPED_TRACE(::testing::Message() << (descriptors ? "unnamed, " : "named, ") << int(after));
            QDir(universesPath()).removeRecursively();
            folder().ensureUniversesDirectory();
            const QString path = folder().fileFor(QUuid::createUuid());
            ExternalChangeGuard guard;
            QString kept;
            const QString noDescriptors = m_documents.filePath(QStringLiteral("no descriptors"));
            const ScopedWriterHooks quiet(
                {nullptr, true, descriptors ? QStringLiteral("/proc/self/fd") : noDescriptors});
            ASSERT_EQ(saveAsTheStoreDoes(guard, path, "ours 0", &kept), QString());

            const QByteArrayList theirs{"theirs 1", "theirs 2"};
            const std::function<QString(const QString &)> afterSwap = [&](const QString &) {
                if (after == After::programEnds)
                    return QString(); // nothing more happens: the program is gone
                replaceElsewhere(path, theirs[1]);
                return QStringLiteral("couldn't be kept");
            };
            const ScopedWriterHooks hooks({atTry(1, [&] { replaceElsewhere(path, theirs[0]); }), true,
                                           descriptors ? QStringLiteral("/proc/self/fd") : noDescriptors});
            const QString reason =
                saveAsTheStoreDoes(guard, path, "ours 1", &kept, after == After::kept ? nullptr : afterSwap);
            EXPECT_EQ(reason.isEmpty(), after != After::keepingFailsAndItChangesAgain)
                << reason.toStdString();
            if (after == After::kept) {
                EXPECT_EQ(contents(kept), theirs[0]);
                EXPECT_TRUE(keptName.match(QFileInfo(kept).fileName()).hasMatch()) << kept.toStdString();
            }

            folder().removeStaleTemporaryFiles(); // the next start
            QStringList keptVersions;
            for (const QString &name : universeFiles()) {
                const QByteArray bytes = contents(QDir(universesPath()).filePath(name));
                if (theirs.contains(bytes)) {
                    keptVersions.append(QString::fromUtf8(bytes));
                    EXPECT_TRUE(name == QFileInfo(path).fileName() || keptName.match(name).hasMatch())
                        << name.toStdString();
                }
            }
            keptVersions.sort();
            const QStringList expected =
                after == After::keepingFailsAndItChangesAgain
                    ? QStringList{QStringLiteral("theirs 1"), QStringLiteral("theirs 2")}
                    : QStringList{QStringLiteral("theirs 1")};
            EXPECT_EQ(keptVersions, expected);
            EXPECT_EQ(contents(path), after == After::keepingFailsAndItChangesAgain ? theirs[0] : "ours 1");
        }
    }
}

// Where no folder names open files (a sandbox without /proc), a write's file is named
// from the start, under a name start removes: saves succeed and leave nothing else.
TEST_F(ExternalChange, SavesSucceedWhereOpenFilesCannotBeNamedAndLeaveNothingBehind)
{
    const ScopedWriterHooks hooks({nullptr, true, m_documents.filePath(QStringLiteral("no descriptors"))});
    StarfarerUniverse universe(folder());
    const QString path = universe.filePath();
    const QString name = QFileInfo(path).fileName();
    for (const QString &saved : {QStringLiteral("First"), QStringLiteral("Second")}) {
        universe.setName(saved);
        ASSERT_TRUE(universe.saveNow());
        EXPECT_EQ(StarfarerUniverse::readFile(path, folder())->name(), saved);
        EXPECT_EQ(universeFiles(), QStringList{name});
    }
    AtomicFileWriter cutShort(path);
    ASSERT_EQ(cutShort.open(), QString());
    ASSERT_EQ(cutShort.write("{\"half\": "), QString());
    QStringList during = universeFiles();
    during.removeOne(name);
    EXPECT_EQ(during.size(), 1);
    folder().removeStaleTemporaryFiles(); // the next start, had the program been killed now
    EXPECT_EQ(universeFiles(), QStringList{name});
}

// However many versions of one second the folder already keeps, and however long the
// name of the file a universe's link leads to, a save finds a name: it writes the
// universe, and keeps another program's version beside it, under a name that fits and
// that start passes over. Whether files are swapped or renamed, and whether open
// files can be named through a folder of descriptors.
TEST_F(ExternalChange, ASaveNeverFailsForWantOfAName)
{
    const timespec theSecond[2] = {{1'700'000'000, 0}, {1'700'000'000, 0}};
    const QString longName = QString(80, QChar(0x6F22)) + QStringLiteral(".json"); // 245 bytes
    const QString noDescriptors = m_documents.filePath(QStringLiteral("no descriptors"));
    for (const bool throughLink : {false, true}) {
        for (const bool swap : {true, false}) {
            for (const bool descriptors : {true, false}) {
                SCOPED_TRACE(::testing::Message()
                             << (throughLink ? "link to a long name, " : "taken names, ")
                             << (swap ? "swapping, " : "renaming, ") << (descriptors ? "unnamed" : "named"));
                QDir(universesPath()).removeRecursively();
                folder().ensureUniversesDirectory();
                const ScopedWriterHooks hooks(
                    {nullptr, swap, descriptors ? QStringLiteral("/proc/self/fd") : noDescriptors});
                StarfarerUniverse universe(folder());
                QString target = universe.filePath();
                if (throughLink) {
                    target = m_documents.filePath(longName);
                    QFile::remove(target);
                    ASSERT_TRUE(QFile::link(target, universe.filePath()));
                }
                ASSERT_TRUE(universe.saveNow());
                // Another program's version, modified in a second whose kept names are
                // all taken, beside the universe and beside the file its link leads to.
                const QByteArray theirs = universeJson(universe.id(), QStringLiteral("Theirs"));
                writeElsewhere(Writer::replaces, target, theirs);
                ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(target).constData(), theSecond, 0), 0);
                QStringList taken;
                const QDateTime second = QDateTime::fromSecsSinceEpoch(theSecond[0].tv_sec);
                for (int copy = 1; copy <= (throughLink ? 3 : 150); ++copy) {
                    for (const QString &beside : {universe.filePath(), target}) {
                        const QString name = ExternalChangeGuard::keptPath(beside, second, copy);
                        if (!QFile::exists(name))
                            taken.append(writeFile(name, "taken"));
                    }
                }
                QSignalSpy kept(&universe, &StarfarerUniverse::externalChangeKept);
                universe.setName(QStringLiteral("Ours"));
                ASSERT_TRUE(universe.saveNow());

                EXPECT_TRUE(QFileInfo(universe.filePath()).isSymLink() == throughLink);
                EXPECT_EQ(StarfarerUniverse::readFile(universe.filePath(), folder())->name(),
                          QStringLiteral("Ours"));
                ASSERT_EQ(kept.count(), 1);
                const QString keptPath = kept.first().first().toString();
                EXPECT_EQ(contents(keptPath), theirs);
                EXPECT_LE(QFile::encodeName(QFileInfo(keptPath).fileName()).size(), 255);
                EXPECT_TRUE(QFileInfo(keptPath).fileName().contains(QStringLiteral(" (changed elsewhere ")));
                EXPECT_TRUE(keptPath.endsWith(QStringLiteral(".json.bak")));
                for (const QString &name : std::as_const(taken))
                    EXPECT_EQ(contents(name), "taken") << name.toStdString();
                // Nothing of the write is left behind, and the next start removes none of it.
                QStringList before = universeFiles();
                folder().removeStaleTemporaryFiles();
                EXPECT_EQ(universeFiles(), before);
                for (const QString &name : universeFiles())
                    EXPECT_FALSE(name.contains(QStringLiteral("vostrel-"))) << name.toStdString();
                // The version written is known: the next save keeps nothing.
                universe.setName(QStringLiteral("Ours again"));
                ASSERT_TRUE(universe.saveNow());
                EXPECT_EQ(kept.count(), 1);
                if (throughLink)
                    QFile::remove(target);
            }
        }
    }
}

namespace {

// Every entry of a folder with what it holds (a link: where it leads).
QMap<QString, QByteArray> held(const QString &folderPath)
{
    QMap<QString, QByteArray> entries;
    const QDir folder(folderPath);
    for (const QString &name :
         folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QFileInfo entry(folder.filePath(name));
        QFile file(entry.filePath());
        entries.insert(name, entry.isSymLink() ? "-> " + QFile::encodeName(entry.symLinkTarget())
                             : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                              : QByteArray("?"));
    }
    return entries;
}

} // namespace

// A save that fails at any of its steps, at the first try of the step or at every
// try, leaves the folder holding exactly what it held: the old file, the user's files,
// nothing more. Where a step is tried again and then succeeds, the save is whole. A
// failure to sync the folder comes after the file is in place: it leaves the new file
// and nothing else. Either way the next save keeps nothing aside, the version on disk
// being the one known.
TEST_F(ExternalChange, ASaveThatFailsAtAnyStepLeavesTheFolderAsItHeld)
{
    using Step = AtomicFileWriter::Step;
    // The steps of the writer, and those the saving thread adds around the replacement.
    enum class Caller { none, beforeReplace, replaced };
    struct Fault
    {
        Step step;
        Caller caller = Caller::none;
    };
    const Fault faults[] = {{Step::create},
                            {Step::permissions},
                            {Step::write},
                            {Step::sync},
                            {Step::name},
                            {Step::replace},
                            {Step::syncFolder},
                            {Step::create, Caller::beforeReplace},
                            {Step::create, Caller::replaced}};
    const QString noDescriptors = m_documents.filePath(QStringLiteral("no descriptors"));
    for (const bool descriptors : {true, false}) {
        for (const bool swap : {true, false}) {
            for (const Fault &fault : faults) {
                for (const bool everyTry : {false, true}) {
                    SCOPED_TRACE(::testing::Message() << (descriptors ? "unnamed, " : "named, ")
                                                      << (swap ? "swapping, " : "renaming, ") << "step "
                                                      << int(fault.step) << ", caller " << int(fault.caller)
                                                      << (everyTry ? ", every try" : ", first try"));
                    QDir(universesPath()).removeRecursively();
                    folder().ensureUniversesDirectory();
                    const QString path = folder().fileFor(QUuid::createUuid());
                    const QString name = QFileInfo(path).fileName();
                    writeFile(path + QStringLiteral(".backup"), "the user's copy");
                    writeFile(QDir(universesPath())
                                  .filePath(name.chopped(5) + QStringLiteral(" (changed elsewhere 2026-01-01 "
                                                                             "10-00-00).json.bak")),
                              "kept before");
                    const QString descriptorFolder =
                        descriptors ? QStringLiteral("/proc/self/fd") : noDescriptors;
                    ExternalChangeGuard guard;
                    QString kept;
                    {
                        const ScopedWriterHooks quiet({nullptr, swap, descriptorFolder});
                        ASSERT_EQ(saveAsTheStoreDoes(guard, path, "ours 0", &kept), QString());
                    }
                    const QMap<QString, QByteArray> before = held(universesPath());

                    auto tries = std::make_shared<std::atomic_int>(0);
                    const auto fails = [=](Step step, Caller caller) {
                        return step == fault.step && caller == fault.caller && (++*tries == 1 || everyTry);
                    };
                    QString reason;
                    {
                        const ScopedWriterHooks hooks({nullptr, swap, descriptorFolder, [=](Step step) {
                                                           return fails(step, Caller::none) ? EIO : 0;
                                                       }});
                        AtomicFileWriter file(path);
                        reason = file.open();
                        for (const QByteArray &piece : {QByteArray("ours "), QByteArray("1")}) {
                            if (reason.isEmpty())
                                reason = file.write(piece);
                        }
                        if (reason.isEmpty()) {
                            reason = file.commit(
                                [&](int descriptor) {
                                    return fails(Step::create, Caller::beforeReplace)
                                               ? QStringLiteral("refused")
                                               : guard.beforeReplace(path, descriptor, &kept);
                                },
                                {ExternalChangeGuard::swapOutName, [&](const QString &oldFile) {
                                     return fails(Step::create, Caller::replaced)
                                                ? QStringLiteral("refused")
                                                : guard.replaced(path, oldFile, &kept);
                                 }});
                        }
                        guard.afterWrite(path);
                    }
                    const bool reached = *tries > 0;
                    // A named file is never named again, and a file is renamed into place
                    // only where it is swapped.
                    const bool stepTaken = !(fault.step == Step::name && !swap && !descriptors) &&
                                           !(fault.caller == Caller::replaced && !swap);
                    EXPECT_EQ(reached, stepTaken);
                    // A step that fails once is taken again where it has another way: an
                    // unnamed file is made named, a name refused for swapping gives way to
                    // renaming over, a refused swap to a rename. Only a file named from the
                    // start is written when no name can be made at all.
                    const bool another =
                        fault.caller == Caller::none &&
                        (everyTry ? fault.step == Step::name && !descriptors
                                  : (fault.step == Step::create && descriptors) ||
                                        (swap && (fault.step == Step::name || fault.step == Step::replace)));
                    EXPECT_EQ(reason.isEmpty(), !reached || another) << reason.toStdString();
                    QMap<QString, QByteArray> expected = before;
                    if (reason.isEmpty() || fault.step == Step::syncFolder)
                        expected.insert(name, "ours 1");
                    EXPECT_EQ(held(universesPath()), expected) << reason.toStdString();

                    kept.clear();
                    {
                        const ScopedWriterHooks quiet({nullptr, swap, descriptorFolder});
                        ASSERT_EQ(saveAsTheStoreDoes(guard, path, "ours 2", &kept), QString());
                    }
                    EXPECT_EQ(kept, QString());
                    expected.insert(name, "ours 2");
                    EXPECT_EQ(held(universesPath()), expected);
                }
            }
        }
    }
}
