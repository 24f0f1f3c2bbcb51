#include "HeldPool.h"
#include "ImportServiceTest.h"
#include "OneThreadPools.h"
#include "RegionTestSupport.h"

#include <QFile>

#include <functional>

using namespace TravellerMapImporter;
using namespace import_test;
using namespace region_test;

namespace {

const QString kRealm = QStringLiteral("Realm");

Region region(const QString &name, const CellSet &cells)
{
    return Region{QUuid::createUuid(), name, FactionColor::blue, outlineAnchors(cells), true, std::nullopt};
}

// The border's path as the service writes it: the hexes of sector (0, 0), as column
// and row of two digits each.
QByteArray pathOf(const CellSet &cells)
{
    QStringList hexes;
    for (const Cube &cell : cells) {
        const GalacticCoordinates hex = hexOf(cell);
        hexes.append(QStringLiteral("%1%2")
                         .arg(hex.column, 2, 10, QLatin1Char('0'))
                         .arg(hex.row, 2, 10, QLatin1Char('0')));
    }
    return hexes.join(u' ').toUtf8();
}

const Cube kBorderCentre = cellOf({0, 0, 12, 12});
// A piece of the realm that the border touches, and one far from it.
const Cube kTouchedCentre = cellOf({0, 0, 9, 12});
const Cube kFarCentre = cellOf({0, 0, 25, 30});

// A border of the realm, and nothing else.
QByteArray realmMetadata()
{
    return R"({"Names": [{"Text": "Test Reach"}], "Borders": [{"Path": ")" + pathOf(disc(kBorderCentre, 1)) +
           R"(", "Allegiance": "ImDd", "Label": "Realm", "LabelPosition": "1212", "Color": "red"}]})";
}

class ImportJobTest : public ImportServiceTest
{
};

} // namespace

// Every way a request or an answer can fail leaves the universe and its file as they
// were, and says why.
TEST_F(ImportJobTest, AFailedRequestOrAnswerWritesNothing)
{
    using Framing = RecordedAnswer::Framing;
    const QByteArray sector = fixture("import-sector.tab");
    const QString unreadable = QStringLiteral("Traveller Map returned data that couldn't be read.");
    const struct
    {
        QByteArray path;
        RecordedAnswer answer;
        QString message;
    } failures[] = {
        {"/api/sec", {200, sector.left(sector.size() - 3), false, Framing::close}, unreadable},
        {"/api/sec", {200, sector.left(200), false, Framing::length, sector.size()}, unreadable},
        {"/api/metadata",
         {200, QByteArray(ServiceReply::maximumBytes + 1, ' '), false, Framing::close},
         QStringLiteral("Traveller Map returned more than 8 MB, far more than a sector holds, so its data "
                        "couldn't be read.")},
        {"/api/sec",
         {302, {}, false, {}, {}, "http://localhost:1/api/sec"},
         QStringLiteral(
             "Traveller Map sent the request on to another address (http://localhost:1), which was "
             "not followed.")},
        {"/api/sec",
         {302, sector},
         QStringLiteral("Traveller Map returned an error (HTTP 302). Please try again.")},
        {"/api/metadata",
         {200, "{}", true},
         QStringLiteral("Traveller Map didn't answer in time. Please try again.")},
    };
    const QByteArray before = fileBytes();
    ASSERT_FALSE(before.isEmpty());
    for (const auto &[path, answer, message] : failures) {
        const RecordedAnswer good = {200, path == "/api/sec" ? sector : fixture("import-metadata.json")};
        m_server.answer(path, answer);
        // Only the answer that never comes needs the short time-out.
        const ImportOutcome outcome = run(request(QStringLiteral(" Test Reach ")), &m_form, nullptr,
                                          answer.hang ? &m_hastyJobs : nullptr);
        EXPECT_EQ(outcome.kind, ImportOutcome::Kind::failed);
        EXPECT_EQ(outcome.message, message);
        EXPECT_EQ(outcome.sectorName, QStringLiteral("Test Reach"));
        m_server.answer(path, good);
    }
    EXPECT_TRUE(universe()->data().isEmpty());
    EXPECT_TRUE(universe()->factions().isEmpty());
    EXPECT_TRUE(universe()->starmapLabels().isEmpty());
    universe()->waitForPendingSave();
    EXPECT_EQ(fileBytes(), before);

    // The same service answering properly imports the sector.
    const ImportOutcome imported = run(request(QStringLiteral("Test Reach")), &m_form);
    EXPECT_EQ(imported.kind, ImportOutcome::Kind::applied);
    EXPECT_EQ(universe()->data().size(), 4);
}

