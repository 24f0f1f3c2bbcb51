#include "RunningImports.h"

namespace TravellerMapImporter {

RunningImports::RunningImports(QObject *parent)
    : RunningImports(TravellerMapClient::configuredBaseAddress(), TravellerMapClient::defaultTimeout, parent)
{}

RunningImports::RunningImports(QUrl baseAddress, std::chrono::milliseconds timeout, QObject *parent)
    : QObject(parent), m_client(&m_network, std::move(baseAddress), timeout)
{}

// The imports go before the network manager their replies belong to.
RunningImports::~RunningImports()
{
    abortAll();
    qDeleteAll(findChildren<ImportJob *>(Qt::FindDirectChildrenOnly));
}

ImportJob *RunningImports::start(const ImportRequest &request, UniverseManager *manager,
                                 StarfarerUniverse *universe, QObject *viewer)
{
    if (running(universe))
        return nullptr;
    auto *job = new ImportJob(m_client, request, manager, universe, this);
    job->setViewer(viewer);
    connect(job, &ImportJob::finished, this, [this, job](const ImportOutcome &outcome) {
        job->deleteLater();
        if (!job->viewer() && outcome.kind != ImportOutcome::Kind::aborted)
            emit outcomeUnseen(outcome);
    });
    job->start();
    return job;
}

ImportJob *RunningImports::running(const StarfarerUniverse *universe) const
{
    if (!universe)
        return nullptr;
    for (ImportJob *job : findChildren<ImportJob *>(Qt::FindDirectChildrenOnly)) {
        if (!job->isFinished() && job->universe() == universe)
            return job;
    }
    return nullptr;
}

void RunningImports::abortAll()
{
    for (ImportJob *job : findChildren<ImportJob *>(Qt::FindDirectChildrenOnly))
        job->abort();
}

} // namespace TravellerMapImporter
