#include "MetadataLabels.h"

#include "ImportText.h"
#include "model/BlankTrimming.h"

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

double labelSize(const QString &size)
{
    const QString lower = size.toLower();
    if (lower == u"small")
        return 14;
    if (lower == u"large")
        return 28;
    return 18;
}

} // namespace

QString firstNonEmpty(const QList<MetaName> &names)
{
    for (const MetaName &name : names) {
        if (!name.text.isEmpty())
            return name.text;
    }
    return QString();
}

QList<StarmapLabel> importedLabels(const QList<MetaLabel> &labels, SectorPosition sector)
{
    QList<StarmapLabel> imported;
    for (const MetaLabel &label : labels) {
        const auto hex = parseHex(label.hex);
        if (label.text.isEmpty() || !hex)
            continue;
        imported.append(StarmapLabel{
            QUuid::createUuid(), label.text, labelSize(label.size), factionColorFrom(label.color), 0.0,
            GalacticCoordinates{sector.x, sector.y, hex->column, hex->row}, QString()});
    }
    return imported;
}

QList<StarmapLabel> subsectorNameLabels(const QList<MetaSubsector> &subsectors, SectorPosition sector)
{
    QList<StarmapLabel> labels;
    for (const MetaSubsector &subsector : subsectors) {
        const QString name = BlankTrimming::trimmedBlanks(subsector.name).toString();
        if (name.isEmpty() || subsector.index.isEmpty())
            continue;
        const char16_t letter = subsector.index.front().toUpper().unicode();
        if (letter < u'A' || letter > u'P')
            continue;
        const int n = letter - u'A';
        const GalacticCoordinates position{sector.x, sector.y, (n % 4) * 8 + 4, (n / 4) * 10 + 5};
        labels.append(StarmapLabel{QUuid::createUuid(), name, 20.0, FactionColor::grey, 0.0, position,
                                   u"Subsector Name"_s});
    }
    return labels;
}

} // namespace TravellerMapImporter