// The requests of a run, in order, each with the chosen milieu where the service
// takes one.
TEST_F(ImportJobTest, EveryRequestOfARunCarriesTheChosenMilieu)
{
    ImportRequest chosen = request(QStringLiteral("Test Reach"));
    chosen.milieu = QStringLiteral("M990");
    chosen.subsector = QStringLiteral("A");
    ASSERT_EQ(run(chosen, &m_form).kind, ImportOutcome::Kind::applied);
    QList<QByteArray> targets;
    for (const RecordedRequest &sent : m_server.requests())
        targets.append(sent.target);
    EXPECT_EQ(targets,
              (QList<QByteArray>{"/api/coordinates?sector=Test%20Reach&milieu=M990", "/t5ss/allegiances",
                                 "/api/sec?sector=Test%20Reach&type=TabDelimited&subsector=A&milieu=M990",
                                 "/api/metadata?sector=Test%20Reach&milieu=M990"}));
}

// A request the service never answers is dropped at once, not waited for until its
// time-out. (Quitting does the same by destroying the imports.)
TEST_F(ImportJobTest, AStalledImportIsAbortedAtOnceAndWritesNothing)
{
    m_server.answer("/api/sec", {200, {}, true});
    const QByteArray before = fileBytes();
    RunningImports jobs(m_server.base(), TravellerMapClient::defaultTimeout);
    std::optional<ImportOutcome> outcome;
    ImportJob *job = jobs.start(request(QStringLiteral("Test Reach")), &m_manager, universe(), &m_form);
    QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &ended) { outcome = ended; });
    // The position and the allegiance list come first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requests().size() == 3; }));
    ASSERT_TRUE(m_server.requests().last().target.startsWith("/api/sec"));

    jobs.abortAll();
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->kind, ImportOutcome::Kind::aborted);
    // The service sees the stalled connection dropped.
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_server.closedConnections() == 3; }));
    EXPECT_TRUE(universe()->data().isEmpty());
    universe()->waitForPendingSave();
    EXPECT_EQ(fileBytes(), before);
}

// A universe that still exists but is no longer the open one (as the one just switched
// away from is, until its deletion runs) is never written by an import started for it.
TEST_F(ImportJobTest, AResultForAUniverseNoLongerOpenIsDiscardedWhileItStillExists)
{
    StarfarerUniverse left(UniverseFolder(m_documents.path()));
    const QByteArray before = fileBytes();
    const ImportOutcome outcome = run(request(QStringLiteral("Test Reach")), &m_form, &left);
    EXPECT_EQ(outcome.kind, ImportOutcome::Kind::discarded);
    EXPECT_EQ(
        outcome.message,
        QStringLiteral("Nothing was written, because the universe it was started for is no longer open."));
    EXPECT_TRUE(left.data().isEmpty());
    EXPECT_TRUE(left.factions().isEmpty());
    left.waitForPendingSave();
    EXPECT_FALSE(QFile::exists(left.filePath()));
    // Nor is its result taken into the one that is open now.
    EXPECT_TRUE(universe()->data().isEmpty());
    universe()->waitForPendingSave();
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(ImportJobTest, AnImportOutlivesItsFormAndIsAnnounced)
{
    QStringList announced;
    QObject::connect(&m_jobs, &RunningImports::outcomeUnseen,
                     [&](const ImportOutcome &outcome) { announced.append(outcome.summary()); });
    EXPECT_EQ(run(request(QStringLiteral("Test Reach")), &m_form).kind, ImportOutcome::Kind::applied);
    EXPECT_TRUE(announced.isEmpty());

    // The form is closed while the import runs: the import is written all the same.
    QPointer<QObject> form = new QObject;
    std::optional<ImportOutcome> outcome;
    ImportRequest again = request(QStringLiteral("Test Reach"));
    again.overwriteExisting = true;
    ImportJob *job = m_jobs.start(again, &m_manager, universe(), form);
    QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &ended) { outcome = ended; });
    delete form;
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
    EXPECT_EQ(announced, QStringList{QStringLiteral("Import of \u201CTest Reach\u201D: 4 worlds, 0 routes, "
                                                    "0 regions, 0 labels.")});

    // A failure is announced too.
    m_server.answer("/api/coordinates", {500, "{}"});
    run(request(QStringLiteral("Test Reach")), nullptr);
    ASSERT_EQ(announced.size(), 2);
    EXPECT_EQ(announced.last(),
              QStringLiteral("Import of \u201CTest Reach\u201D: Traveller Map returned an error "
                             "(HTTP 500). Please try again."));
}

