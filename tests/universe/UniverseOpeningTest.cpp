// Opening a universe reads its file on a worker thread: the store stays usable while
// it runs, takes the result in from the event loop, and ends exactly as opening it
// at once would.
#include "OneThreadPools.h"
#include "RandomRecords.h"
#include "RunningWaits.h"
#include "SeededSource.h"
#include "UniverseStoreSupport.h"

#include "ScriptedWrites.h"
#include "StoreWaits.h"
#include "universe/BackgroundDecoder.h"
#include "universe/ParallelListReader.h"
#include "universe/WorkerPools.h"
#include "json/JsonWriter.h"

#include <QSignalSpy>

namespace {

using Header = UniverseManager::Header;

class Opening : public UniverseStoreTest
{
protected:
    void SetUp() override
    {
        m_settings.setValue(UniverseManager::kDidMigrateKey, true);
        m_manager = startManager();
    }

    UniverseManager &manager() { return *m_manager; }

    // The listed header of the universe with this id.
    Header listed(const QUuid &id)
    {
        for (const Header &header : manager().loadHeaders()) {
            if (header.id == id)
                return header;
        }
        ADD_FAILURE() << "not listed";
        return {};
    }

    // Runs the event loop until every read has ended on its worker and whatever it
    // handed back has been taken in.
    // Makes saving the current universe fail: a folder stands where its file goes.
    void breakSavesOfCurrent()
    {
        const QString file = manager().current()->filePath();
        ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
    }

    std::unique_ptr<UniverseManager> m_manager;
};

// A universe's file as another program might have written it.
QString writeContents(const UniverseFolder &folder, const UniverseContents &contents)
{
    QDir().mkpath(folder.universesPath());
    QFile file(folder.fileFor(contents.id));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(JsonWriter::write(JsonValue(contents.toJson())));
    return file.fileName();
}

} // namespace

// open() returns before the file is read; the universe becomes current only when the
// event loop takes the result in, with the signals and records of an open at once:
// the current universe changes once, the load error is cleared, the universe is
// remembered, and the listing is left alone.
TEST_F(Opening, TheUniverseBecomesCurrentFromTheEventLoopWithTheSignalsOfAnOpen)
{
    const QUuid broken = QUuid::createUuid(), good = QUuid::createUuid();
    writeFile(folder().fileFor(broken),
              "{\"id\": \"" + uuidText(broken).toUtf8() + "\", \"name\": \"B\", \"data\": 1}");
    writeUniverse(good, QStringLiteral("Good"));
    openAndWait(manager(), listed(broken));
    ASSERT_TRUE(manager().loadError().has_value());

    StarfarerUniverse *before = manager().current();
    const QString remembered = uuidText(before->id());
    ASSERT_TRUE(remembers(m_settings, remembered));
    QSignalSpy current(&manager(), &UniverseManager::currentChanged);
    QSignalSpy opening(&manager(), &UniverseManager::openingChanged);
    QSignalSpy loadError(&manager(), &UniverseManager::loadErrorChanged);
    QSignalSpy headers(&manager(), &UniverseManager::headersChanged);
    const Header chosen = listed(good);
    manager().open(chosen);

    ASSERT_TRUE(manager().opening().has_value());
    EXPECT_EQ(manager().opening()->id, good);
    EXPECT_EQ(manager().current(), before);
    EXPECT_EQ(current.count(), 0);
    EXPECT_EQ(opening.count(), 1);
    EXPECT_EQ(m_settings.value(UniverseManager::kLastUniverseIDKey).toString(), remembered);

    ASSERT_TRUE(QTest::qWaitFor([&] { return current.count() > 0; }, 10000));
    EXPECT_EQ(manager().current()->id(), good);
    EXPECT_FALSE(manager().opening().has_value());
    EXPECT_EQ(opening.count(), 2);
    EXPECT_EQ(loadError.count(), 1);
    EXPECT_FALSE(manager().loadError().has_value());
    EXPECT_EQ(headers.count(), 0);
    EXPECT_TRUE(remembers(m_settings, uuidText(good)));
    drainWorkers();
    EXPECT_EQ(current.count(), 1);
}

