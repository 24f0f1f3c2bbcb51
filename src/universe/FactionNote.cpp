#include "FactionNote.h"

using namespace Qt::StringLiterals;

FactionNote FactionNote::fromJson(const JsonReader &reader)
{
    FactionNote note;
    note.id = reader.required<qint64>("id"_L1);
    note.title = reader.required<QString>("title"_L1);
    note.date = reader.required<Stardate>("date"_L1);
    note.content = reader.required<QString>("content"_L1);
    return note;
}

JsonObject FactionNote::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("title"_L1, jsonValue(title));
    object.insert("date"_L1, jsonValue(date));
    object.insert("content"_L1, jsonValue(content));
    return object;
}