// On a machine with one core an import is converted and applied all the same: its
// conversion never queues on Qt's global pool, whose one thread is kept busy here,
// nor waits for work queued on its own pool.
TEST_F(ImportJobTest, AnImportFinishesWithOneThread)
{
    const OneThreadPools oneCore;
    EXPECT_EQ(run(request(QStringLiteral("Test Reach")), &m_form).kind, ImportOutcome::Kind::applied);
    EXPECT_EQ(universe()->data().size(), 4);
}

// A surrogate without its partner, escaped in the service's JSON or typed into the
// name, is stored as U+FFFD, and everything imported reads back from the file as it
// is held in memory.
TEST_F(ImportJobTest, LoneSurrogatesBecomeReplacementCharactersAndTheImportRoundTrips)
{
    m_server.answer("/api/sec",
                    {200, R"("Hex\tName\tUWP\tAllegiance\tStars\n0101\tA\udc00lpha\tA788899-C\tImDd\tG2 V\n)"
                          R"(0201\tBeta\tB564500-8\tZhCo\tM0 V D\n")"});
    QByteArray metadata = fixture("import-metadata.json");
    metadata.replace(R"("Rift")", R"("Rift \ud800\u0041")").replace(R"("Test Reach")", R"("")");
    m_server.answer("/api/metadata", {200, metadata});

    const QString typed = QStringLiteral("Syn") + QChar(0xD800) + QStringLiteral(" Reach");
    ASSERT_EQ(run(request(typed), &m_form).kind, ImportOutcome::Kind::applied);
    EXPECT_TRUE(
        m_server.requests().first().target.startsWith("/api/coordinates?sector=Syn%EF%BF%BD%20Reach"));
    ASSERT_EQ(universe()->data().size(), 2);
    EXPECT_EQ(universe()->data()[0].starSystem.name, QStringLiteral("A\uFFFDlpha"));
    QStringList labels;
    for (const StarmapLabel &label : universe()->starmapLabels())
        labels.append(label.text);
    EXPECT_TRUE(labels.contains(QStringLiteral("Rift \uFFFDA")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Syn\uFFFD Reach")));

    ASSERT_TRUE(universe()->waitForPendingSave());
    const auto stored = StarfarerUniverse::readFile(universe()->filePath(), universe()->folder());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data(), universe()->data());
    EXPECT_EQ(stored->factions(), universe()->factions());
    EXPECT_EQ(stored->rutters(), universe()->rutters());
    EXPECT_EQ(stored->regions(), universe()->regions());
    EXPECT_EQ(stored->starmapLabels(), universe()->starmapLabels());
}

// One import at a time runs for a universe: a second one starts nothing and sends
// nothing until the first has ended, while another universe may import meanwhile.
// A form that takes over the running import is the one its outcome is shown in.
TEST_F(ImportJobTest, OneImportAtATimeRunsForAUniverseAndAFormCanTakeItOver)
{
    // The held answer must not time out however slowly the test runs.
    RunningImports jobs(m_server.base(), TravellerMapClient::defaultTimeout);
    QStringList announced;
    QObject::connect(&jobs, &RunningImports::outcomeUnseen,
                     [&](const ImportOutcome &outcome) { announced.append(outcome.summary()); });
    m_server.hold("/api/sec");
    auto *starter = new QObject;
    ImportJob *first = jobs.start(request(QStringLiteral("Test Reach")), &m_manager, universe(), starter);
    ASSERT_NE(first, nullptr);
    std::optional<ImportOutcome> outcome;
    QObject::connect(first, &ImportJob::finished, [&](const ImportOutcome &ended) { outcome = ended; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requests().size() == 3; }));
    EXPECT_EQ(jobs.running(universe()), first);

    EXPECT_EQ(jobs.start(request(QStringLiteral("Other Reach")), &m_manager, universe(), &m_form), nullptr);
    StarfarerUniverse other(UniverseFolder(m_documents.path()));
    EXPECT_EQ(jobs.running(&other), nullptr);
    ImportJob *elsewhere = jobs.start(request(QStringLiteral("Test Reach")), &m_manager, &other, nullptr);
    ASSERT_NE(elsewhere, nullptr);
    EXPECT_EQ(jobs.running(&other), elsewhere);
    EXPECT_EQ(jobs.running(universe()), first);
    EXPECT_EQ(jobs.running(nullptr), nullptr);

    // The form that started it goes and another takes its place.
    delete starter;
    QObject returned;
    first->setViewer(&returned);
    m_server.release("/api/sec");
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
    EXPECT_EQ(outcome->kind, ImportOutcome::Kind::applied);
    EXPECT_EQ(universe()->data().size(), 4);
    EXPECT_EQ(jobs.running(universe()), nullptr); // at once, not only once it is deleted
    // Only the other universe's import, which no form showed, is announced.
    ASSERT_TRUE(QTest::qWaitFor([&] { return announced.size() == 1; }, 20000));
    EXPECT_TRUE(announced.first().contains(QStringLiteral("no longer open")));
    // Only the first of the two requests for the open universe was sent.
    qsizetype sent = 0;
    for (const RecordedRequest &made : m_server.requests())
        sent += made.target.contains("Other%20Reach");
    EXPECT_EQ(sent, 0);

    // Once it has ended, the next one starts.
    EXPECT_NE(jobs.start(request(QStringLiteral("Other Reach")), &m_manager, universe(), &m_form), nullptr);
}

