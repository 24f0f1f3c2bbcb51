#pragma once

// A sector as the Traveller Map service answers for it, made up for the benchmarks:
// its tab-delimited world rows and its metadata (routes, labels, subsectors, borders).

#include <QByteArray>
#include <QChar>
#include <QString>

// A synthetic sector in the service's tab-delimited form: `worlds` rows spread over
// the sector's hexes, with every column the importer reads.
inline QString sectorText(int worlds)
{
    static const char *const stars[] = {"G2 V", "M0 V M4 V", "F7 V D", "K1 IV M2 V M5 V", "A0 V"};
    static const char *const remarks[] = {"Ri Pa Ph", "In Hi Cp", "Ag Ni (Vargr)3 Huma4", "Lo Va RsB",
                                          "Na Po"};
    QString text =
        QStringLiteral("# Synthetic sector\nSector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\t"
                       "Allegiance\tStars\t{Ix}\t(Ex)\t[Cx]\tNobility\tW\tRU\n");
    for (int i = 0; i < worlds; ++i) {
        const int hex = (i * 37) % (32 * 40);
        text += QStringLiteral("Bench\t%1\t%2%3\tWorld %4\tA%5%6%7899-C\tNS\t%8\t%9\t%10\tImDd\t%11\t{ +1 }\t"
                               "(A46+2)\t[4A3C]\tBcC\t%12\t%13\n")
                    .arg(QChar(u'A' + (hex % 32) / 8 + 4 * ((hex / 32) / 10)))
                    .arg(hex % 32 + 1, 2, 10, QLatin1Char('0'))
                    .arg(hex / 32 + 1, 2, 10, QLatin1Char('0'))
                    .arg(i)
                    .arg(i % 10)
                    .arg((i + 3) % 10)
                    .arg((i + 5) % 10)
                    .arg(QLatin1StringView(remarks[i % 5]))
                    .arg(i % 7 == 0 ? QStringLiteral("A") : QString())
                    .arg(100 + i % 900)
                    .arg(QLatin1StringView(stars[i % 5]))
                    .arg(i % 15)
                    .arg(i * 3);
    }
    return text;
}

inline QByteArray metadataBody()
{
    QByteArray routes, labels;
    for (int i = 0; i < 60; ++i) {
        routes += (i ? "," : "") + QByteArrayLiteral("{\"Start\":\"") +
                  QByteArray::number(101 + i % 30).rightJustified(4, '0') +
                  "\",\"End\":\"3340\",\"EndOffsetX\":1,\"Allegiance\":\"ImDd\",\"Width\":2}";
        labels +=
            (i ? "," : "") + QByteArrayLiteral("{\"Text\":\"Label\",\"Hex\":\"1010\",\"Color\":\"#ff8000\"}");
    }
    QByteArray subsectors;
    for (char letter = 'A'; letter <= 'P'; ++letter)
        subsectors +=
            QByteArray(letter == 'A' ? "" : ",") + "{\"Name\":\"Sub\",\"Index\":\"" + letter + "\"}";
    // One border per subsector, traced along the subsector's edge hexes.
    QByteArray borders;
    for (int s = 0; s < 16; ++s) {
        const int left = (s % 4) * 8 + 1, top = (s / 4) * 10 + 1;
        QByteArray path;
        for (int column = left; column < left + 8; ++column) {
            for (int row = top; row < top + 10; ++row) {
                if (column == left || column == left + 7 || row == top || row == top + 9)
                    path += QByteArray::number(column * 100 + row).rightJustified(4, '0') + ' ';
            }
        }
        borders += (s ? "," : "") + QByteArrayLiteral("{\"Path\":\"") + path.trimmed() +
                   "\",\"Allegiance\":\"Im" + QByteArray::number(s % 3) + "\",\"LabelPosition\":\"0505\"}";
    }
    return "{\"Names\":[{\"Text\":\"Bench\"}],\"Routes\":[" + routes + "],\"Labels\":[" + labels +
           "],\"Subsectors\":[" + subsectors + "],\"Borders\":[" + borders + "]}";
}
