#pragma once

#include "ImportedWorld.h"
#include "SectorMetadata.h"
#include "SectorPosition.h"
#include "SectorTable.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

#include <chrono>
#include <utility>

namespace TravellerMapImporter {

// The requests of a sector import to the Traveller Map web service: the sector's
// position, the allegiance list, the sector data and the sector metadata, each one
// GET with a fixed "User-Agent" and a transfer time-out. A request returns when its
// answer is in and throws ImportError when it failed.
//
// Each request waits for its answer in an event loop of its own, so a client is
// meant for a worker thread: the import run makes one there (it belongs to the
// thread that makes it) and calls the requests in order, and the window is never
// kept waiting. Nothing is cached or retried.
class TravellerMapClient
{
public:
    using QueryItems = QList<std::pair<QString, QString>>;

    static constexpr std::chrono::milliseconds defaultTimeout{60000};

    // `baseAddress` is the service's scheme and host (and port).
    explicit TravellerMapClient(QUrl baseAddress = configuredBaseAddress(),
                                std::chrono::milliseconds timeout = defaultTimeout);

    // VOSTREL_TRAVELLER_MAP_URL when it is set, else the public service.
    static QUrl configuredBaseAddress();
    static QByteArray userAgent();

    // The body of a 2xx answer. Fails with httpStatus for any other status (read
    // before the transfer's own error), network for a transfer that failed or timed
    // out, badResponse for no address or an answer that is not HTTP.
    QByteArray fetchData(const QString &path, const QueryItems &query = {});

    // The sector's position in our frame (the service's Y negated). A 404 or an
    // answer that is not the expected JSON is sectorNotFound.
    SectorPosition fetchCoordinates(const QString &sector);
    // Code to name; empty, never failing, when the list cannot be had.
    AllegianceTable fetchAllegiances();
    // The rows of the sector (or of one subsector when `subsector` is not empty).
    // An answer that is not UTF-8 or not sector data is badResponse.
    QList<SectorRow> fetchSector(const QString &name, const QString &subsector, const QString &milieu);
    // An answer that is not a JSON object is badResponse.
    SectorMetadata fetchMetadata(const QString &sector, const QString &milieu);

private:
    // The address of `path` with the query items in their order, every value
    // percent-encoded; an empty address when the base address is not usable.
    QUrl address(const QString &path, const QueryItems &query) const;

    QUrl m_base;
    std::chrono::milliseconds m_timeout;
    QNetworkAccessManager m_network;
};

} // namespace TravellerMapImporter
