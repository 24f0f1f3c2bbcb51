#pragma once

#include "StarfarerUniverse.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Reads and decodes one universe file at a time on a worker thread
// (UniverseFile::decodeFile), so that a large file never holds up the thread
// that asked for it, and hands the outcome back on that thread. The worker is given
// only the file's path: it shares nothing with its owner, which may go while it
// runs. Abandoning a decoding — starting another, abandon(), or destroying this
// object — drops its outcome (nothing is handed back) and stops the worker at its
// next step.
class BackgroundDecoder : public QObject
{
public:
    // The decoded file, or nothing with the reason the file could not be read.
    struct Outcome
    {
        std::optional<StarfarerUniverse::DecodedFile> decoded;
        QString error;
    };
    using Finished = std::function<void(Outcome outcome)>;

    explicit BackgroundDecoder(QObject *parent = nullptr);
    ~BackgroundDecoder() override;

    // Starts decoding the file at `path`, abandoning the decoding under way.
    // `finished` is called once, on this object's thread, unless abandoned first.
    void start(const QString &path, Finished finished);
    void abandon();
    bool isRunning() const { return m_watcher != nullptr; }

private:
    void finish();

    // The decoding under way, if any: its watcher (a child) and the flag its worker
    // reads.
    QFutureWatcher<Outcome> *m_watcher = nullptr;
    std::shared_ptr<std::atomic<bool>> m_abandoned;
    Finished m_finished;
};
