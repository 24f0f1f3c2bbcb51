// Requests made of the store while another is under way, and what becomes of the
// universes it leaves: nothing the user confirmed is dropped, a switch ends however
// steadily the universe left is edited, and no write outlives the folder's lock.
#include "HeldSettings.h"
#include "RunningWaits.h"
#include "ScriptedWrites.h"
#include "UniverseStoreSupport.h"

#include "universe/FolderLock.h"
#include "universe/WorkerPools.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QThread>

#include <cmath>
#include <optional>
#include <thread>

namespace {

using Header = UniverseManager::Header;

const QUuid kAtlas = QUuid::fromString(QStringLiteral("11111111-1111-4111-8111-111111111111"));
const QUuid kBorealis = QUuid::fromString(QStringLiteral("22222222-2222-4222-8222-222222222222"));
const QUuid kCygnus = QUuid::fromString(QStringLiteral("33333333-3333-4333-8333-333333333333"));
const QString kAtlasName = QStringLiteral("Atlas"), kBorealisName = QStringLiteral("Borealis"),
              kCygnusName = QStringLiteral("Cygnus");
const QString kMadeFirst = QStringLiteral("Made First"), kMadeLater = QStringLiteral("Made Later");

// What the user asks of the store. Asked first, an open chooses Borealis and a create
// makes "Made First"; asked later, they choose Cygnus and make "Made Later". Deleting
// another universe deletes Borealis.
enum class Ask { open, create, deleteCurrent, deleteOther, quit };

// How far the request under way has come when the next one is asked.
enum class Stage {
    waitingForWrites, // a write of the current universe's last edit is held
    asking,           // that edit cannot be written: the user is being asked
    next,             // nothing held: the next universe is read, or the one made written
};

// Where the requests end: the universe current, and the universes stored.
struct Case
{
    Ask pending;
    Ask later;
    QString current;
    QStringList stored;
};

const char *name(Ask ask)
{
    static const char *const names[] = {"open", "create", "delete current", "delete other", "quit"};
    return names[int(ask)];
}

Header listed(UniverseManager &manager, const QUuid &id)
{
    for (const Header &header : manager.headers()) {
        if (header.id == id)
            return header;
    }
    ADD_FAILURE() << "not listed";
    return {};
}

void ask(UniverseManager &manager, Ask ask, bool later)
{
    StarfarerUniverse &current = *manager.current();
    switch (ask) {
    case Ask::open: manager.open(listed(manager, later ? kCygnus : kBorealis)); break;
    case Ask::create: manager.create(later ? kMadeLater : kMadeFirst); break;
    case Ask::deleteCurrent:
        manager.deleteUniverse(Header{current.id(), current.name(), current.filePath()});
        break;
    case Ask::deleteOther: manager.deleteUniverse(listed(manager, kBorealis)); break;
    case Ask::quit: manager.prepareToQuit(); break;
    }
}

// Whether another start of the program would find the folder's lock free (and take
// it for a moment).
bool lockIsFree(const QString &path)
{
    FolderLock probe(path);
    return probe.acquire() == FolderLock::State::held;
}

} // namespace

class Requests : public UniverseStoreTest
{
protected:
    // A folder of Atlas, Borealis and Cygnus, with Atlas remembered and open.
    std::unique_ptr<UniverseManager> startAfresh()
    {
        QDir(universesPath()).removeRecursively();
        m_settings.clear();
        m_settings.setValue(UniverseManager::kDidMigrateKey, true);
        m_settings.setValue(UniverseManager::kLastUniverseIDKey, uuidText(kAtlas));
        m_settings.sync();
        writeUniverse(kAtlas, kAtlasName);
        writeUniverse(kBorealis, kBorealisName);
        writeUniverse(kCygnus, kCygnusName);
        auto manager = startManager();
        EXPECT_EQ(manager->current()->id(), kAtlas);
        return manager;
    }

    // The names of the universes stored in the folder, sorted.
    QStringList storedNames() const
    {
        QStringList stored;
        for (const QString &file : QDir(universesPath()).entryList({QStringLiteral("*.json")}, QDir::Files)) {
            const auto universe = StarfarerUniverse::readFile(QDir(universesPath()).filePath(file), folder());
            stored.append(universe ? universe->name() : QStringLiteral("unreadable ") + file);
        }
        stored.sort();
        return stored;
    }

    void run(const Case &request, Stage stage);
};

