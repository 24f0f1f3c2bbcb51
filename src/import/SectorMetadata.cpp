#include "SectorMetadata.h"

#include "ImportText.h"

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

QString text(const JsonObject &object, QLatin1StringView key)
{
    const JsonValue *value = object.find(key);
    return value ? value->toString() : QString();
}

// A whole number, also when written with a zero fraction ("1.0"); 0 otherwise.
qint64 integer(const JsonObject &object, QLatin1StringView key)
{
    const JsonValue *value = object.find(key);
    if (!value)
        return 0;
    const qint64 number = value->toInteger(0);
    return number == value->toInteger(1) ? number : 0;
}

std::optional<double> number(const JsonObject &object, QLatin1StringView key)
{
    const JsonValue *value = object.find(key);
    if (!value || !value->isNumber())
        return std::nullopt;
    return value->toDouble();
}

template <typename Record, typename Read>
QList<Record> list(const JsonObject &object, QLatin1StringView key, Read read)
{
    const JsonValue *value = object.find(key);
    const JsonArray *array = value ? value->array() : nullptr;
    if (!array)
        return {};
    QList<Record> records;
    records.reserve(qsizetype(array->size()));
    for (const JsonValue &element : *array) {
        const JsonObject *member = element.object();
        if (!member)
            return {};
        records.append(read(*member));
    }
    return records;
}

MetaRoute readRoute(const JsonObject &o)
{
    return MetaRoute{text(o, "Start"_L1),           text(o, "End"_L1),
                     integer(o, "StartOffsetX"_L1), integer(o, "StartOffsetY"_L1),
                     integer(o, "EndOffsetX"_L1),   integer(o, "EndOffsetY"_L1),
                     text(o, "Allegiance"_L1),      number(o, "Width"_L1)};
}

} // namespace

std::optional<SectorMetadata> SectorMetadata::decode(QByteArrayView body)
{
    const auto value = parseAnswerJson(body);
    const JsonObject *root = value ? value->object() : nullptr;
    if (!root)
        return std::nullopt;
    SectorMetadata metadata;
    metadata.names =
        list<MetaName>(*root, "Names"_L1, [](const JsonObject &o) { return MetaName{text(o, "Text"_L1)}; });
    metadata.routes = list<MetaRoute>(*root, "Routes"_L1, readRoute);
    metadata.labels = list<MetaLabel>(*root, "Labels"_L1, [](const JsonObject &o) {
        return MetaLabel{text(o, "Text"_L1), text(o, "Hex"_L1), text(o, "Color"_L1), text(o, "Size"_L1)};
    });
    metadata.subsectors = list<MetaSubsector>(*root, "Subsectors"_L1, [](const JsonObject &o) {
        return MetaSubsector{text(o, "Name"_L1), text(o, "Index"_L1)};
    });
    metadata.borders = list<MetaBorder>(*root, "Borders"_L1, [](const JsonObject &o) {
        return MetaBorder{text(o, "Path"_L1), text(o, "Allegiance"_L1), text(o, "Label"_L1),
                          text(o, "LabelPosition"_L1), text(o, "Color"_L1)};
    });
    return metadata;
}

} // namespace TravellerMapImporter