// A file that cannot be read leaves the current universe as it was, says so every
// time it is chosen (the message is shown again even when it is the same), and is
// left byte for byte. So is a listed file that is gone by the time it is read.
TEST_F(Opening, AFileThatCannotBeReadLeavesTheCurrentUniverseAndSaysSoEachTime)
{
    const QUuid broken = QUuid::createUuid(), gone = QUuid::createUuid();
    const QByteArray corrupt =
        "{\"id\": \"" + uuidText(broken).toUtf8() + "\", \"name\": \"B\", \"factions\": [1]}";
    const QString brokenPath = writeFile(folder().fileFor(broken), corrupt);
    const QString gonePath = writeUniverse(gone, QStringLiteral("Gone"));
    const Header goneHeader = listed(gone);
    StarfarerUniverse *before = manager().current();
    QSignalSpy failed(&manager(), &UniverseManager::openFailed);
    QSignalSpy loadError(&manager(), &UniverseManager::loadErrorChanged);
    QSignalSpy current(&manager(), &UniverseManager::currentChanged);

    for (int attempt = 1; attempt <= 2; ++attempt) {
        openAndWait(manager(), listed(broken));
        EXPECT_EQ(failed.count(), attempt);
        EXPECT_EQ(loadError.count(), 1);
        EXPECT_EQ(manager().loadErrorFile(), brokenPath);
        EXPECT_EQ(manager().loadError(), UniverseManager::kLoadErrorText);
    }
    ASSERT_TRUE(QFile::remove(gonePath));
    openAndWait(manager(), goneHeader);
    EXPECT_EQ(failed.count(), 3);
    EXPECT_EQ(manager().loadErrorFile(), gonePath);

    EXPECT_EQ(manager().current(), before);
    EXPECT_EQ(current.count(), 0);
    EXPECT_EQ(contents(brokenPath), corrupt);
}

// The latest request decides which universe ends up current: another open, the
// current universe chosen again, a new universe or a delete abandon the universe
// still being read, which then never becomes current.
TEST_F(Opening, TheLatestRequestAbandonsAUniverseStillBeingRead)
{
    const QUuid atlas = QUuid::createUuid(), borealis = QUuid::createUuid();
    writeUniverse(atlas, QStringLiteral("Atlas"));
    writeUniverse(borealis, QStringLiteral("Borealis"));
    QList<QUuid> madeCurrent;
    QObject::connect(&manager(), &UniverseManager::currentChanged, &manager(),
                     [&] { madeCurrent.append(manager().current()->id()); });

    manager().open(listed(atlas));
    manager().open(listed(borealis));
    EXPECT_EQ(manager().opening()->id, borealis);
    drainWorkers();
    EXPECT_EQ(madeCurrent, QList<QUuid>{borealis});

    manager().open(listed(atlas));
    manager().open(listed(borealis)); // the current one: stay
    EXPECT_FALSE(manager().opening().has_value());
    drainWorkers();
    EXPECT_EQ(madeCurrent, QList<QUuid>{borealis});

    manager().open(listed(atlas));
    ASSERT_TRUE(createAndWait(manager(), QStringLiteral("Cygnus")));
    const QUuid cygnus = manager().current()->id();
    drainWorkers();
    EXPECT_EQ(madeCurrent, (QList<QUuid>{borealis, cygnus}));

    manager().open(listed(atlas));
    manager().deleteUniverse(listed(atlas)); // not the current one: at once
    EXPECT_FALSE(manager().opening().has_value());
    drainWorkers();
    EXPECT_EQ(madeCurrent, (QList<QUuid>{borealis, cygnus}));
    EXPECT_FALSE(QFile::exists(folder().fileFor(atlas)));
    EXPECT_EQ(manager().current()->id(), cygnus);
}

// The store may go while a file is read for it (the program quits): nothing arrives
// afterwards, nothing is remembered, and the next start finds the folder free.
TEST_F(Opening, AStoreDestroyedWhileReadingDropsTheRead)
{
    const QUuid atlas = QUuid::createUuid();
    const QString atlasPath = writeUniverse(atlas, QStringLiteral("Atlas"));
    const QByteArray atlasBytes = contents(atlasPath);
    const QUuid before = manager().current()->id();
    manager().open(listed(atlas));
    m_manager.reset();
    drainWorkers();
    EXPECT_EQ(m_settings.value(UniverseManager::kLastUniverseIDKey).toString(), uuidText(before));
    EXPECT_EQ(contents(atlasPath), atlasBytes);

    m_manager = startManager();
    EXPECT_EQ(manager().current()->id(), before);
}

