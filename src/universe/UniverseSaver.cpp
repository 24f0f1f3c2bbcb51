#include "UniverseSaver.h"

#include "AtomicFileWriter.h"
#include "StatusLine.h"

#include <QMutexLocker>

UniverseSaver::UniverseSaver(std::function<Request()> takeSnapshot, std::function<void()> writeFinished)
    : m_takeSnapshot(std::move(takeSnapshot)), m_writeFinished(std::move(writeFinished))
{
    m_thread.setMaxThreadCount(1);
}

UniverseSaver::~UniverseSaver()
{
    m_thread.waitForDone();
}

quint64 UniverseSaver::save()
{
    if (m_discarded)
        return m_requests;
    m_saveAsked = true;
    const quint64 request = ++m_requests;
    resume();
    return request;
}

void UniverseSaver::resume()
{
    if (m_saveAsked && !writing())
        start();
}

bool UniverseSaver::wait()
{
    for (;;) {
        m_thread.waitForDone();
        if (!m_saveAsked)
            break;
        start();
    }
    QMutexLocker lock(&m_mutex);
    return m_lastSucceeded;
}

bool UniverseSaver::retryFailed()
{
    {
        QMutexLocker lock(&m_mutex);
        // An outcome not yet taken is news to the document: that write was the try.
        if (m_saveAsked || m_writing || m_lastSucceeded || !m_outcomes.isEmpty())
            return false;
    }
    save();
    return m_saveAsked || writing();
}

void UniverseSaver::setDiscarding(bool discarding)
{
    m_discarded = discarding;
    if (discarding)
        m_saveAsked = false;
}

bool UniverseSaver::pending() const
{
    return m_saveAsked || writing();
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

void UniverseSaver::rememberReadFile(const QString &path, const UniverseFileReader::Stamp &stamp)
{
    m_thread.waitForDone(); // the guard belongs to the saving thread while it writes
    m_guard.remember(path, stamp);
}

void UniverseSaver::start()
{
    m_saveAsked = false;
    Request request = m_takeSnapshot();
    request.holds = m_requests;
    {
        QMutexLocker lock(&m_mutex);
        m_writing = true;
    }
    m_thread.start([this, request = std::move(request)]() mutable { run(std::move(request)); });
}

bool UniverseSaver::writing() const
{
    QMutexLocker lock(&m_mutex);
    return m_writing;
}

void UniverseSaver::run(Request request)
{
    std::function<void(const UniverseContents &)> observer;
    {
        QMutexLocker lock(&m_mutex);
        observer = m_observer;
    }
    if (observer)
        observer(request.snapshot);
    const Outcome outcome = write(std::move(request));
    {
        QMutexLocker lock(&m_mutex);
        m_outcomes.append(outcome);
        m_lastSucceeded = outcome.succeeded;
        m_writing = false;
    }
    m_writeFinished();
}

UniverseSaver::Outcome UniverseSaver::write(Request request)
{
    request.folder.ensureUniversesDirectory();
    QString reason, kept;
    try {
        // Written system by system as it is encoded: the whole text is never held.
        AtomicFileWriter file(request.path);
        reason = file.open();
        if (reason.isEmpty()) {
            request.snapshot.writeJson([&](QByteArrayView piece) {
                reason = file.write(piece);
                return reason.isEmpty();
            });
        }
        if (reason.isEmpty()) {
            reason = file.commit(
                [&](int descriptor) { return m_guard.beforeReplace(request.path, descriptor, &kept); },
                {ExternalChangeGuard::swapOutName,
                 [&](const QString &oldFile) { return m_guard.replaced(request.path, oldFile, &kept); }});
        }
    } catch (const EncodeError &error) {
        reason = error.message();
    } catch (const std::bad_alloc &) {
        reason = QStringLiteral("not enough memory to write the universe");
    }
    Outcome outcome{reason.isEmpty(),
                    QString(),
                    kept,
                    request.path,
                    m_guard.afterWrite(request.path),
                    request.snapshot.id,
                    request.snapshot.name,
                    request.holds};
    // The snapshot's share of the document is given up before the outcome is
    // reported, so that the document's next edits copy nothing.
    request.snapshot = UniverseContents();
    if (!outcome.succeeded) {
        outcome.message = QStringLiteral("Failed to save StarfarerUniverse to ") + request.path +
                          QStringLiteral(": ") + reason;
        printStatusLine(outcome.message);
    }
    return outcome;
}
