#include "ImportJob.h"

#include "ImportText.h"
#include "universe/StatusLine.h"
#include "universe/UniverseManager.h"
#include "universe/WorkerPools.h"

#include <QtConcurrent>

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

QString ImportOutcome::summary() const
{
    return u"Import of \u201C"_s + sectorName + u"\u201D: "_s + message;
}

ImportJob::ImportJob(const TravellerMapClient &client, ImportRequest request, UniverseManager *manager,
                     StarfarerUniverse *universe, QObject *parent)
    : QObject(parent), m_client(client), m_request(std::move(request)), m_manager(manager),
      m_universe(universe)
{
    m_answers.sectorName = withLoneSurrogatesReplaced(m_request.sectorName.trimmed());
    m_steps.append(Step::coordinates);
    if (m_request.importWorlds || m_request.importRoutes || m_request.importBorders)
        m_steps.append(Step::allegiances);
    if (m_request.importWorlds)
        m_steps.append(Step::sector);
    if (m_request.importRoutes || m_request.importLabels || m_request.importBorders)
        m_steps.append(Step::metadata);
    connect(&m_conversion, &QFutureWatcherBase::finished, this, &ImportJob::applyConverted);
}

void ImportJob::start()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_finished)
                return;
            if (m_answers.sectorName.isEmpty())
                return finish(ImportOutcome::Kind::failed, ImportError::emptySectorName().errorDescription());
            sendNext();
        },
        Qt::QueuedConnection);
}

void ImportJob::abort()
{
    if (m_finished)
        return;
    // Deleting the reply stops its transfer at once.
    delete std::exchange(m_reply, nullptr);
    finish(ImportOutcome::Kind::aborted, tr("The import was stopped before it finished."));
}

void ImportJob::sendNext()
{
    if (m_steps.isEmpty()) {
        // The borders are merged, and the routes and labels checked, on the worker
        // too, against the map objects as they stand now; the apply step works out
        // again whatever changed meanwhile.
        const StoredMapObjects stored = m_universe ? StoredMapObjects::of(*m_universe) : StoredMapObjects();
        m_conversion.setFuture(
            QtConcurrent::run(jobPool(), [request = m_request, answers = m_answers, stored] {
                return convert(request, answers, stored);
            }));
        return;
    }
    const QString &name = m_answers.sectorName;
    switch (m_steps.first()) {
    case Step::coordinates: m_reply = m_client.requestCoordinates(name, m_request.milieu, this); break;
    case Step::allegiances: m_reply = m_client.requestAllegiances(this); break;
    case Step::sector:
        m_reply = m_client.requestSector(name, m_request.subsector, m_request.milieu, this);
        break;
    case Step::metadata: m_reply = m_client.requestMetadata(name, m_request.milieu, this); break;
    }
    connect(m_reply, &ServiceReply::finished, this, &ImportJob::received);
}

void ImportJob::received()
{
    ServiceReply *reply = std::exchange(m_reply, nullptr);
    reply->deleteLater();
    const std::optional<ImportError> &error = reply->error();
    try {
        switch (m_steps.takeFirst()) {
        case Step::coordinates:
            m_answers.sector = TravellerMapClient::readCoordinates(*reply, m_answers.sectorName);
            break;
        // Without the list, the built-in allegiance names serve.
        case Step::allegiances:
            if (!error)
                m_answers.allegiances = reply->answer().body;
            break;
        case Step::sector:
            if (error)
                throw *error;
            m_answers.sectorData = reply->answer();
            break;
        case Step::metadata:
            if (error)
                throw *error;
            m_answers.metadata = reply->answer().body;
            break;
        }
    } catch (const ImportError &failure) {
        return finish(ImportOutcome::Kind::failed, failure.errorDescription());
    }
    sendNext();
}

void ImportJob::applyConverted()
{
    if (m_finished)
        return;
    ConvertedImport converted;
    try {
        converted = m_conversion.result();
    } catch (const ImportError &failure) {
        return finish(ImportOutcome::Kind::failed, failure.errorDescription());
    } catch (const std::exception &failure) {
        return finish(ImportOutcome::Kind::failed, QString::fromLocal8Bit(failure.what()));
    }

    StarfarerUniverse *universe = m_universe.data();
    if (!universe || !m_manager || m_manager->current() != universe) {
        printStatusLine(u"Import discarded: the universe it was started for is no longer open."_s);
        return finish(ImportOutcome::Kind::discarded,
                      tr("Nothing was written, because the universe it was started for is no longer open."));
    }
    const QString result = apply(*universe, m_request, converted);
    finish(ImportOutcome::Kind::applied, result, universe->save());
}

void ImportJob::finish(ImportOutcome::Kind kind, const QString &message, quint64 saveRequest)
{
    m_finished = true;
    emit finished(ImportOutcome{kind, m_answers.sectorName, message, saveRequest});
}

} // namespace TravellerMapImporter
