#include "Stardate.h"

using namespace Qt::StringLiterals;

Stardate Stardate::fromJson(const JsonReader &reader)
{
    Stardate value;
    value.year = reader.required<qint64>("year"_L1);
    value.day = reader.required<qint64>("day"_L1);
    value.hour = reader.required<qint64>("hour"_L1);
    value.minute = reader.required<qint64>("minute"_L1);
    return value;
}

JsonObject Stardate::toJson() const
{
    JsonObject object;
    object.insert("year"_L1, jsonValue(year));
    object.insert("day"_L1, jsonValue(day));
    object.insert("hour"_L1, jsonValue(hour));
    object.insert("minute"_L1, jsonValue(minute));
    return object;
}
