#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace TravellerMapImporter {

// One name of the sector.
struct MetaName
{
    QString text;
};

// A trade route between two hexes ("0101"), each possibly in a neighbouring sector
// given by its offsets (in the service's frame, where Y grows downwards).
struct MetaRoute
{
    QString start;
    QString end;
    qint64 startOffsetX = 0;
    qint64 startOffsetY = 0;
    qint64 endOffsetX = 0;
    qint64 endOffsetY = 0;
    QString allegiance;
    std::optional<double> width;
};

// A free text on the map at a hex.
struct MetaLabel
{
    QString text;
    QString hex;
    QString color;
    QString size;
};

// The name of a subsector and its letter ("A" to "P").
struct MetaSubsector
{
    QString name;
    QString index;
};

// A border: the hexes of its path separated by spaces, whose allegiance it encloses.
struct MetaBorder
{
    QString path;
    QString allegiance;
    QString label;
    QString labelPosition;
    QString color;
};

// The service's metadata of one sector, read leniently: a member that is missing, null
// or of another type gives its empty value, and a list with an element that is not an
// object gives an empty list without touching the other lists. Only a body that is
// not JSON, or not a JSON object, cannot be read at all.
struct SectorMetadata
{
    QList<MetaName> names;
    QList<MetaRoute> routes;
    QList<MetaLabel> labels;
    QList<MetaSubsector> subsectors;
    QList<MetaBorder> borders;

    static std::optional<SectorMetadata> decode(QByteArrayView body);
};

} // namespace TravellerMapImporter
