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

// Every file whose name does not carry the program's mark stays, whatever its name and
// whatever it holds, through two starts: a copy under a name like the one older
// versions gave their temporary files, compressed, cut short, empty or a note. Only
// regular files under the program's own hidden, marked names are removed.
TEST_F(SaveLeftovers, StartRemovesOnlyFilesWhoseNameAloneProvesThemItsOwn)
{
    const QUuid id = QUuid::createUuid(), other = QUuid::createUuid();
    const QString universe = QFileInfo(writeUniverse(id, QStringLiteral("Kept"))).fileName();
    const QByteArray whole = contents(folder().fileFor(id));
    struct Contents
    {
        const char *what;
        QByteArray bytes;
    };
    const Contents kinds[] = {
        {"a whole universe", whole},
        {"compressed", QByteArray::fromHex("1f8b0800000000000003") + QByteArray(200, '\x9c')},
        {"cut short", whole.left(whole.size() / 2)},
        {"empty", QByteArray()},
        {"a note", "Sector notes, to mend the broken file by hand.\n"},
    };
    // "%1": the universe's id, "%2": in lower case, "%3": another id.
    const QStringList users = {
        QStringLiteral("%1.json.abc123"), QStringLiteral("%1.json.Ab3dE9"), QStringLiteral("%1.json.zipped"),
        QStringLiteral("%1.json.broken"), QStringLiteral("%1.json.backup"), QStringLiteral("%1.json.XYZ789"),
        QStringLiteral("%2.json.Ab12Cd"), QStringLiteral("%3.json.Ab12Cd"), QStringLiteral("%1.json.bak"),
        QStringLiteral("%1.json.backup1"), QStringLiteral("notes.json.ABC123"),
        QStringLiteral(".%1.json.Ab12Cd"),
        QStringLiteral("%1 (changed elsewhere 2026-01-01 10-00-00).json.bak"),
        QStringLiteral("%1 (changed elsewhere 2026-01-01 10-00-00, 2).json.bak"),
        // Near misses of the program's own names.
        QStringLiteral("%1.json.vostrel-write-Ab12Cd"),   // not hidden
        QStringLiteral(".%1.json.vostrel-backup-Ab12Cd"), // another mark
        QStringLiteral(".%1.json.vostrel-write-Ab12C"),   // five letters
        QStringLiteral(".%1.json.vostrel-write-Ab12Cd~"), // a copy of one
    };
    const QStringList own = {
        QStringLiteral(".%1.json.vostrel-write-Ab12Cd"), QStringLiteral(".%1.json.vostrel-removal-Q9q9Q9"),
        QStringLiteral(".%1 (changed elsewhere 2026-01-01 10-00-00).json.bak.vostrel-write-Kk1234"),
        QStringLiteral(".%3.json.vostrel-write-Zz0099")};
    const auto named = [&](const QString &name) {
        return QString(name)
            .replace(QStringLiteral("%1"), upper(id))
            .replace(QStringLiteral("%2"), upper(id).toLower())
            .replace(QStringLiteral("%3"), upper(other));
    };
    const QDir dir(universesPath());
    // Beside the settings file every copy stays, whatever its name: what a killed write
    // of it leaves cannot be told from a user's copy.
    const QStringList besideSettings = {QStringLiteral("settings.ini.backup"),
                                        QStringLiteral("settings.ini.Q1w2E3"),
                                        QStringLiteral(".settings.ini.vostrel-write-Ab12Cd")};
    for (const Contents &kind : kinds) {
        SCOPED_TRACE(kind.what);
        QStringList expected{universe};
        for (const QString &name : users) {
            writeFile(dir.filePath(named(name)), kind.bytes);
            expected.append(named(name));
        }
        for (const QString &name : own)
            writeFile(dir.filePath(named(name)), kind.bytes);
        for (const QString &name : besideSettings)
            writeFile(m_documents.filePath(name), kind.bytes);
        expected.sort();
        for (const int start : {1, 2}) {
            auto manager = startManager();
            EXPECT_EQ(manager->current()->id(), id) << "start " << start;
            EXPECT_EQ(universeFiles(), expected) << "start " << start;
        }
        for (const QString &name : users)
            EXPECT_EQ(contents(dir.filePath(named(name))), kind.bytes) << named(name).toStdString();
        for (const QString &name : besideSettings)
            EXPECT_EQ(contents(m_documents.filePath(name)), kind.bytes) << name.toStdString();
        EXPECT_EQ(contents(folder().fileFor(id)), whole);
        for (const QString &name : users)
            QFile::remove(dir.filePath(named(name)));
    }
}

// The names the program gives its own files beside any target are removed at start,
// whatever the target's name (a long one is shortened in them, and still recognised);
// near misses of them, links and folders under them stay.
TEST_F(SaveLeftovers, TheProgramsOwnNamesAreRemovedAndTheirNearMissesStay)
{
    const QUuid id = QUuid::createUuid();
    const QString universe = QFileInfo(writeUniverse(id, QStringLiteral("Kept"))).fileName();
    const QDir dir(universesPath());
    QStringList expected{universe};
    for (const QString &name :
         {QStringLiteral(".%1.json.vostrel-write-L1nk00"), QStringLiteral(".%1.json.vostrel-write-D1r000")}) {
        expected.append(name.arg(upper(id)));
    }
    ASSERT_TRUE(QFile::link(folder().fileFor(id), dir.filePath(expected.at(1))));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(expected.at(2))));

    QRandomGenerator random(20240607);
    const QString characters = QStringLiteral("aZ09 .-_()é,漢");
    QStringList own;
    for (int i = 0; i < 48; ++i) {
        QString target;
        // Some targets too long for the program's form: it shortens them.
        for (int length = i % 8 ? 1 + random.bounded(12) : 240 + random.bounded(40); length > 0; --length)
            target += characters.at(random.bounded(characters.size()));
        if (target == QStringLiteral(".") || target == QStringLiteral(".."))
            continue;
        const QString path =
            saveLeftoverName(dir.filePath(target), i % 2 ? SaveLeftover::write : SaveLeftover::removal);
        const QString name = QFileInfo(path).fileName();
        ASSERT_EQ(QFileInfo(path).path(), dir.path());
        ASSERT_LE(QFile::encodeName(name).size(), 255) << name.toStdString();
        ASSERT_FALSE(own.contains(name));
        own.append(name);
        writeFile(path, i % 3 ? "whole" : "cut");
        QStringList nearMisses{
            name.chopped(1), name + QLatin1Char('0'),
            QString(name).replace(QStringLiteral(".vostrel-"), QStringLiteral(".vostrel."))};
        if (!target.startsWith(QLatin1Char('.')))
            nearMisses.append(name.mid(1)); // not hidden
        for (const QString &nearMiss : nearMisses) {
            if (QFile::encodeName(nearMiss).size() > 255)
                continue;
            writeFile(dir.filePath(nearMiss), "near miss");
            expected.append(nearMiss);
        }
    }

    auto manager = startManager();
    EXPECT_EQ(manager->current()->id(), id);
    expected.sort();
    expected.removeDuplicates();
    EXPECT_EQ(universeFiles(), expected);
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
