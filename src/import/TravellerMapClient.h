#pragma once

#include "ImportedWorld.h"
#include "SectorMetadata.h"
#include "SectorPosition.h"
#include "SectorTable.h"
#include "ServiceReply.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>
#include <utility>

class QNetworkAccessManager;
class QObject;

namespace TravellerMapImporter {

// The requests of a sector import to the Traveller Map web service — the sector's
// position, the allegiance list, the sector data and the sector metadata — and the
// reading of their answers.
//
// A request is one GET with a fixed "User-Agent" and a transfer time-out, sent on
// the given network manager and answered asynchronously on its thread (the GUI
// thread), so that nothing waits for the service and quitting can stop it at once.
// The readers are plain functions of the answers, for a worker thread; they throw
// ImportError for an answer that cannot be read. Nothing is cached or retried.
class TravellerMapClient
{
public:
    using QueryItems = QList<std::pair<QString, QString>>;

    static constexpr std::chrono::milliseconds defaultTimeout{60000};

    // `baseAddress` is the service's scheme and host (and port); `timeout` ends a
    // transfer during which nothing arrived for that long.
    explicit TravellerMapClient(QNetworkAccessManager *network, QUrl baseAddress = configuredBaseAddress(),
                                std::chrono::milliseconds timeout = defaultTimeout);

    // VOSTREL_TRAVELLER_MAP_URL when it is set, else the public service.
    static QUrl configuredBaseAddress();
    static QByteArray userAgent();

    // Each request's reply belongs to `parent`.
    ServiceReply *get(const QString &path, const QueryItems &query, QObject *parent) const;
    ServiceReply *requestCoordinates(const QString &sector, const QString &milieu, QObject *parent) const;
    ServiceReply *requestAllegiances(QObject *parent) const;
    // The whole sector, or one subsector when `subsector` is not empty.
    ServiceReply *requestSector(const QString &name, const QString &subsector, const QString &milieu,
                                QObject *parent) const;
    ServiceReply *requestMetadata(const QString &sector, const QString &milieu, QObject *parent) const;

    // The position in our frame (the service's Y negated) of the sector named
    // `sector`. A failed request with status 404, or an answer that is not the
    // expected JSON, is sectorNotFound; other failures pass unchanged.
    static SectorPosition readCoordinates(const ServiceReply &reply, const QString &sector);
    // Code to name; empty, never failing, when the answer cannot be read.
    static AllegianceTable readAllegiances(QByteArrayView body);
    // The rows of sector data. An answer that is not UTF-8, not sector data, or that
    // came without framing and does not end its last row with a line break (it was
    // cut short), is badResponse.
    static QList<SectorRow> readSector(const ServiceAnswer &answer);
    // An answer that is not a JSON object is badResponse.
    static SectorMetadata readMetadata(QByteArrayView body);

private:
    // The address of `path` with the query items in their order, every value
    // percent-encoded; an empty address when the base address is not usable.
    QUrl address(const QString &path, const QueryItems &query) const;

    QNetworkAccessManager *m_network;
    QUrl m_base;
    std::chrono::milliseconds m_timeout;
};

} // namespace TravellerMapImporter
