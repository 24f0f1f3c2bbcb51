// What start removes beside the universes and the settings: only what the program can
// tell is its own interrupted write or delete; a user's copy under any name stays.
#include "universe/SaveLeftovers.h"
#include "UniverseStoreSupport.h"
#include "import/HeldPool.h"

#include <QRandomGenerator>

namespace {

QString upper(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace

using SaveLeftovers = UniverseStoreTest;

TEST_F(SaveLeftovers, StartRemovesTheProgramsOwnInterruptedWritesAndNoCopyOfTheUsers)
{
    const QUuid id = QUuid::createUuid();
    const QString universe = QFileInfo(writeUniverse(id, QStringLiteral("Kept"))).fileName();
    const QByteArray whole = contents(folder().fileFor(id));
    enum class Make { whole, cutShort, empty, otherJson, link, folder };
    struct Entry
    {
        QString name; // "%1": the universe's id
        Make make;
        bool stays;
    };
    const Entry universes[] = {
        {QStringLiteral("%1.json.backup"), Make::whole, true},
        {QStringLiteral("%1.json.abc123"), Make::whole, true},
        {QStringLiteral("%1.json.q1W2e3"), Make::otherJson, true},
        {QStringLiteral("%1.json.Ab3dE9"), Make::cutShort, false}, // older versions' own
        {QStringLiteral("%1.json.XYZ789"), Make::empty, false},
        {QStringLiteral("%1.json.Lnk123"), Make::link, true},
        {QStringLiteral("%1.json.D1r000"), Make::folder, true},
        {QStringLiteral("%1.json.bak"), Make::cutShort, true},
        {QStringLiteral("%1.json.backup1"), Make::cutShort, true},
        {QStringLiteral("notes.json.ABC123"), Make::cutShort, true},
        {QStringLiteral("%1 (changed elsewhere 2026-01-01 10-00-00).json.bak"), Make::whole, true},
        {QStringLiteral(".%1.json.vostrel-write-Ab12Cd"), Make::cutShort, false},
        {QStringLiteral(".%1.json.vostrel-write-Zz0099"), Make::whole, false},
        {QStringLiteral(".%1.json.vostrel-removal-Q9q9Q9"), Make::whole, false},
        {QStringLiteral(".%1 (changed elsewhere 2026-01-01 10-00-00).json.bak.vostrel-write-Kk1234"),
         Make::cutShort, false},
        {QStringLiteral(".%1.json.vostrel-write-L1nk00"), Make::link, true},
        {QStringLiteral(".%1.json.vostrel-write-D1r000"), Make::folder, true},
        {QStringLiteral(".%1.json.vostrel-write-Ab12C"), Make::cutShort, true},
        {QStringLiteral("%1.json.vostrel-write-Ab12Cd"), Make::cutShort, true},
        {QStringLiteral(".%1.json.vostrel-backup-Ab12Cd"), Make::cutShort, true},
    };
    const QDir dir(universesPath());
    const auto make = [&](const QString &path, Make how) {
        switch (how) {
        case Make::whole: writeFile(path, whole); break;
        case Make::cutShort: writeFile(path, whole.left(whole.size() / 2)); break;
        case Make::empty: writeFile(path, QByteArray()); break;
        case Make::otherJson: writeFile(path, "[1, 2]"); break;
        case Make::link: ASSERT_TRUE(QFile::link(folder().fileFor(id), path)); break;
        case Make::folder: ASSERT_TRUE(QDir().mkpath(path)); break;
        }
    };
    QStringList expected{universe};
    for (const Entry &entry : universes) {
        const QString name = QString(entry.name).replace(QStringLiteral("%1"), upper(id));
        make(dir.filePath(name), entry.make);
        if (entry.stays)
            expected.append(name);
    }
    // Beside the settings file every copy stays, whatever its name: what a killed write
    // of it leaves cannot be told from a user's copy.
    const QStringList besideSettings = {QStringLiteral("settings.ini.backup"),
                                        QStringLiteral("settings.ini.Q1w2E3"),
                                        QStringLiteral(".settings.ini.vostrel-write-Ab12Cd")};
    for (const QString &name : besideSettings)
        writeFile(m_documents.filePath(name), "lastUniverseID=");

    // Names the program gives its own files beside any target, and near misses of them
    // as a user might name a copy.
    QRandomGenerator random(20240607);
    const QString characters = QStringLiteral("aZ09 .-_()é,");
    QStringList own;
    for (int i = 0; i < 40; ++i) {
        QString target;
        for (int length = 1 + random.bounded(12); length > 0; --length)
            target += characters.at(random.bounded(characters.size()));
        if (target == QStringLiteral(".") || target == QStringLiteral(".."))
            continue;
        const QString path =
            saveLeftoverName(dir.filePath(target), i % 2 ? SaveLeftover::write : SaveLeftover::removal);
        const QString name = QFileInfo(path).fileName();
        ASSERT_EQ(QFileInfo(path).path(), dir.path());
        ASSERT_FALSE(own.contains(name));
        own.append(name);
        make(path, i % 3 ? Make::whole : Make::cutShort);
        QStringList nearMisses{
            name.chopped(1), name + QLatin1Char('0'),
            QString(name).replace(QStringLiteral(".vostrel-"), QStringLiteral(".vostrel."))};
        if (!target.startsWith(QLatin1Char('.')))
            nearMisses.append(name.mid(1)); // not hidden
        for (const QString &nearMiss : nearMisses) {
            make(dir.filePath(nearMiss), Make::cutShort);
            expected.append(nearMiss);
        }
    }

    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), id);
    expected.sort();
    expected.removeDuplicates();
    EXPECT_EQ(universeFiles(), expected);
    for (const QString &name : besideSettings)
        EXPECT_EQ(contents(m_documents.filePath(name)), "lastUniverseID=") << name.toStdString();
    EXPECT_EQ(contents(folder().fileFor(id)), whole);
}

// A deleted universe's file is set aside under the program's own name until a worker
// removes it, so that a program ended before then has its next start remove it: a
// complete universe under any other name would be taken for a user's copy.
TEST_F(SaveLeftovers, ADeletedUniverseSetAsideIsGoneOnceRemovedOrAtTheNextStart)
{
    auto manager = startManager();
    const QString current = QFileInfo(manager->current()->filePath()).fileName();
    for (const bool removalRuns : {true, false}) {
        SCOPED_TRACE(removalRuns ? "removed on the worker" : "the program ends first");
        const QUuid deleted = QUuid::createUuid();
        const QString path = writeUniverse(deleted, QStringLiteral("Deleted"));
        const QByteArray bytes = contents(path);
        HeldPool held; // the removal waits in its queue
        manager->deleteUniverse(UniverseManager::Header{deleted, QStringLiteral("Deleted"), path});
        EXPECT_FALSE(QFile::exists(path));
        QStringList aside = universeFiles();
        aside.removeOne(current);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(contents(QDir(universesPath()).filePath(aside.first())), bytes);
        if (removalRuns)
            held.releaseAndWait();
        else
            folder().removeStaleTemporaryFiles(); // as the next start does
        EXPECT_EQ(universeFiles(), QStringList{current});
    }
}
