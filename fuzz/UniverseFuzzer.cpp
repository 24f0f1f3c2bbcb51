// Feeds arbitrary bytes to the universe file reader. A universe either decodes whole
// or not at all; anything else (a crash, a sanitizer report, a half-made document)
// is a finding. The same bytes also go to JsonParser and QJsonDocument, which must
// agree on whether they are JSON (apart from the known differences) and on the
// values they hold.
#include "QtJsonComparison.h"
#include "json/JsonWriter.h"
#include "universe/StarfarerUniverse.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

namespace {

void checkUniverse(const QByteArray &bytes)
{
    static const UniverseFolder folder(QStringLiteral("/nonexistent-vostrel-fuzz"));
    QString error;
    const auto universe = StarfarerUniverse::decode(bytes, folder, &error);
    if (universe ? !error.isEmpty() : error.isEmpty())
        std::abort();
    if (universe) {
        // What was read must also be writable and read back the same.
        const QByteArray written = universe->encode();
        const auto again = StarfarerUniverse::decode(written, folder, &error);
        if (!again || again->toJson() != universe->toJson() || again->encode() != written)
            std::abort();
    }
}

void checkAgainstQt(const QByteArray &bytes)
{
    JsonParser::Error error;
    const std::optional<JsonValue> own = JsonParser::parse(bytes, &error);
    QJsonParseError qtError;
    const QJsonDocument qt = QJsonDocument::fromJson(bytes, &qtError);
    const bool qtAccepts = qtError.error == QJsonParseError::NoError;
    if (own && qtAccepts) {
        const QJsonValue qtValue = qt.isArray() ? QJsonValue(qt.array()) : QJsonValue(qt.object());
        if (!sameAsQt(*own, qtValue))
            std::abort();
        // The writer's text reads back as the same value.
        const std::optional<JsonValue> back = JsonParser::parse(JsonWriter::write(*own));
        if (!back || !(*back == *own))
            std::abort();
    } else if (!own && qtAccepts) {
        if (!qtIsKnownToBeLaxer(bytes, error))
            std::abort();
    } else if (own && !qtAccepts) {
        if (!ownIsKnownToBeWider(*own))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    checkUniverse(bytes);
    checkAgainstQt(bytes);
    return 0;
}
