#include "StarmapLabel.h"

using namespace Qt::StringLiterals;

namespace {

// A rotation as files hold it: a number of radians, or an object whose "radians"
// member is that number.
struct StoredAngle
{
    double radians = 0.0;
};

} // namespace

template <> struct JsonCodec<StoredAngle>
{
    static StoredAngle read(const JsonValue &value, const JsonPath &path)
    {
        if (const JsonObject *object = value.object())
            return {JsonReader(*object, path).required<double>("radians"_L1)};
        return {JsonCodec<double>::read(value, path)};
    }
};

StarmapLabel StarmapLabel::fromJson(const JsonReader &reader)
{
    StarmapLabel label;
    label.id = reader.required<QUuid>("id"_L1);
    label.text = reader.required<QString>("text"_L1);
    label.size = reader.required<double>("size"_L1);
    label.color = reader.required<FactionColor>("color"_L1);
    label.angle = reader.required<StoredAngle>("angle"_L1).radians;
    label.position = reader.required<GalacticCoordinates>("position"_L1);
    label.category = reader.optional<QString>("category"_L1, QString());
    return label;
}

JsonObject StarmapLabel::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("text"_L1, jsonValue(text));
    object.insert("size"_L1, jsonValue(size));
    object.insert("color"_L1, jsonValue(color));
    object.insert("angle"_L1, jsonValue(angle));
    object.insert("position"_L1, jsonValue(position));
    object.insert("category"_L1, jsonValue(category));
    return object;
}
