#include "AppTestSupport.h"

#include "app/MessageBanner.h"
#include "import/ImportTestSupport.h"
#include "import/LoopbackServer.h"
#include "import/RunningImports.h"
#include "import/ui/ImportTravellerMapView.h"
#include "ui/ProgressSpinner.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using namespace TravellerMapImporter;
using import_test::fixture;

// The whole application importing from a loopback stand-in of the service.
class ImportInMainWindow : public AppTest
{
protected:
    void SetUp() override
    {
        qputenv("VOSTREL_TRAVELLER_MAP_URL", m_server.base().toString().toUtf8());
        m_server.answer("/api/coordinates", {200, R"({"sx": 0, "sy": 0})"});
        m_server.answer("/t5ss/allegiances", {200, "[]"});
        m_server.answer("/api/sec", {200, fixture("import-sector.tab")});
        m_server.answer("/api/metadata", {200, fixture("import-metadata.json")});
    }
    void TearDown() override
    {
        AppTest::TearDown();
        qunsetenv("VOSTREL_TRAVELLER_MAP_URL");
    }

    // Opens the import form and starts importing the sector; returns the form.
    QPointer<ImportTravellerMapView> startImport()
    {
        clickRowTitled(QStringLiteral("Traveller Map import"));
        settle();
        QPointer<ImportTravellerMapView> form = qobject_cast<ImportTravellerMapView *>(view()->detailPage());
        EXPECT_NE(form, nullptr);
        if (form) {
            form->findChild<QLineEdit *>(QStringLiteral("sectorName"))->setText(QStringLiteral("Test Reach"));
            QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("importButton")), Qt::LeftButton);
        }
        return form;
    }

    LoopbackServer m_server;
};

TEST_F(ImportInMainWindow, AnImportWhoseFormWasLeftEndsInTheBanner)
{
    startApp();
    QPointer<ImportTravellerMapView> form = startImport();
    ASSERT_TRUE(form && form->isImporting());
    clickRowTitled(QStringLiteral("Star Map"));
    settle();
    EXPECT_TRUE(form.isNull());

    MessageBanner *banner = window()->importOutcomeBanner();
    ASSERT_TRUE(QTest::qWaitFor([&] { return banner->hasMessage(); }, 20000));
    EXPECT_EQ(banner->message(),
              QStringLiteral("Import of \u201CTest Reach\u201D: 4 worlds, 3 routes, 1 region, "
                             "4 labels; created 5 factions."));
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->tone(), MessageBanner::Tone::information); // news, not a warning
    EXPECT_EQ(universe()->data().size(), 4);
    // The other banners keep to their own kinds.
    EXPECT_FALSE(window()->operationFailureBanner()->hasMessage());

    // A failed import left behind its form is a warning.
    m_server.answer("/api/coordinates", {500, "{}"});
    banner->clearMessage();
    form = startImport();
    clickRowTitled(QStringLiteral("Star Map"));
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return banner->hasMessage(); }, 20000));
    EXPECT_TRUE(banner->message().contains(QStringLiteral("HTTP 500"))) << banner->message().toStdString();
    EXPECT_EQ(banner->tone(), MessageBanner::Tone::warning);
}

// Leaving the import form while its import runs and coming back shows that import
// again, as if the form had never been left: the sector, the spinner, the disabled
// button and the toggles as chosen. Its outcome then shows in that form (and not in
// the banner), and no second import can start meanwhile.
TEST_F(ImportInMainWindow, ComingBackToTheFormShowsItsImportUnderWay)
{
    m_server.hold("/api/sec");
    startApp();
    clickRowTitled(QStringLiteral("Traveller Map import"));
    settle();
    auto *first = qobject_cast<ImportTravellerMapView *>(view()->detailPage());
    ASSERT_NE(first, nullptr);
    first->findChild<QCheckBox *>(QStringLiteral("importLabels"))->setChecked(false);
    QPointer<ImportTravellerMapView> form = startImport();
    ASSERT_TRUE(form && form->isImporting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requests().size() == 3; }, 20000));
    clickRowTitled(QStringLiteral("Star Map"));
    settle();
    ASSERT_TRUE(form.isNull());

    clickRowTitled(QStringLiteral("Traveller Map import"));
    settle();
    form = qobject_cast<ImportTravellerMapView *>(view()->detailPage());
    ASSERT_TRUE(form);
    const auto *button = form->findChild<QPushButton *>(QStringLiteral("importButton"));
    EXPECT_EQ(form->findChild<QLineEdit *>(QStringLiteral("sectorName"))->text(),
              QStringLiteral("Test Reach"));
    EXPECT_TRUE(form->findChild<ProgressSpinner *>()->isVisible());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(form->findChild<QCheckBox *>(QStringLiteral("importLabels"))->isChecked());
    EXPECT_TRUE(form->findChild<QCheckBox *>(QStringLiteral("importWorlds"))->isChecked());
    // Neither Return in the form nor a start from elsewhere makes a second import.
    QTest::keyClick(form->findChild<QLineEdit *>(QStringLiteral("sectorName")), Qt::Key_Return);
    ImportRequest again;
    again.sectorName = QStringLiteral("Test Reach");
    EXPECT_EQ(window()->imports()->start(again, manager(), universe(), nullptr), nullptr);
    EXPECT_EQ(window()->imports()->findChildren<ImportJob *>().size(), 1);

    m_server.release("/api/sec");
    const auto *result = form->findChild<QLabel *>(QStringLiteral("resultMessage"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !result->text().isEmpty(); }, 20000));
    EXPECT_EQ(result->text(), QStringLiteral("4 worlds, 3 routes, 1 region; created 5 factions."));
    EXPECT_TRUE(result->isVisible());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(form->findChild<ProgressSpinner *>()->isVisible());
    EXPECT_EQ(universe()->data().size(), 4);
    EXPECT_TRUE(universe()->starmapLabels().isEmpty());
    EXPECT_EQ(m_server.requests().size(), 4);
    settle();
    EXPECT_FALSE(window()->importOutcomeBanner()->hasMessage());
}

// Closing the program, as quitting does, drops a request the service never answers
// instead of waiting for its time-out.
TEST_F(ImportInMainWindow, QuittingDuringAStalledImportAbortsIt)
{
    m_server.answer("/api/sec", {200, {}, true});
    startApp();
    const QByteArray before = contents(universe()->filePath());
    startImport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.requests().size() == 3; }, 20000));
    ImportJob *job = window()->imports()->findChild<ImportJob *>();
    ASSERT_NE(job, nullptr);
    std::optional<ImportOutcome::Kind> ended;
    QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &outcome) { ended = outcome.kind; });
    const QString file = universe()->filePath();

    window()->quit();
    m_app.reset();
    EXPECT_EQ(ended, ImportOutcome::Kind::aborted);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_server.closedConnections() == 3; }));
    EXPECT_EQ(contents(file), before);
}