// The request under way is at `stage` when the later one is asked; every question
// asked about unsaved edits is then answered "leave", and every write let go. Nothing
// the user confirmed is dropped, whatever the stage: a universe deleted is gone (and
// no longer remembered), a universe made is stored, a quit ends only once those are
// done, and no universe whose file is gone is ever current.
void Requests::run(const Case &request, Stage stage)
{
    auto manager = startAfresh();
    StarfarerUniverse *atlas = manager->current();
    QList<UniverseManager::Answer> answers;
    bool leaveFromNowOn = false;
    manager->setLeaveUnsavedQuestion(
        [&](StarfarerUniverse &, UniverseManager::Leaving, UniverseManager::Answer answer) {
            if (leaveFromNowOn)
                answer(true);
            else
                answers.append(std::move(answer));
        });
    int quits = 0;
    QString currentAtQuit;
    QStringList storedAtQuit, currentWithoutFile;
    QObject::connect(manager.get(), &UniverseManager::quitReady, manager.get(), [&] {
        ++quits;
        currentAtQuit = manager->current()->name();
        storedAtQuit = storedNames();
    });
    QObject::connect(manager.get(), &UniverseManager::currentChanged, manager.get(), [&] {
        if (!QFile::exists(manager->current()->filePath()))
            currentWithoutFile.append(manager->current()->name());
    });

    std::optional<saving_test::HeldWrite> held;
    if (stage == Stage::waitingForWrites) {
        held.emplace(*atlas);
        atlas->setMapShowRutters(false);
        atlas->save();
        ASSERT_TRUE(held->started());
    } else if (stage == Stage::asking) {
        // A number that has no JSON form: every write of Atlas fails.
        atlas->insertObject(StarmapLabel{QUuid::createUuid(),
                                         QStringLiteral("Unwritable"),
                                         12.0,
                                         FactionColor::white,
                                         std::nan(""),
                                         {},
                                         {}});
        atlas->save();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return atlas->lastOutcome().kind == SaveState::Kind::failed; }, 30000));
    }
    ask(*manager, request.pending, false);
    if (stage == Stage::asking) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.isEmpty(); }, 30000)) << "not asked";
    }
    ask(*manager, request.later, true);
    // An edit after both: written unless its universe is deleted, and then never
    // bringing its file back.
    manager->current()->setMapShowNebulae(false);
    manager->current()->save();
    leaveFromNowOn = true;
    for (const UniverseManager::Answer &answer : std::as_const(answers))
        answer(true);
    held.reset();

    const bool quitAsked = request.pending == Ask::quit || request.later == Ask::quit;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !manager->opening() && !manager->quitting() && (!quitAsked || quits > 0); }, 30000))
        << "the requests never ended";
    const QString current = manager->current()->name();
    const QUuid currentID = manager->current()->id();
    manager.reset();
    waitForWorkers();

    EXPECT_EQ(current, request.current);
    QStringList stored = request.stored;
    stored.sort();
    EXPECT_EQ(storedNames(), stored);
    EXPECT_TRUE(QFile::exists(folder().fileFor(currentID)));
    EXPECT_EQ(currentWithoutFile, QStringList());
    m_settings.sync();
    EXPECT_EQ(m_settings.value(UniverseManager::kLastUniverseIDKey).toString(), uuidText(currentID));
    EXPECT_EQ(quits, quitAsked ? 1 : 0);
    if (quitAsked) {
        EXPECT_EQ(currentAtQuit, request.current);
        EXPECT_EQ(storedAtQuit, stored);
    }
    // The edits are written, unless Atlas was deleted or the user chose to leave them.
    if (stage != Stage::asking && stored.contains(kAtlasName)) {
        const QByteArray written = contents(folder().fileFor(kAtlas));
        EXPECT_TRUE(written.contains("\"mapShowNebulae\": false"));
        EXPECT_EQ(written.contains("\"mapShowRutters\": false"), stage == Stage::waitingForWrites);
    }
}