// An import stopped after its conversion ended on the worker, but before that result
// reached the GUI thread, is dropped with everything else: nothing is written, and
// it ends once, as stopped.
TEST_F(ImportJobTest, AResultArrivingAfterTheImportWasStoppedIsDropped)
{
    const QByteArray before = fileBytes();
    QList<ImportOutcome::Kind> ends;
    HeldPool pool;
    QPointer<ImportJob> job =
        m_jobs.start(request(QStringLiteral("Test Reach")), &m_manager, universe(), &m_form);
    QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &ended) { ends.append(ended.kind); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return conversionHandedOver(job, 4); }, 20000));

    // The conversion runs to its end while the GUI thread waits, so that its result
    // is queued for the GUI thread when the import is stopped.
    pool.releaseAndWait();
    m_jobs.abortAll();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ends, QList{ImportOutcome::Kind::aborted});
    EXPECT_TRUE(universe()->data().isEmpty());
    EXPECT_TRUE(universe()->factions().isEmpty());
    EXPECT_TRUE(universe()->starmapLabels().isEmpty());
    universe()->waitForPendingSave();
    EXPECT_EQ(fileBytes(), before);
}

// The border of an import merges into stored regions of its name while the referee
// edits those regions: the answers are in and the borders are being merged on the
// worker when a piece of the polity is reshaped, deleted, drawn or renamed, or a
// region of another name changes. The result is applied to the regions as they are
// when it arrives, exactly as the same answers applied to that universe at once
// would be, and saved.
TEST_F(ImportJobTest, ABorderMergesWithTheRegionsAsTheyAreWhenItsResultArrives)
{
    const Region touched = region(kRealm, disc(kTouchedCentre, 1));
    const Region far = region(kRealm, disc(kFarCentre, 2));
    const Region other = region(QStringLiteral("Neighbours"), disc(cellOf({0, 0, 20, 5}), 1));
    const struct
    {
        const char *edit;
        std::function<void(StarfarerUniverse &)> make;
    } edits[] = {
        {"none", [](StarfarerUniverse &) {}},
        {"the touched piece grown over the border",
         [&](StarfarerUniverse &u) {
             Region grown = touched;
             grown.anchors = outlineAnchors(disc(kTouchedCentre, 3));
             u.replaceObject(grown);
         }},
        {"the touched piece deleted", [&](StarfarerUniverse &u) { u.removeObject<Region>(touched.id); }},
        {"a piece drawn beside the border",
         [](StarfarerUniverse &u) {
             u.insertObject(region(kRealm, disc(cellOf({0, 0, 15, 12}), 1)));
         }},
        {"the touched piece renamed",
         [&](StarfarerUniverse &u) {
             Region renamed = touched;
             renamed.name = QStringLiteral("Free Worlds");
             u.replaceObject(renamed);
         }},
        {"another name's region reshaped",
         [&](StarfarerUniverse &u) {
             Region reshaped = other;
             reshaped.anchors = outlineAnchors(disc(cellOf({0, 0, 20, 5}), 2));
             u.replaceObject(reshaped);
         }},
    };
    ImportRequest bordersOnly = request(QStringLiteral("Test Reach"));
    bordersOnly.importWorlds = bordersOnly.importRoutes = bordersOnly.importLabels = false;
    m_server.answer("/api/metadata", {200, realmMetadata()});
    QTemporaryDir elsewhere;
    // The held answer must not run into the time-out.
    RunningImports jobs(m_server.base(), TravellerMapClient::defaultTimeout);
    for (const auto &[edit, make] : edits) {
        SCOPED_TRACE(edit);
        universe()->setRegions({touched, other, far});
        const qsizetype asked = m_server.requests().size();
        m_server.hold("/api/metadata");
        std::optional<ImportOutcome> outcome;
        ImportJob *job = jobs.start(bordersOnly, &m_manager, universe(), nullptr);
        ASSERT_NE(job, nullptr);
        QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &ended) { outcome = ended; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requests().size() == asked + 3; }, 20000));

        // The answers are in and the merge waits for the worker: the edit is made.
        HeldPool pool;
        m_server.release("/api/metadata");
        ASSERT_TRUE(QTest::qWaitFor([&] { return conversionHandedOver(job, asked + 3); }, 20000));
        ASSERT_FALSE(outcome.has_value());
        make(*universe());
        const QList<Region> before = universe()->regions();

        // The same answers applied at once to that universe, merged on the spot.
        const std::unique_ptr<StarfarerUniverse> direct =
            StarfarerUniverse::decode(universe()->encode(), UniverseFolder(elsewhere.path()));
        ASSERT_TRUE(direct);
        ImportAnswers answers;
        answers.sectorName = QStringLiteral("Test Reach");
        answers.allegiances = R"([{"Code": "ImDd", "Name": "Domain of Deneb"}])";
        answers.metadata = realmMetadata();
        const QString expected = apply(*direct, bordersOnly, convert(bordersOnly, answers));

        pool.releaseAndWait();
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
        EXPECT_EQ(outcome->kind, ImportOutcome::Kind::applied);
        EXPECT_EQ(outcome->message, expected);
        EXPECT_EQ(withoutNewIDs(universe()->regions(), before), withoutNewIDs(direct->regions(), before));
        // No edit is lost: the realm covers the border and its pieces as they were
        // when the result came, and every other region stays as it was then.
        CellSet realm = disc(kBorderCentre, 1);
        QList<Region> others;
        for (const Region &kept : before) {
            if (kept.name == kRealm)
                realm.merge(CellSet(*cellsEnclosedBy(kept)));
            else
                others.append(kept);
        }
        CellSet covered;
        for (const Region &now : universe()->regions()) {
            if (now.name == kRealm)
                covered.merge(CellSet(*cellsEnclosedBy(now)));
            else
                EXPECT_TRUE(others.removeOne(now));
        }
        EXPECT_EQ(covered, realm);
        EXPECT_TRUE(others.isEmpty());

        // The file holds what the universe holds.
        ASSERT_TRUE(universe()->waitForPendingSave());
        QFile file(universe()->filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), universe()->encode());
    }
}
