#pragma once

// The loopback service with the synthetic sector, a store on a temporary folder, and
// the program's imports pointed at the service: the fixture of the tests that run
// whole imports. The imports' time-out is far longer than any answer takes on a
// loaded machine; a test that waits for the time-out itself uses `m_hastyJobs`.

#include "ImportTestSupport.h"
#include "LoopbackServer.h"
#include "import/RunningImports.h"
#include "import/ServiceReply.h"
#include "universe/UniverseManager.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

class ImportServiceTest : public ::testing::Test
{
protected:
    static constexpr const char *kAllegiances = R"([{"Code": "ImDd", "Name": "Domain of Deneb"}])";

    void SetUp() override
    {
        using import_test::fixture;
        m_server.answer("/api/coordinates", {200, R"({"sx": 0, "sy": 0})"});
        m_server.answer("/t5ss/allegiances", {200, kAllegiances});
        m_server.answer("/api/sec", {200, fixture("import-sector.tab")});
        m_server.answer("/api/metadata", {200, fixture("import-metadata.json")});
        ASSERT_TRUE(m_manager.start());
        universe()->waitForPendingSave();
    }

    StarfarerUniverse *universe() const { return m_manager.current(); }
    QByteArray fileBytes() const
    {
        QFile file(universe()->filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Starts an import for `target` (the open universe unless given) and waits for its
    // end. The form that shows it is `viewer`.
    TravellerMapImporter::ImportOutcome run(const TravellerMapImporter::ImportRequest &request,
                                            QObject *viewer, StarfarerUniverse *target = nullptr,
                                            TravellerMapImporter::RunningImports *jobs = nullptr)
    {
        using TravellerMapImporter::ImportJob;
        using TravellerMapImporter::ImportOutcome;
        std::optional<ImportOutcome> outcome;
        ImportJob *job =
            (jobs ? jobs : &m_jobs)->start(request, &m_manager, target ? target : universe(), viewer);
        QObject::connect(job, &ImportJob::finished, job,
                         [&](const ImportOutcome &ended) { outcome = ended; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
        return outcome.value_or(ImportOutcome{});
    }

    // Whether the import has had its `requests` answered (counted over the whole
    // test) and handed its conversion to the worker pool: no request of it is under
    // way any more.
    bool conversionHandedOver(const TravellerMapImporter::ImportJob *job, qsizetype requests) const
    {
        return job && m_server.requests().size() == requests &&
               job->findChildren<TravellerMapImporter::ServiceReply *>().isEmpty();
    }

    LoopbackServer m_server;
    QTemporaryDir m_documents;
    QSettings m_settings{m_documents.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    UniverseManager m_manager{UniverseFolder(m_documents.path()), &m_settings};
    TravellerMapImporter::RunningImports m_jobs{m_server.base(), std::chrono::seconds(15)};
    TravellerMapImporter::RunningImports m_hastyJobs{m_server.base(), std::chrono::milliseconds(300)};
    QObject m_form;
};
