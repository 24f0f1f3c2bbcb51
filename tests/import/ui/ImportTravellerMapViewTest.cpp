#include "import/ui/ImportTravellerMapView.h"
#include "import/LoopbackServer.h"
#include "ui/ProgressSpinner.h"
#include "universe/ScriptedWrites.h"
#include "universe/StoreWaits.h"
#include "universe/UniverseManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantAnimation>

#include <gtest/gtest.h>

namespace {

const QByteArray kSector = "Sector\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\n"
                           "Syn\t0101\tAlpha\tA788899-C\tN\tRi\t\t123\tImDd\tG2 V\n"
                           "Syn\t0201\tBeta\tB564500-8\t\tAg\tA\t201\tImDd\tK1 V\n"
                           "Syn\t0102\tGamma\tX000000-0\t\tBa\tR\t000\tZhCo\tM0 V\n";

const QByteArray kMetadata = R"({"Names": [{"Text": "Synthetic Reach"}],
  "Routes": [{"Start": "0101", "End": "0201"}, {"Start": "0201", "End": "0101"}],
  "Labels": [{"Text": "Old Frontier", "Hex": "0305"}],
  "Subsectors": [{"Name": "First", "Index": "A"}],
  "Borders": [{"Path": "0101 0201 0102", "Allegiance": "ImDd", "LabelPosition": "0101"}]})";

// A store on a temporary folder, a loopback service the program's imports are
// pointed at, and the form on the open universe.
class ImportForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_server.answer("/api/coordinates", {200, R"({"sx": 0, "sy": 0})"});
        m_server.answer("/t5ss/allegiances", {200, R"([{"Code": "ImDd", "Name": "Domain of Deneb"}])"});
        m_server.answer("/api/sec", {200, kSector});
        m_server.answer("/api/metadata", {200, kMetadata});
        m_manager.start();
        m_view = std::make_unique<ImportTravellerMapView>(&m_manager, m_manager.current(), &m_imports);
    }

    template <typename T> T *child(const char *name) const
    {
        return m_view->findChild<T *>(QString::fromLatin1(name));
    }
    QByteArray fileBytes() const
    {
        QFile file(m_manager.current()->filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Types a name, presses "Import" and waits for the run to end.
    void runImport(const QString &name)
    {
        child<QLineEdit>("sectorName")->setText(name);
        QSignalSpy finished(m_view.get(), &ImportTravellerMapView::importFinished);
        QTest::mouseClick(child<QPushButton>("importButton"), Qt::LeftButton);
        ASSERT_TRUE(m_view->isImporting());
        ASSERT_TRUE(finished.wait(20000));
    }

    // Answers the held sector request and waits for the form's run to end.
    void releaseSectorData()
    {
        QSignalSpy finished(m_view.get(), &ImportTravellerMapView::importFinished);
        m_server.release("/api/sec");
        ASSERT_TRUE(finished.wait(20000));
    }

    // Every control of the form at least as tall as it asks, every wrapped text as tall
    // as its lines, and no two rows of the form, nor two rows of a section, on top of
    // each other.
    void expectNothingSqueezed() const
    {
        QWidget *form = child<QLabel>("errorMessage")->parentWidget();
        QList<QWidget *> containers{form};
        for (QGroupBox *section : form->findChildren<QGroupBox *>())
            containers.append(section);
        for (QWidget *container : containers) {
            QList<QWidget *> rows;
            for (QWidget *row : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (row->isVisible())
                    rows.append(row);
            }
            for (qsizetype i = 0; i < rows.size(); ++i) {
                const auto *label = qobject_cast<QLabel *>(rows[i]);
                const int needed = label && label->wordWrap() ? label->heightForWidth(label->width())
                                                              : rows[i]->sizeHint().height();
                EXPECT_GE(rows[i]->height(), needed)
                    << rows[i]->metaObject()->className() << " " << rows[i]->objectName().toStdString();
                EXPECT_TRUE(container->rect().contains(rows[i]->geometry()));
                for (qsizetype j = i + 1; j < rows.size(); ++j)
                    EXPECT_FALSE(rows[i]->geometry().intersects(rows[j]->geometry()))
                        << rows[i]->metaObject()->className() << " and "
                        << rows[j]->metaObject()->className();
            }
        }
    }

    LoopbackServer m_server;
    QTemporaryDir m_documents;
    QSettings m_settings{m_documents.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    UniverseManager m_manager{UniverseFolder(m_documents.path()), &m_settings};
    TravellerMapImporter::RunningImports m_imports{m_server.base(), std::chrono::seconds(5)};
    std::unique_ptr<ImportTravellerMapView> m_view;
};

} // namespace

TEST_F(ImportForm, ImportsASectorIntoTheOpenUniverseAndSavesItOnce)
{
    StarfarerUniverse *universe = m_manager.current();
    QSignalSpy saved(universe, &StarfarerUniverse::saved);
    child<QLineEdit>("sectorName")->setText(QStringLiteral(" \t"));
    EXPECT_FALSE(child<QPushButton>("importButton")->isEnabled());

    runImport(QStringLiteral("  Synthetic Reach\n"));
    EXPECT_EQ(child<QLabel>("resultMessage")->text(),
              QStringLiteral("3 worlds, 1 route, 1 region, 3 labels; created 3 factions."));
    EXPECT_TRUE(child<QLabel>("errorMessage")->isHidden());
    EXPECT_TRUE(child<QPushButton>("importButton")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return saved.count() == 1; }, 10000));

    const auto stored = StarfarerUniverse::readFile(universe->filePath(), universe->folder());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data().size(), 3);
    EXPECT_EQ(stored->rutters().size(), 1);
    ASSERT_EQ(stored->regions().size(), 1);
    EXPECT_EQ(stored->regions().first().name, QStringLiteral("Domain of Deneb"));
    EXPECT_EQ(stored->regions().first().anchors.size(), 12);
    QStringList labels;
    for (const StarmapLabel &label : stored->starmapLabels())
        labels.append(label.text);
    EXPECT_EQ(labels, (QStringList{QStringLiteral("Old Frontier"), QStringLiteral("First"),
                                   QStringLiteral("Synthetic Reach")}));
    QStringList codes;
    for (const Faction &faction : stored->factions())
        codes.append(faction.shortName);
    EXPECT_EQ(codes, (QStringList{QStringLiteral("ImDd"), QStringLiteral("ZhCo"), QStringLiteral("TR")}));
    EXPECT_TRUE(m_server.requests().last().target.startsWith("/api/metadata?sector=Synthetic%20Reach"));
}