TEST_F(Requests, ALaterRequestNeverDropsWhatTheUserConfirmed)
{
    const QString A = kAtlasName, B = kBorealisName, C = kCygnusName, first = kMadeFirst, later = kMadeLater;
    const QList<Case> cases = {
        // An open gives way: to another open, a create, a delete (of the universe
        // still open, Borealis then being the first remaining), a quit.
        {Ask::open, Ask::open, C, {A, B, C}},
        {Ask::open, Ask::create, later, {A, B, C, later}},
        {Ask::open, Ask::deleteCurrent, B, {B, C}},
        {Ask::open, Ask::deleteOther, A, {A, C}},
        {Ask::open, Ask::quit, A, {A, B, C}},
        // A universe being made is stored whatever comes after.
        {Ask::create, Ask::open, C, {A, B, C, first}},
        {Ask::create, Ask::create, later, {A, B, C, first, later}},
        {Ask::create, Ask::deleteCurrent, first, {B, C, first}},
        {Ask::create, Ask::deleteOther, first, {A, C, first}},
        {Ask::create, Ask::quit, first, {A, B, C, first}},
        // A delete is carried out; what is asked after replaces the universe deleted.
        {Ask::deleteCurrent, Ask::open, C, {B, C}},
        {Ask::deleteCurrent, Ask::create, later, {B, C, later}},
        {Ask::deleteCurrent, Ask::deleteCurrent, B, {B, C}},
        {Ask::deleteCurrent, Ask::deleteOther, C, {C}},
        {Ask::deleteCurrent, Ask::quit, B, {B, C}},
        // While a quit waits, nothing else is taken.
        {Ask::quit, Ask::open, A, {A, B, C}},
        {Ask::quit, Ask::create, A, {A, B, C}},
        {Ask::quit, Ask::deleteCurrent, A, {A, B, C}},
        {Ask::quit, Ask::deleteOther, A, {A, B, C}},
        {Ask::quit, Ask::quit, A, {A, B, C}},
    };
    for (const Case &request : cases) {
        for (const Stage stage : {Stage::waitingForWrites, Stage::asking, Stage::next}) {
            // A delete asks nothing; a quit has nothing to read or make.
            if ((request.pending == Ask::deleteCurrent && stage == Stage::asking) ||
                (request.pending == Ask::quit && stage == Stage::next))
                continue;
            SCOPED_TRACE(std::string(name(request.pending)) + ", then " + name(request.later) + " at stage " +
                         std::to_string(int(stage)));
            run(request, stage);
            if (HasFatalFailure())
                return;
        }
    }
}

// The universe left is edited during each of its writes, as steadily as it can be
// (each edit reaches the store before the outcome of the write under way): a switch
// waits only for the writes of the edits made before it was asked, so it ends, and the
// edits made since are written all the same once the universe is left. A quit waits
// for those writes too.
TEST_F(Requests, ASwitchEndsWhileTheUniverseLeftIsEditedDuringEveryWrite)
{
    auto manager = startAfresh();
    StarfarerUniverse *left = manager->current();
    const QString leftPath = left->filePath();
    int edits = 0;
    QByteArray lastEdit;
    const auto edit = [&edits, &lastEdit, left] {
        lastEdit = QStringLiteral("Edit #%1#").arg(++edits).toUtf8();
        left->setName(QString::fromUtf8(lastEdit));
        left->save();
    };
    left->setWriteObserver([left, edit](const UniverseContents &) {
        QMetaObject::invokeMethod(left, edit, Qt::QueuedConnection);
    });
    edit();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edits >= 3; }, 30000));

    manager->open(listed(*manager, kBorealis));
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager->current()->id() == kBorealis; }, 30000))
        << "the switch waits for the edits made after it";
    // The universe left is still edited and written.
    const int editsAtSwitch = edits;
    ASSERT_TRUE(QTest::qWaitFor([&] { return edits > editsAtSwitch + 2; }, 30000));

    // The edits stop with one more, whose write is held: the quit waits for it.
    saving_test::HeldWrite held(*left);
    edit();
    ASSERT_TRUE(held.started());
    QSignalSpy quitReady(manager.get(), &UniverseManager::quitReady);
    manager->prepareToQuit();
    deliver();
    EXPECT_EQ(quitReady.count(), 0) << "the quit did not wait for the universe left";
    QByteArray writtenAtQuit;
    QObject::connect(manager.get(), &UniverseManager::quitReady, manager.get(),
                     [&] { writtenAtQuit = contents(leftPath); });
    held.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return quitReady.count() == 1; }, 30000));
    EXPECT_TRUE(writtenAtQuit.contains(lastEdit)) << lastEdit.toStdString() << " is not written";
    EXPECT_EQ(manager->current()->id(), kBorealis);
}