// The universe left stays alive through the switch's signal, so views still showing it
// may read it there, and is deleted only after the views its listeners dropped then:
// it holds the last share of its values, so they are freed with it on a worker thread
// and not with a view on this one.
TEST_F(Opening, TheUniverseLeftOutlivesTheSwitchAndTheViewsDroppedInIt)
{
    const QUuid next = QUuid::createUuid();
    writeUniverse(next, QStringLiteral("Next"));
    StarfarerUniverse *left = manager().current();
    left->setName(QStringLiteral("Left Behind"));
    left->save();
    QStringList order;
    QObject listener;
    QObject::connect(left, &QObject::destroyed, &listener, [&] { order << QStringLiteral("universe"); });
    QObject::connect(&manager(), &UniverseManager::currentChanged, &listener, [&] {
        order << QStringLiteral("switched to ") + manager().current()->name();
        auto *view = new QObject;
        QObject::connect(view, &QObject::destroyed, &listener, [&order, shownName = left->name()] {
            order << QStringLiteral("view of ") + shownName;
        });
        view->deleteLater();
    });

    manager().open(listed(next));
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 3; }, 10000)) << order.join(u", ").toStdString();
    drainWorkers();
    EXPECT_EQ(order, (QStringList{QStringLiteral("switched to Next"), QStringLiteral("view of Left Behind"),
                                  QStringLiteral("universe")}));
}

// A switch waits for the writes of the edits made before it was asked: when they
// cannot be saved, even when tried once more, the user is asked once their outcome is
// in, and not again in the same switch once they chose to leave unsaved edits;
// staying drops what was read. Edits made while the other universe is read are
// written too, after the universe is left if need be: a write of theirs that then
// fails is told and tried again until it is written.
TEST_F(Opening, EditsBeforeASwitchAreSavedOrAskedAboutAndLaterOnesWrittenOrTold)
{
    const QUuid atlas = QUuid::createUuid(), borealis = QUuid::createUuid(), cygnus = QUuid::createUuid();
    writeUniverse(atlas, QStringLiteral("Atlas"));
    writeUniverse(borealis, QStringLiteral("Borealis"));
    writeUniverse(cygnus, QStringLiteral("Cygnus"));
    int asked = 0;
    UniverseManager::Answer answer;
    manager().setLeaveUnsavedQuestion(
        [&](StarfarerUniverse &, UniverseManager::Leaving leaving, UniverseManager::Answer given) {
            EXPECT_EQ(leaving, UniverseManager::Leaving::switching);
            ++asked;
            answer = std::move(given);
        });
    const auto switched = [&] { return QTest::qWaitFor([&] { return !manager().opening(); }, 30000); };
    const auto holds = [&](const QString &path, const QByteArray &text) {
        return QTest::qWaitFor([&] { return contents(path).contains(text); }, 30000);
    };

    const QString firstPath = manager().current()->filePath();
    manager().open(listed(atlas));
    manager().current()->setName(QStringLiteral("Edited while reading"));
    manager().current()->save();
    ASSERT_TRUE(switched());
    EXPECT_EQ(manager().current()->id(), atlas);
    EXPECT_TRUE(holds(firstPath, "Edited while reading"));
    EXPECT_EQ(asked, 0);

    // The edit made before the switch cannot be saved: the user stays.
    breakSavesOfCurrent();
    manager().current()->setName(QStringLiteral("Atlas, unsaved"));
    manager().current()->save();
    manager().open(listed(borealis));
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked == 1; }, 30000));
    EXPECT_TRUE(manager().opening().has_value());
    answer(false);
    ASSERT_TRUE(switched());
    drainWorkers();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(manager().current()->id(), atlas);

    // Asked once, and not again for an edit that fails after the answer.
    manager().open(listed(borealis));
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked == 2; }, 30000));
    answer(true);
    manager().current()->setName(QStringLiteral("Atlas, unsaved again"));
    manager().current()->save();
    ASSERT_TRUE(switched());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(manager().current()->id(), borealis);

    // An edit made while Cygnus is read, whose write fails once Borealis is left.
    StarfarerUniverse *left = manager().current();
    left->setSaveRetryDelays(std::chrono::milliseconds(1), std::chrono::milliseconds(1));
    const QString leftPath = left->filePath();
    QSignalSpy told(&manager(), &UniverseManager::operationFailed);
    manager().open(listed(cygnus));
    breakSavesOfCurrent();
    {
        saving_test::HeldWrite held(*left);
        left->setName(QStringLiteral("Borealis, written late"));
        left->save();
        ASSERT_TRUE(held.started());
        ASSERT_TRUE(switched());
        EXPECT_EQ(manager().current()->id(), cygnus);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, 30000));
    EXPECT_TRUE(told.first().first().toString().contains(leftPath))
        << told.first().first().toString().toStdString();
    ASSERT_TRUE(QDir(leftPath).removeRecursively());
    EXPECT_TRUE(holds(leftPath, "Borealis, written late"));
    EXPECT_EQ(asked, 2);
}

