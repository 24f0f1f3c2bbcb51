#pragma once

#include "ImportConversion.h"
#include "TravellerMapClient.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class UniverseManager;

namespace TravellerMapImporter {

// How an import ended.
struct ImportOutcome
{
    enum class Kind {
        applied,   // written into its universe, and a save asked for
        failed,    // a request or an answer failed; nothing written
        discarded, // its universe was no longer the open one; nothing written
        aborted,   // stopped by the program before it ended; nothing written
    };

    Kind kind = Kind::failed;
    QString sectorName; // as sent
    // The result line when applied, else what went wrong.
    QString message;
    // When applied: the universe's save request that writes what was applied.
    quint64 saveRequest = 0;

    // The outcome as one line that names the sector, for a place that does not show
    // which import it was.
    QString summary() const;
};

// One sector import from its first request to its result line, independent of the
// form that started it. The requests go out one after another on the network
// manager's thread, each only once the one before it succeeded; the answers are read
// and converted on a worker; the result is written into the universe the import was
// started for, and saved once, only if that universe is still the open one. It ends
// exactly once with finished(); after abort() nothing more is sent or written.
class ImportJob : public QObject
{
    Q_OBJECT

public:
    ImportJob(const TravellerMapClient &client, ImportRequest request, UniverseManager *manager,
              StarfarerUniverse *universe, QObject *parent = nullptr);

    const ImportRequest &request() const { return m_request; }
    // The universe the import was started for; null once that is gone.
    StarfarerUniverse *universe() const { return m_universe.data(); }
    bool isFinished() const { return m_finished; }
    // The form that shows this import and its outcome, if one still does: a form left
    // and opened again takes it over from the one that started the import.
    QObject *viewer() const { return m_viewer.data(); }
    void setViewer(QObject *viewer) { m_viewer = viewer; }

    // Starts at the next turn of the event loop, so that finished() never comes
    // from within this call.
    void start();
    // Ends the import at once as aborted: the request under way is dropped, and a
    // conversion under way finishes on its worker without being used.
    void abort();

signals:
    void finished(const TravellerMapImporter::ImportOutcome &outcome);

private:
    enum class Step { coordinates, allegiances, sector, metadata };

    void sendNext();
    void received();
    void applyConverted();
    void finish(ImportOutcome::Kind kind, const QString &message, quint64 saveRequest = 0);

    TravellerMapClient m_client;
    ImportRequest m_request;
    QPointer<UniverseManager> m_manager;
    QPointer<StarfarerUniverse> m_universe;
    QPointer<QObject> m_viewer;
    QList<Step> m_steps;
    ServiceReply *m_reply = nullptr;
    ImportAnswers m_answers;
    QFutureWatcher<ConvertedImport> m_conversion;
    bool m_finished = false;
};

} // namespace TravellerMapImporter
