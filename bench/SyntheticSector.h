#pragma once

// Sectors as the Traveller Map service answers for them, made up for the benchmarks:
// their tab-delimited world rows and their metadata (names, routes, labels,
// subsectors, borders).

#include "import/SectorMetadata.h"

#include <QByteArray>
#include <QChar>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <initializer_list>
#include <utility>

// A hex of a sector as the service writes it: "0101" to "3240".
inline QString hexText(int column, int row)
{
    return QStringLiteral("%1%2").arg(column, 2, 10, QLatin1Char('0')).arg(row, 2, 10, QLatin1Char('0'));
}

// One world row: its hex in the sector, its name and allegiance code; `variant`
// chooses the other columns from a few of each kind.
struct SyntheticWorldRow
{
    int column = 1;
    int row = 1;
    QString name;
    QString allegiance;
    int variant = 0;
};

// The sector's world rows in the service's tab-delimited form, with every column the
// importer reads.
inline QString sectorText(const QList<SyntheticWorldRow> &worlds)
{
    static const char *const stars[] = {"G2 V", "M0 V M4 V", "F7 V D", "K1 IV M2 V M5 V", "A0 V"};
    static const char *const remarks[] = {"Ri Pa Ph", "In Hi Cp", "Ag Ni (Vargr)3 Huma4", "Lo Va RsB",
                                          "Na Po"};
    QString text =
        QStringLiteral("# Synthetic sector\nSector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\t"
                       "Allegiance\tStars\t{Ix}\t(Ex)\t[Cx]\tNobility\tW\tRU\n");
    for (const SyntheticWorldRow &world : worlds) {
        const int i = world.variant;
        const QString uwp = QStringLiteral("A") + QString::number(i % 10) + QString::number((i + 3) % 10) +
                            QString::number((i + 5) % 10) + QStringLiteral("899-C");
        const QStringList fields = {QStringLiteral("Bench"),
                                    QChar(u'A' + (world.column - 1) / 8 + 4 * ((world.row - 1) / 10)),
                                    hexText(world.column, world.row),
                                    world.name,
                                    uwp,
                                    QStringLiteral("NS"),
                                    QLatin1StringView(remarks[i % 5]),
                                    i % 7 == 0 ? QStringLiteral("A") : QString(),
                                    QString::number(100 + i % 900),
                                    world.allegiance,
                                    QLatin1StringView(stars[i % 5]),
                                    QStringLiteral("{ +1 }"),
                                    QStringLiteral("(A46+2)"),
                                    QStringLiteral("[4A3C]"),
                                    QStringLiteral("BcC"),
                                    QString::number(i % 15),
                                    QString::number(i * 3)};
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

// A full sector of `worlds` rows of the Domain of Deneb spread over its hexes.
inline QString sectorText(int worlds)
{
    QList<SyntheticWorldRow> rows;
    for (int i = 0; i < worlds; ++i) {
        const int hex = (i * 37) % (32 * 40);
        rows.append(
            {hex % 32 + 1, hex / 32 + 1, QStringLiteral("World %1").arg(i), QStringLiteral("ImDd"), i});
    }
    return sectorText(rows);
}

// The metadata in the service's JSON form; empty members are left out, as the service
// leaves them out.
inline QByteArray metadataJson(const TravellerMapImporter::SectorMetadata &metadata)
{
    using Members = std::initializer_list<std::pair<const char *, QString>>;
    const auto texts = [](Members members) {
        QJsonObject object;
        for (const auto &[key, text] : members) {
            if (!text.isEmpty())
                object.insert(QLatin1StringView(key), text);
        }
        return object;
    };
    QJsonArray names, routes, labels, subsectors, borders;
    for (const auto &name : metadata.names)
        names.append(texts({{"Text", name.text}}));
    for (const auto &route : metadata.routes) {
        QJsonObject object =
            texts({{"Start", route.start}, {"End", route.end}, {"Allegiance", route.allegiance}});
        for (const auto &[key, offset] :
             {std::pair{"StartOffsetX", route.startOffsetX}, std::pair{"StartOffsetY", route.startOffsetY},
              std::pair{"EndOffsetX", route.endOffsetX}, std::pair{"EndOffsetY", route.endOffsetY}}) {
            if (offset != 0)
                object.insert(QLatin1StringView(key), qint64(offset));
        }
        if (route.width)
            object.insert(QStringLiteral("Width"), *route.width);
        routes.append(object);
    }
    for (const auto &label : metadata.labels)
        labels.append(
            texts({{"Text", label.text}, {"Hex", label.hex}, {"Color", label.color}, {"Size", label.size}}));
    for (const auto &subsector : metadata.subsectors)
        subsectors.append(texts({{"Name", subsector.name}, {"Index", subsector.index}}));
    for (const auto &border : metadata.borders)
        borders.append(texts({{"Path", border.path},
                              {"Allegiance", border.allegiance},
                              {"Label", border.label},
                              {"LabelPosition", border.labelPosition},
                              {"Color", border.color}}));
    return QJsonDocument(QJsonObject{{QStringLiteral("Names"), names},
                                     {QStringLiteral("Routes"), routes},
                                     {QStringLiteral("Labels"), labels},
                                     {QStringLiteral("Subsectors"), subsectors},
                                     {QStringLiteral("Borders"), borders}})
        .toJson(QJsonDocument::Compact);
}

// The metadata of the sector of sectorText(int): 60 routes into the neighbouring
// sector, 60 labels, the 16 subsectors named, and one border per subsector traced
// along its edge hexes, of three allegiances "Im0" to "Im2".
inline QByteArray metadataBody()
{
    TravellerMapImporter::SectorMetadata metadata;
    metadata.names = {{QStringLiteral("Bench")}};
    for (int i = 0; i < 60; ++i) {
        TravellerMapImporter::MetaRoute route;
        route.start = hexText((101 + i % 30) / 100, (101 + i % 30) % 100);
        route.end = QStringLiteral("3340");
        route.endOffsetX = 1;
        route.allegiance = QStringLiteral("ImDd");
        route.width = 2;
        metadata.routes.append(route);
        metadata.labels.append(
            {QStringLiteral("Label"), QStringLiteral("1010"), QStringLiteral("#ff8000"), {}});
    }
    for (char letter = 'A'; letter <= 'P'; ++letter)
        metadata.subsectors.append({QStringLiteral("Sub"), QString(QLatin1Char(letter))});
    for (int s = 0; s < 16; ++s) {
        const int left = (s % 4) * 8 + 1, top = (s / 4) * 10 + 1;
        QStringList path;
        for (int column = left; column < left + 8; ++column) {
            for (int row = top; row < top + 10; ++row) {
                if (column == left || column == left + 7 || row == top || row == top + 9)
                    path.append(hexText(column, row));
            }
        }
        TravellerMapImporter::MetaBorder border;
        border.path = path.join(QLatin1Char(' '));
        border.allegiance = QStringLiteral("Im%1").arg(s % 3);
        border.labelPosition = QStringLiteral("0505");
        metadata.borders.append(border);
    }
    return metadataJson(metadata);
}
