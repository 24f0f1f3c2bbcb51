#pragma once

#include "ImportJob.h"
#include "TravellerMapClient.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <chrono>

class UniverseManager;

namespace TravellerMapImporter {

// The sector imports of the program, sent on one network manager of the GUI thread,
// one at a time per universe. An import outlives the form that started it: it ends
// on the universe it was started for, and when no form shows it by then, its outcome
// is announced for the main window to show. Destroying this object, as quitting
// does, stops every import under way at once; nothing of those is written.
class RunningImports : public QObject
{
    Q_OBJECT

public:
    // The configured service, with the standard time-out.
    explicit RunningImports(QObject *parent = nullptr);
    RunningImports(QUrl baseAddress, std::chrono::milliseconds timeout, QObject *parent = nullptr);
    ~RunningImports() override;

    // Starts importing `request` into `universe`, which `manager` must still have
    // open when the answers are in. `viewer` is the form that shows the outcome; when
    // the import has no viewer left by then, outcomeUnseen() carries the outcome
    // instead. One import at a time runs for a universe: while one does, nothing
    // starts and the result is null.
    ImportJob *start(const ImportRequest &request, UniverseManager *manager, StarfarerUniverse *universe,
                     QObject *viewer);
    // The import under way for `universe`, or null.
    ImportJob *running(const StarfarerUniverse *universe) const;
    // Ends every import under way as aborted.
    void abortAll();

signals:
    // The outcome of an import whose form was gone when it ended (its summary() names
    // the sector). Aborted imports are not announced.
    void outcomeUnseen(const TravellerMapImporter::ImportOutcome &outcome);

private:
    QNetworkAccessManager m_network;
    TravellerMapClient m_client;
};

} // namespace TravellerMapImporter