TEST_F(ImportForm, AFailedRequestShowsItsErrorAndWritesNothing)
{
    const QByteArray before = fileBytes();
    ASSERT_FALSE(before.isEmpty());
    m_server.answer("/api/metadata", {500, "down"});
    runImport(QStringLiteral("Synthetic Reach"));
    EXPECT_EQ(child<QLabel>("errorMessage")->text(),
              QStringLiteral("Traveller Map returned an error (HTTP 500). Please try again."));
    EXPECT_TRUE(child<QLabel>("resultMessage")->isHidden());
    EXPECT_TRUE(m_manager.current()->data().isEmpty());
    EXPECT_TRUE(m_manager.current()->factions().isEmpty());
    m_manager.current()->waitForPendingSave();
    EXPECT_EQ(fileBytes(), before);

    // A name that is blank only after line breaks are removed fails in the run.
    runImport(QStringLiteral("\n"));
    EXPECT_EQ(child<QLabel>("errorMessage")->text(), QStringLiteral("Enter a sector name to import."));
}

TEST_F(ImportForm, AResultForAUniverseNoLongerOpenIsDiscarded)
{
    const QString firstFile = m_manager.current()->filePath();
    const QByteArray before = fileBytes();
    child<QLineEdit>("sectorName")->setText(QStringLiteral("Synthetic Reach"));
    QSignalSpy finished(m_view.get(), &ImportTravellerMapView::importFinished);
    QTest::mouseClick(child<QPushButton>("importButton"), Qt::LeftButton);
    // The loopback service only answers once the event loop runs, so the run is still
    // under way when another universe is opened.
    ASSERT_TRUE(createAndWait(m_manager, QStringLiteral("Other")));
    ASSERT_NE(m_manager.current()->filePath(), firstFile);
    // The run may have ended while the other universe was made.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 20000));
    EXPECT_TRUE(m_manager.current()->data().isEmpty());
    EXPECT_TRUE(child<QLabel>("resultMessage")->isHidden());
    EXPECT_EQ(
        child<QLabel>("errorMessage")->text(),
        QStringLiteral("Nothing was written, because the universe it was started for is no longer open."));
    m_manager.current()->waitForPendingSave();
    QFile file(firstFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(ImportForm, WorldOptionsShowOnlyWithWorldsAndNothingSelectedDisablesImport)
{
    m_view->show();
    child<QLineEdit>("sectorName")->setText(QStringLiteral("Synthetic Reach"));
    const QList<QCheckBox *> boxes = m_view->findChildren<QCheckBox *>();
    ASSERT_EQ(boxes.size(), 6);
    boxes[0]->setChecked(false);
    EXPECT_FALSE(boxes[4]->isVisible());
    EXPECT_TRUE(child<QPushButton>("importButton")->isEnabled());
    for (QCheckBox *box : boxes.mid(1, 3))
        box->setChecked(false);
    EXPECT_FALSE(child<QPushButton>("importButton")->isEnabled());
}

// Each kind of data is imported when its own toggle is on, and only then (the labels are
// the metadata's label, its subsector name and the sector's name).
TEST_F(ImportForm, EachToggleImportsItsOwnKindAlone)
{
    const struct
    {
        const char *toggle;
        qsizetype worlds, routes, regions, labels;
    } rows[] = {{"Worlds", 3, 0, 0, 0},
                {"Trade routes", 0, 1, 0, 0},
                {"Borders (regions)", 0, 0, 1, 0},
                {"Labels (incl. subsector names)", 0, 0, 0, 3}};
    for (const auto &row : rows) {
        const QString toggle = QString::fromLatin1(row.toggle);
        ASSERT_TRUE(createAndWait(m_manager, toggle));
        m_view = std::make_unique<ImportTravellerMapView>(&m_manager, m_manager.current(), &m_imports);
        for (QCheckBox *box : m_view->findChildren<QCheckBox *>())
            box->setChecked(box->text() == toggle);
        runImport(QStringLiteral("Synthetic Reach"));
        const StarfarerUniverse *universe = m_manager.current();
        EXPECT_EQ(universe->data().size(), row.worlds) << row.toggle;
        EXPECT_EQ(universe->rutters().size(), row.routes) << row.toggle;
        EXPECT_EQ(universe->regions().size(), row.regions) << row.toggle;
        EXPECT_EQ(universe->starmapLabels().size(), row.labels) << row.toggle;
    }
}

TEST_F(ImportForm, AFailedSaveIsShownBesideTheResult)
{
    StarfarerUniverse *universe = m_manager.current();
    universe->waitForPendingSave();
    QFile::remove(universe->filePath());
    // A folder where the universe file should be: the write cannot succeed.
    ASSERT_TRUE(QDir().mkpath(universe->filePath()));
    QSignalSpy failed(universe, &StarfarerUniverse::saveFailed);
    runImport(QStringLiteral("Synthetic Reach"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed.count() == 1; }, 10000));
    EXPECT_FALSE(child<QLabel>("resultMessage")->text().isEmpty());
    EXPECT_EQ(child<QLabel>("errorMessage")->text(), failed.first().first().toString());
    EXPECT_TRUE(child<QLabel>("errorMessage")->text().contains(universe->filePath()));
}

// The form reports the outcomes of the writes that hold its own run's changes only, up
// to the first that writes them: when that write is held and a later save joins the
// next, both outcomes reported at once, it shows the latest failure until one writes
// them (the second holds them too); when its run's save joins the write after one held
// since before, it shows that second one's, never the first's.
TEST_F(ImportForm, OnlyItsOwnWriteIsReportedWhenSeveralAreToldAtOnce)
{
    using namespace saving_test;
    StarfarerUniverse *universe = m_manager.current();
    universe->setSaveRetryDelays(std::chrono::hours(1), std::chrono::hours(1)); // no retry unless asked
    universe->waitForPendingSave();
    for (const bool joinsHeld : {false, true}) {
        for (const Fate own : {Fate::written, Fate::refused}) {
            for (const Fate other : {Fate::written, Fate::refused}) {
                SCOPED_TRACE(testing::Message() << joinsHeld << int(own) << int(other));
                m_view = std::make_unique<ImportTravellerMapView>(&m_manager, universe, &m_imports);
                ScriptedWrites writes(*universe);
                OutcomeLog outcomes(*universe);
                if (joinsHeld) {
                    writes.plan({{other, true}, {own}});
                    universe->setName(QStringLiteral("Renamed before"));
                    universe->save();
                    ASSERT_TRUE(writes.awaitHeld());
                    runImport(QStringLiteral("Synthetic Reach"));
                } else {
                    writes.plan({{own, true}, {other}});
                    runImport(QStringLiteral("Synthetic Reach"));
                    ASSERT_TRUE(writes.awaitHeld());
                    universe->setName(QStringLiteral("Renamed meanwhile"));
                    universe->save();
                }
                writes.release();
                universe->waitForPendingSave();
                QCoreApplication::processEvents();
                const QList<Fate> fates = joinsHeld ? QList<Fate>{other, own} : QList<Fate>{own, other};
                ASSERT_EQ(outcomes.fates(), fates);
                EXPECT_FALSE(child<QLabel>("resultMessage")->text().isEmpty());
                const bool written = own == Fate::written || (!joinsHeld && other == Fate::written);
                EXPECT_EQ(child<QLabel>("errorMessage")->text(), written ? QString() : outcomes.told().at(1));
            }
        }
    }
}

TEST_F(ImportForm, ReturnInTheSectorNameImportsWhenTheButtonCould)
{
    QLineEdit *name = child<QLineEdit>("sectorName");
    name->setText(QStringLiteral("  "));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_FALSE(m_view->isImporting());

    name->setText(QStringLiteral("Synthetic Reach"));
    QSignalSpy finished(m_view.get(), &ImportTravellerMapView::importFinished);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(m_view->isImporting());
    // A second Return while the import runs starts nothing more.
    QTest::keyClick(name, Qt::Key_Enter);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(m_manager.current()->data().size(), 3);
    EXPECT_EQ(m_server.requests().size(), 4);
}

// A message that wraps pushes the rest of the form down, in a column wider than the
// form (as in the main window) and in one narrower than it.
TEST_F(ImportForm, AWrappedMessagePushesTheRestDownInsteadOfSqueezingIt)
{
    m_server.answer("/api/coordinates", {404, "{}"});
    m_view->resize(950, 750);
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    runImport(QStringLiteral("Nowhere Beyond the Great Rift of the Spinward Marches and Farther Still"));
    auto *message = child<QLabel>("errorMessage");
    ASSERT_TRUE(message->text().startsWith(QStringLiteral("Couldn't find a sector")));
    for (const QSize size : {QSize(950, 750), QSize(520, 750)}) {
        m_view->resize(size);
        QCoreApplication::processEvents();
        SCOPED_TRACE(size.width());
        ASSERT_GT(message->height(), message->fontMetrics().height() * 3 / 2); // it does wrap
        // The form takes its full width where there is room, and all there is where not.
        EXPECT_EQ(message->parentWidget()->width(), std::min(640, m_view->layout()->contentsRect().width()));
        expectNothingSqueezed();
    }
}

// While an import runs, the spinner beside "Importing…" turns: its picture changes at
// every quarter of its animation and is back where it began after a whole turn. It
// stands still while the form is hidden, and is gone once the import has ended.
TEST_F(ImportForm, TheSpinnerTurnsWhileImportingAndStandsStillWhenHidden)
{
    m_server.hold("/api/sec");
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    auto *spinner = m_view->findChild<ProgressSpinner *>();
    ASSERT_NE(spinner, nullptr);
    EXPECT_FALSE(spinner->isVisible());
    EXPECT_FALSE(spinner->isTurning());

    child<QLineEdit>("sectorName")->setText(QStringLiteral("Synthetic Reach"));
    QTest::mouseClick(child<QPushButton>("importButton"), Qt::LeftButton);
    ASSERT_TRUE(spinner->isVisible());
    EXPECT_TRUE(spinner->isTurning());
    EXPECT_EQ(child<QPushButton>("importButton")->text(), QStringLiteral("Importing\u2026"));

    auto *turn = spinner->findChild<QVariantAnimation *>();
    ASSERT_NE(turn, nullptr);
    QList<QImage> pictures;
    for (int quarter = 0; quarter <= 4; ++quarter) {
        turn->setCurrentTime(turn->duration() * quarter / 4);
        pictures.append(spinner->grab().toImage());
    }
    for (qsizetype i = 0; i < 4; ++i) {
        for (qsizetype j = i + 1; j < 4; ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
    }
    EXPECT_EQ(pictures[4], pictures[0]);

    turn->setCurrentTime(turn->duration() / 8);
    const double angle = spinner->rotation();
    m_view->hide();
    EXPECT_FALSE(spinner->isTurning());
    m_view->show();
    EXPECT_TRUE(spinner->isTurning());
    EXPECT_EQ(spinner->rotation(), angle); // it goes on from where it stood

    releaseSectorData();
    EXPECT_TRUE(spinner->isHidden());
    EXPECT_FALSE(spinner->isTurning());
    EXPECT_EQ(m_manager.current()->data().size(), 3);
}

// A form made while its universe's import runs shows that import as the form that
// started it did: its choices, the spinner and the disabled button, and in the end
// its outcome. It cannot start a second one; a form for another universe is idle.
TEST_F(ImportForm, AFormMadeAgainWhileItsImportRunsShowsThatImport)
{
    QSignalSpy unseen(&m_imports, &TravellerMapImporter::RunningImports::outcomeUnseen);
    m_server.hold("/api/sec");
    child<QLineEdit>("sectorName")->setText(QStringLiteral(" Synthetic Reach"));
    child<QComboBox>("subsector")->setCurrentText(QStringLiteral("B"));
    child<QComboBox>("milieu")->setCurrentText(QStringLiteral("M990"));
    for (QCheckBox *box : m_view->findChildren<QCheckBox *>()) {
        if (box->text() == QStringLiteral("Labels (incl. subsector names)") ||
            box->text() == QStringLiteral("Overwrite existing hexes"))
            box->toggle();
    }
    const auto choices = [this] {
        QStringList shown{child<QLineEdit>("sectorName")->text(),
                          child<QComboBox>("subsector")->currentText(),
                          child<QComboBox>("milieu")->currentText()};
        for (QCheckBox *box : m_view->findChildren<QCheckBox *>())
            shown.append(box->text() + (box->isChecked() ? QStringLiteral(" on") : QStringLiteral(" off")));
        return shown;
    };
    const QStringList chosen = choices();
    QTest::mouseClick(child<QPushButton>("importButton"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requests().size() == 3; }));

    m_view = std::make_unique<ImportTravellerMapView>(&m_manager, m_manager.current(), &m_imports);
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    EXPECT_EQ(choices(), chosen);
    EXPECT_TRUE(m_view->isImporting());
    EXPECT_FALSE(child<QPushButton>("importButton")->isEnabled());
    EXPECT_EQ(child<QPushButton>("importButton")->text(), QStringLiteral("Importing\u2026"));
    EXPECT_TRUE(m_view->findChild<ProgressSpinner *>()->isVisible());
    QTest::keyClick(child<QLineEdit>("sectorName"), Qt::Key_Return);
    EXPECT_EQ(m_imports.findChildren<TravellerMapImporter::ImportJob *>().size(), 1);

    releaseSectorData();
    EXPECT_EQ(child<QLabel>("resultMessage")->text(),
              QStringLiteral("3 worlds, 1 route, 1 region; created 3 factions."));
    EXPECT_TRUE(child<QLabel>("errorMessage")->isHidden());
    EXPECT_TRUE(child<QPushButton>("importButton")->isEnabled());
    EXPECT_FALSE(m_view->findChild<ProgressSpinner *>()->isVisible());
    EXPECT_EQ(unseen.count(), 0); // shown in the form, so not announced as well
    EXPECT_EQ(m_server.requests().size(), 4);
    EXPECT_TRUE(m_server.requests()[2].target.endsWith("&subsector=B&milieu=M990"));
    EXPECT_TRUE(m_manager.current()->starmapLabels().isEmpty());
}

// A form made before another form started an import for the same universe does not
// start a second one: it shows the one under way.
TEST_F(ImportForm, AFormThatWouldStartASecondImportShowsTheOneUnderWay)
{
    m_server.hold("/api/sec");
    ImportTravellerMapView other(&m_manager, m_manager.current(), &m_imports);
    other.findChild<QLineEdit *>(QStringLiteral("sectorName"))->setText(QStringLiteral("Synthetic Reach"));
    QTest::mouseClick(other.findChild<QPushButton *>(QStringLiteral("importButton")), Qt::LeftButton);
    ASSERT_TRUE(other.isImporting());

    child<QLineEdit>("sectorName")->setText(QStringLiteral("Elsewhere"));
    ASSERT_FALSE(m_view->isImporting());
    QTest::mouseClick(child<QPushButton>("importButton"), Qt::LeftButton);
    EXPECT_TRUE(m_view->isImporting());
    EXPECT_EQ(child<QLineEdit>("sectorName")->text(), QStringLiteral("Synthetic Reach"));
    EXPECT_EQ(m_imports.findChildren<TravellerMapImporter::ImportJob *>().size(), 1);

    releaseSectorData();
    EXPECT_EQ(child<QLabel>("resultMessage")->text(),
              QStringLiteral("3 worlds, 1 route, 1 region, 3 labels; created 3 factions."));
    EXPECT_FALSE(other.isImporting());
    for (const RecordedRequest &request : m_server.requests())
        EXPECT_FALSE(request.target.contains("Elsewhere"));
}
