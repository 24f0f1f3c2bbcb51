// Reading and converting Traveller Map answers: one full sector of 440 worlds, and a
// block of 16 sectors with their metadata, as a large import would bring them.
#include "import/ImportedRoute.h"
#include "import/ImportedWorld.h"
#include "import/MetadataLabels.h"
#include "import/SectorMetadata.h"
#include "import/SectorTable.h"

#include <benchmark/benchmark.h>

using namespace TravellerMapImporter;

namespace {

// A synthetic sector in the service's tab-delimited form: `worlds` rows spread over
// the sector's hexes, with every column the importer reads.
QString sectorText(int worlds)
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

QByteArray metadataBody()
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
    return "{\"Names\":[{\"Text\":\"Bench\"}],\"Routes\":[" + routes + "],\"Labels\":[" + labels +
           "],\"Subsectors\":[" + subsectors + "]}";
}

int convertSector(const QString &text, SectorPosition sector, const AllegianceTable &allegiances)
{
    int made = 0;
    for (const SectorRow &row : parseTabDelimited(text))
        made += makeWorld(row, sector, allegiances).has_value();
    return made;
}

void BM_ImportOneSector(benchmark::State &state)
{
    const QString text = sectorText(440);
    for (auto _ : state)
        benchmark::DoNotOptimize(convertSector(text, SectorPosition{-4, 1}, {}));
    state.SetItemsProcessed(int64_t(state.iterations()) * 440);
}
BENCHMARK(BM_ImportOneSector)->Unit(benchmark::kMillisecond);

void BM_ImportSixteenSectorBlock(benchmark::State &state)
{
    QList<QString> sectors;
    for (int i = 0; i < 16; ++i)
        sectors.append(sectorText(440));
    const QByteArray metadata = metadataBody();
    for (auto _ : state) {
        int made = 0;
        for (int i = 0; i < 16; ++i) {
            const SectorPosition position{i % 4, -(i / 4)};
            made += convertSector(sectors[i], position, {});
            const auto meta = SectorMetadata::decode(metadata);
            made += int(importedRoutes(meta->routes, position).size());
            made += int(importedLabels(meta->labels, position).size());
            made += int(subsectorNameLabels(meta->subsectors, position).size());
        }
        benchmark::DoNotOptimize(made);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 16 * 440);
}
BENCHMARK(BM_ImportSixteenSectorBlock)->Unit(benchmark::kMillisecond);

} // namespace
