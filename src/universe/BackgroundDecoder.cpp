#include "BackgroundDecoder.h"

#include "WorkerPools.h"

#include <QtConcurrent/QtConcurrentRun>

BackgroundDecoder::BackgroundDecoder(QObject *parent) : QObject(parent) {}

BackgroundDecoder::~BackgroundDecoder()
{
    abandon();
}

void BackgroundDecoder::start(const QString &path, Finished finished)
{
    abandon();
    m_abandoned = std::make_shared<std::atomic<bool>>(false);
    m_finished = std::move(finished);
    m_watcher = new QFutureWatcher<Outcome>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, &BackgroundDecoder::finish);
    m_watcher->setFuture(QtConcurrent::run(jobPool(), [path, abandoned = m_abandoned] {
        Outcome outcome;
        outcome.decoded = UniverseFile::decodeFile(path, &outcome.error, abandoned.get());
        return outcome;
    }));
}

void BackgroundDecoder::abandon()
{
    if (!m_watcher)
        return;
    m_abandoned->store(true);
    // The watcher goes with it: a decoding that ends later reaches no one.
    delete std::exchange(m_watcher, nullptr);
    m_abandoned.reset();
    m_finished = {};
}

void BackgroundDecoder::finish()
{
    // Taken first: `finished` may start the next decoding. The watcher is inside
    // its own signal, so it goes once that is over.
    QFutureWatcher<Outcome> *watcher = std::exchange(m_watcher, nullptr);
    watcher->deleteLater();
    m_abandoned.reset();
    const Finished finished = std::exchange(m_finished, {});
    finished(watcher->future().takeResult());
}
