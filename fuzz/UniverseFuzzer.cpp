// Feeds arbitrary bytes to the universe file reader. A universe either decodes whole
// or not at all; anything else (a crash, a sanitizer report, a half-made document)
// is a finding.
#include "universe/StarfarerUniverse.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const UniverseFolder folder(QStringLiteral("/nonexistent-vostrel-fuzz"));
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const auto universe = StarfarerUniverse::decode(bytes, folder, &error);
    if (universe ? !error.isEmpty() : error.isEmpty())
        std::abort();
    if (universe) {
        // What was read must also be writable and read back the same.
        const auto again = StarfarerUniverse::decode(universe->encode(), folder, &error);
        if (!again || again->toJson() != universe->toJson())
            std::abort();
    }
    return 0;
}