// A universe opened on the worker is the universe a direct read gives: the same
// bytes when saved, the same rules, the look-ups by id and by coordinates of a
// document that indexed its systems itself (the first of two hexes on one place
// wins), legacy faction records relinked
// alike; and it knows the version it read, so its next save keeps nothing aside.
TEST_F(Opening, AUniverseOpenedOnTheWorkerEqualsOneReadDirectly)
{
    using namespace random_records;
    SeededSource source(20250921);
    ScopedRandomSource scope(source);
    // The fixture's universe, with faction records of the older layout.
    const QString legacy =
        folder().fileFor(QUuid::fromString(QStringLiteral("A1A1A1A1-0000-4000-8000-000000000001")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VOSTREL_TEST_DATA_DIR "/legacy-factions.json"), legacy));
    QStringList paths{legacy};
    for (int round = 0; round < 12; ++round) {
        UniverseContents made = universeContents(round % 4 == 0 ? 0 : 30);
        if (!made.data.isEmpty()) {
            HexData twin = made.data.at(0);
            twin.id = QUuid::createUuid();
            made.data.append(twin);
        }
        paths.append(writeContents(folder(), made));
    }

    for (const QString &path : std::as_const(paths)) {
        QString error;
        const auto direct = StarfarerUniverse::readFile(path, folder(), &error);
        ASSERT_TRUE(direct) << error.toStdString();
        openAndWait(manager(), listed(direct->id()));
        StarfarerUniverse &opened = *manager().current();
        ASSERT_EQ(opened.id(), direct->id()) << path.toStdString();
        EXPECT_EQ(opened.encode(), direct->encode());
        EXPECT_EQ(opened.usesTravellerRules(), direct->usesTravellerRules());
        // Looked up as in a document that indexed the same systems itself.
        StarfarerUniverse indexed(folder());
        indexed.setData(direct->data().toList());
        for (const HexData &hex : direct->data()) {
            EXPECT_EQ(opened.hexWithID(hex.id), indexed.hexWithID(hex.id));
            EXPECT_EQ(opened.hexData(hex.coordinates), indexed.hexData(hex.coordinates));
        }
        QSignalSpy kept(&opened, &StarfarerUniverse::externalChangeKept);
        opened.setName(opened.name() + QStringLiteral(" (saved)"));
        ASSERT_TRUE(opened.saveNow());
        EXPECT_EQ(kept.count(), 0);
    }
}

// The decoder alone: a decoding abandoned, replaced or destroyed hands nothing back;
// the one that runs to its end hands back its outcome once.
TEST_F(UniverseStoreTest, ADecodingAbandonedOrReplacedHandsNothingBack)
{
    StarfarerUniverse universe(folder());
    universe.setName(QStringLiteral("Read"));
    ASSERT_TRUE(universe.saveNow());
    const QString missing = folder().fileFor(QUuid::createUuid());
    QStringList handedBack;
    const auto note = [&](const QString &what) {
        return [&handedBack, what](BackgroundDecoder::Outcome outcome) {
            handedBack.append(outcome.decoded ? what + QStringLiteral(": ") + outcome.decoded->contents.name
                                              : what + QStringLiteral(" failed"));
        };
    };
    {
        BackgroundDecoder decoder;
        decoder.start(universe.filePath(), note(QStringLiteral("abandoned")));
        decoder.abandon();
        EXPECT_FALSE(decoder.isRunning());
        decoder.start(universe.filePath(), note(QStringLiteral("replaced")));
        decoder.start(missing, note(QStringLiteral("missing")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !decoder.isRunning(); }, 10000));
        decoder.start(universe.filePath(), note(QStringLiteral("kept")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !decoder.isRunning(); }, 10000));
        decoder.start(universe.filePath(), note(QStringLiteral("destroyed")));
    }
    deliver();
    EXPECT_EQ(handedBack, (QStringList{QStringLiteral("missing failed"), QStringLiteral("kept: Read")}));

    // Abandoned before it starts, the worker stops without reading.
    const std::atomic<bool> abandoned = true;
    QString error;
    EXPECT_FALSE(UniverseFile::decodeFile(universe.filePath(), &error, &abandoned));
    EXPECT_TRUE(UniverseFile::decodeFile(universe.filePath(), &error, nullptr));
}