// A universe reopened while the writes of the edits made as it was left still go on
// is taken back as it is, those edits included, instead of read from a file that they
// have yet to reach: nothing is undone, and its file is never kept aside as if
// another program had changed it.
TEST_F(Requests, AUniverseReopenedWhileItsWritesGoOnIsTakenBack)
{
    auto manager = startAfresh();
    const QPointer<StarfarerUniverse> atlas = manager->current();
    const Header atlasHeader = listed(*manager, kAtlas);
    manager->open(listed(*manager, kBorealis));
    {
        saving_test::HeldWrite held(*atlas);
        atlas->setName(QStringLiteral("Atlas, edited late"));
        atlas->save();
        ASSERT_TRUE(held.started());
        ASSERT_TRUE(QTest::qWaitFor([&] { return manager->current()->id() == kBorealis; }, 30000));
        manager->open(atlasHeader);
        ASSERT_TRUE(QTest::qWaitFor([&] { return manager->current()->id() == kAtlas; }, 30000));
        EXPECT_EQ(manager->current(), atlas.data());
        EXPECT_EQ(manager->current()->name(), QStringLiteral("Atlas, edited late"));
    }
    StarfarerUniverse &reopened = *manager->current();
    QSignalSpy keptAside(&reopened, &StarfarerUniverse::externalChangeKept);
    reopened.setName(QStringLiteral("Atlas, edited again"));
    ASSERT_TRUE(reopened.saveNow());
    EXPECT_EQ(keptAside.count(), 0);
    EXPECT_TRUE(contents(folder().fileFor(kAtlas)).contains("Atlas, edited again"));
    EXPECT_EQ(QDir(universesPath()).entryList({QStringLiteral("*.bak")}, QDir::Files), QStringList());
}

// The store's end waits for every write of the store before it lets the folder's lock
// go, so that another start never finds a write of this one under way: the current
// universe's, one left and still writing, one made and being written, the settings'.
// While the write is held, the lock is watched from another thread (a lock let go
// first is let go at once; a second is ample), then the write let go.
TEST_F(Requests, TheFolderLockOutlivesEveryWriteOfTheStore)
{
    enum class Writing { current, left, made, settings };
    for (const Writing writing : {Writing::current, Writing::left, Writing::made, Writing::settings}) {
        SCOPED_TRACE(int(writing));
        QDir(universesPath()).removeRecursively();
        writeUniverse(kAtlas, kAtlasName);
        writeUniverse(kBorealis, kBorealisName);
        QSettings settings(m_documents.filePath(QStringLiteral("held%1.conf").arg(int(writing))),
                           held_settings::format());
        auto manager = std::make_unique<UniverseManager>(folder(), &settings);
        ASSERT_TRUE(manager->start());
        drainWorkers();
        std::optional<saving_test::HeldWrite> held;
        std::optional<held_settings::Hold> heldSettings;
        switch (writing) {
        case Writing::current:
            held.emplace(*manager->current());
            manager->current()->setName(QStringLiteral("Written last"));
            manager->current()->save();
            break;
        case Writing::left:
            manager->open(listed(*manager, kBorealis));
            held.emplace(*manager->current());
            manager->current()->setName(QStringLiteral("Written last"));
            manager->current()->save();
            break;
        case Writing::made:
            held.emplace(*manager,
                         [](const UniverseContents &made) { return made.name == QStringLiteral("Made"); });
            manager->create(QStringLiteral("Made"));
            break;
        case Writing::settings:
            heldSettings.emplace();
            manager->writeSetting(QStringLiteral("probe"), 1);
            ASSERT_TRUE(acquireRunning(held_settings::started));
            break;
        }
        if (held) {
            ASSERT_TRUE(held->started());
        }
        if (writing == Writing::left) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return manager->current()->id() == kBorealis; }, 30000));
        }

        std::atomic_bool letGoFirst = false;
        QSemaphore ending;
        std::thread watcher([&] {
            ending.acquire();
            const QDeadlineTimer watched(1000);
            while (!watched.hasExpired() && !letGoFirst) {
                letGoFirst = lockIsFree(folder().lockFilePath());
                QThread::msleep(1);
            }
            if (held)
                held->release();
            if (heldSettings)
                heldSettings->letGo();
        });
        ending.release();
        manager.reset();
        watcher.join();
        EXPECT_FALSE(letGoFirst) << "the lock went before the write ended";
        if (held) {
            EXPECT_FALSE(held->timedOut());
        }
    }
}

