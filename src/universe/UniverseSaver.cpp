#include "UniverseSaver.h"

#include "AtomicFileWriter.h"
#include "StarfarerUniverse.h"
#include "json/JsonWriter.h"

#include <QMutexLocker>

UniverseSaver::UniverseSaver(std::function<void()> outcomeReady) : m_outcomeReady(std::move(outcomeReady))
{
    m_thread.setMaxThreadCount(1);
}

UniverseSaver::~UniverseSaver()
{
    m_thread.waitForDone();
}

void UniverseSaver::request(UniverseContents snapshot, const UniverseFolder &folder, const QString &path)
{
    QMutexLocker lock(&m_mutex);
    const bool taskQueued = m_waiting.has_value();
    m_waiting = Request{std::move(snapshot), folder, path};
    // A queued task takes whatever snapshot is newest when it starts.
    if (!taskQueued)
        m_thread.start([this] { writeNext(); });
}

bool UniverseSaver::wait()
{
    m_thread.waitForDone();
    QMutexLocker lock(&m_mutex);
    return m_lastSucceeded;
}

QList<UniverseSaver::Outcome> UniverseSaver::takeOutcomes()
{
    QMutexLocker lock(&m_mutex);
    return std::exchange(m_outcomes, {});
}

void UniverseSaver::setWriteObserver(std::function<void(const UniverseContents &)> observer)
{
    QMutexLocker lock(&m_mutex);
    m_observer = std::move(observer);
}

void UniverseSaver::writeNext()
{
    std::optional<Request> request;
    std::function<void(const UniverseContents &)> observer;
    {
        QMutexLocker lock(&m_mutex);
        request = std::exchange(m_waiting, std::nullopt);
        observer = m_observer;
    }
    if (!request)
        return;
    if (observer)
        observer(request->snapshot);
    const Outcome outcome = write(*request);
    request.reset(); // let the document's lists stop sharing with the snapshot
    {
        QMutexLocker lock(&m_mutex);
        m_outcomes.append(outcome);
        m_lastSucceeded = outcome.succeeded;
    }
    m_outcomeReady();
}

UniverseSaver::Outcome UniverseSaver::write(const Request &request)
{
    request.folder.ensureUniversesDirectory();
    QString reason;
    try {
        reason = AtomicFileWriter::write(request.path, JsonWriter::write(request.snapshot.toJson()));
    } catch (const EncodeError &error) {
        reason = error.message();
    } catch (const std::bad_alloc &) {
        reason = QStringLiteral("not enough memory to write the universe");
    }
    if (reason.isEmpty())
        return {};
    const QString message =
        QStringLiteral("Failed to save StarfarerUniverse to ") + request.path + QStringLiteral(": ") + reason;
    printStatusLine(message);
    return {false, message};
}