// On a machine with one core every job of a switch finishes: reading a universe whose
// systems are decoded in parts (opened, and opened next after the open one is
// deleted), and freeing the universe left. None waits for work queued on its own
// pool, nor queues on Qt's global pool, whose one thread is kept busy here.
TEST_F(Opening, SwitchingAndDeletingFinishWithOneThread)
{
    using namespace random_records;
    const OneThreadPools oneCore;
    QList<Header> large;
    for (const QString &name : {QStringLiteral("Large A"), QStringLiteral("Large B")}) {
        UniverseContents made = universeContents(0);
        made.name = name;
        QList<HexData> systems;
        while (systems.size() < qsizetype(2 * ParallelListReader::kParallelThreshold))
            systems.append(hexData());
        made.data = HexList(systems);
        made.factions = {faction()};
        large.append(Header{made.id, name, writeContents(folder(), made)});
    }
    manager().loadHeaders();

    manager().open(large.first());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !manager().opening(); }, 30000));
    ASSERT_EQ(manager().current()->id(), large.first().id);
    EXPECT_EQ(manager().current()->data().size(), 2 * ParallelListReader::kParallelThreshold);

    // The universe left holds the last share of its values, freed on a worker.
    const QList<Faction> shared = manager().current()->factions();
    EXPECT_FALSE(shared.isDetached());
    EXPECT_TRUE(deleteAndWait(manager(), large.first()));
    EXPECT_EQ(manager().current()->id(), large.last().id);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shared.isDetached(); }, 30000));
}

// A universe's file replaced by an older copy of another universe's (as a sync tool
// may do) does not hold the universe chosen: opening it keeps the current universe,
// says that file could not be opened and lists the folder again, and the current
// universe's own file is left as it is. Remembered at start-up, it is not opened
// either.
TEST_F(Opening, AFileHoldingAnotherUniverseIsNotOpenedAsTheOneChosen)
{
    const QUuid borealis = QUuid::createUuid();
    writeUniverse(borealis, QStringLiteral("Borealis"));
    const Header chosen = listed(borealis);
    StarfarerUniverse *current = manager().current();
    const QUuid atlas = current->id();
    current->setName(QStringLiteral("Atlas"));
    ASSERT_TRUE(current->saveNow());
    ASSERT_TRUE(QFile::remove(chosen.filePath) && QFile::copy(current->filePath(), chosen.filePath));
    current->setName(QStringLiteral("Aardvark"));
    ASSERT_TRUE(current->saveNow());
    const QByteArray newest = contents(current->filePath());

    QSignalSpy failed(&manager(), &UniverseManager::openFailed);
    openAndWait(manager(), chosen);
    EXPECT_EQ(manager().current(), current);
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(manager().loadError(), UniverseManager::kLoadErrorText);
    EXPECT_EQ(manager().loadErrorFile(), chosen.filePath);
    QStringList names;
    for (const Header &header : manager().headers())
        names.append(header.name);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Aardvark"), QStringLiteral("Atlas")}));
    drainWorkers();
    EXPECT_EQ(contents(current->filePath()), newest);

    m_manager.reset();
    m_settings.setValue(UniverseManager::kLastUniverseIDKey, uuidText(borealis));
    m_manager = startManager();
    EXPECT_EQ(manager().current()->id(), atlas);
    EXPECT_EQ(manager().current()->name(), QStringLiteral("Aardvark"));
    EXPECT_EQ(manager().loadErrorFile(), chosen.filePath);
}