// A listener of the switch that reopens the universe just left, from within the very
// notification that another is current, takes it back as it is, with the edits made
// while the switch ran: they are neither undone in the document nor lost from its
// file, and nothing is kept aside as if another program had changed it.
TEST_F(Requests, AUniverseReopenedFromTheSwitchsNotificationIsTakenBack)
{
    auto manager = startAfresh();
    const QPointer<StarfarerUniverse> atlas = manager->current();
    const Header atlasHeader = listed(*manager, kAtlas);
    bool reopened = false;
    QObject::connect(manager.get(), &UniverseManager::currentChanged, manager.get(), [&] {
        if (!std::exchange(reopened, true))
            manager->open(atlasHeader);
    });
    {
        saving_test::HeldWrite held(*atlas);
        manager->open(listed(*manager, kBorealis));
        atlas->setName(QStringLiteral("Atlas, edited while switching"));
        atlas->save();
        ASSERT_TRUE(held.started());
        ASSERT_TRUE(QTest::qWaitFor([&] { return reopened && !manager->opening(); }, 30000));
        EXPECT_EQ(manager->current(), atlas.data());
        EXPECT_EQ(manager->current()->name(), QStringLiteral("Atlas, edited while switching"));
    }
    QSignalSpy keptAside(manager->current(), &StarfarerUniverse::externalChangeKept);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return manager->current()->saveState().kind == SaveState::Kind::clean; }, 30000));
    QSignalSpy quitReady(manager.get(), &UniverseManager::quitReady);
    manager->prepareToQuit();
    ASSERT_TRUE(QTest::qWaitFor([&] { return quitReady.count() == 1; }, 30000));
    EXPECT_EQ(keptAside.count(), 0);
    EXPECT_TRUE(contents(folder().fileFor(kAtlas)).contains("Atlas, edited while switching"));
    EXPECT_EQ(QDir(universesPath()).entryList({QStringLiteral("*.bak")}, QDir::Files), QStringList());
}

// A universe left whose write still runs, deleted (through the store, whatever request
// is under way): it writes nothing more, is listed no more, and its file goes once
// that write ends, never to come back; the request under way ends as it would have,
// a quit only once the file is gone, and no failure is told.
TEST_F(Requests, AUniverseLeftDeletedWhileItsWriteRunsStaysDeleted)
{
    const QString B = kBorealisName, C = kCygnusName, made = kMadeLater;
    struct DeleteCase
    {
        // Asked while Borealis's write is held: before the delete, or for a quit, after
        // it (a quit under way takes no other request).
        std::optional<Ask> underWay;
        QString current;
        QStringList stored;
    };
    const DeleteCase cases[] = {
        {std::nullopt, B, {B, C}},    {Ask::open, C, {B, C}}, {Ask::create, made, {B, C, made}},
        {Ask::deleteCurrent, C, {C}}, {Ask::quit, B, {B, C}},
    };
    for (const DeleteCase &request : cases) {
        for (const bool atlasWrittenFirst : {true, false}) {
            SCOPED_TRACE(::testing::Message()
                         << (request.underWay ? name(*request.underWay) : "nothing") << " under way, "
                         << (atlasWrittenFirst ? "Atlas" : "Borealis") << " written first");
            auto manager = startAfresh();
            QSignalSpy failures(manager.get(), &UniverseManager::operationFailed);
            QStringList storedAtQuit;
            QObject::connect(manager.get(), &UniverseManager::quitReady, manager.get(),
                             [&] { storedAtQuit = storedNames(); });
            StarfarerUniverse *atlas = manager->current();
            const Header atlasHeader = listed(*manager, kAtlas);
            std::optional<saving_test::HeldWrite> atlasWrite(std::in_place, *atlas);
            manager->open(listed(*manager, kBorealis));
            atlas->setName(QStringLiteral("Atlas, edited while switching"));
            atlas->save();
            ASSERT_TRUE(atlasWrite->started());
            ASSERT_TRUE(QTest::qWaitFor([&] { return manager->current()->id() == kBorealis; }, 30000));

            std::optional<saving_test::HeldWrite> borealisWrite;
            if (request.underWay) {
                StarfarerUniverse *borealis = manager->current();
                borealisWrite.emplace(*borealis);
                borealis->setMapShowRutters(false);
                borealis->save();
                ASSERT_TRUE(borealisWrite->started());
                if (request.underWay != Ask::quit)
                    ask(*manager, *request.underWay, true);
            }
            manager->deleteUniverse(atlasHeader);
            if (request.underWay == Ask::quit)
                manager->prepareToQuit();
            for (const Header &header : manager->headers())
                EXPECT_NE(header.id, kAtlas) << "still listed";
            if (atlasWrittenFirst) {
                atlasWrite.reset();
                borealisWrite.reset();
            } else {
                borealisWrite.reset();
                atlasWrite.reset();
            }
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    return !manager->opening() && !manager->quitting() &&
                           !QFile::exists(atlasHeader.filePath);
                },
                30000))
                << "the requests never ended";
            waitForWorkers();
            deliver();
            EXPECT_EQ(manager->current()->name(), request.current);
            for (const Header &header : manager->headers())
                EXPECT_NE(header.id, kAtlas) << "listed again";
            manager.reset();
            waitForWorkers();
            QStringList stored = request.stored;
            stored.sort();
            EXPECT_EQ(storedNames(), stored);
            if (request.underWay == Ask::quit) {
                EXPECT_EQ(storedAtQuit, stored);
            }
            EXPECT_EQ(failures.count(), 0);
        }
    }
}
