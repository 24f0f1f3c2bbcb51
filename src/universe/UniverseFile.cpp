#include "UniverseFile.h"

#include "json/JsonWriter.h"

#include <new>

namespace {

// Drops a UTF-8 byte-order mark, which some editors put at the start of a file.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes)
{
    static const QByteArrayView mark("\xEF\xBB\xBF");
    return bytes.startsWith(mark) ? bytes.sliced(mark.size()) : bytes;
}

} // namespace

UniverseFile::Header UniverseFile::Header::fromJson(const JsonReader &reader)
{
    return {reader.required<QUuid>(QLatin1StringView("id")),
            reader.required<QString>(QLatin1StringView("name")), QString()};
}

JsonObject UniverseFile::Header::toJson() const
{
    return {{QLatin1StringView("id"), jsonValue(id)}, {QLatin1StringView("name"), name}};
}

UniverseFile::CheckedFile UniverseFile::check(UniverseFileReader::Contents contents)
{
    CheckedFile file{std::move(contents), std::nullopt, QString(), false};
    const QByteArray &bytes = file.contents.bytes;
    const QByteArrayView text = withoutByteOrderMark(bytes);
    try {
        // The systems are left as texts, to be decoded one at a time: the value of the
        // whole file is never held.
        JsonParser::Error parseError;
        file.outline = JsonParser::parseOutline(
            text, std::string_view(UniverseContents::kDataKey.data(), UniverseContents::kDataKey.size()),
            &parseError);
        // Offsets count from the start of the file, the byte-order mark included.
        if (!file.outline) {
            file.invalidReason = QStringLiteral("not valid JSON at offset %1: %2")
                                     .arg(parseError.offset + (bytes.size() - text.size()))
                                     .arg(parseError.reason);
        }
    } catch (const std::bad_alloc &) {
        file.invalidReason = QStringLiteral("not enough memory to read the universe");
        file.outOfMemory = true;
    }
    return file;
}

std::optional<UniverseFile::Header> UniverseFile::CheckedFile::header() const
{
    if (!outline || !outline->document.isObject())
        return std::nullopt;
    try {
        return Header::fromJson(JsonReader(*outline->document.object(), JsonPath()));
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

std::optional<UniverseFile::DecodedFile> UniverseFile::decodeChecked(const CheckedFile &file, QString *error)
{
    QString reason = file.invalidReason;
    try {
        if (file.outline && !file.outline->document.isObject()) {
            reason = QStringLiteral("the file does not hold a JSON object");
        } else if (file.outline) {
            DecodedFile decoded{
                UniverseContents::fromJson(JsonReader(*file.outline->document.object(), JsonPath()),
                                           file.outline->elements),
                {},
                {},
                {file.contents.stamp, file.header()}};
            decoded.contents.relinkRutterFactions();
            decoded.contents.relinkWorldFactions(); // decodes the worlds' legacy faction records
            decoded.index.rebuild(decoded.contents.data);
            decoded.rutterIndex.rebuild(decoded.contents.rutters);
            return decoded;
        }
    } catch (const DecodeError &decodeError) {
        reason = decodeError.text();
    } catch (const std::bad_alloc &) {
        reason = QStringLiteral("not enough memory to read the universe");
    }
    if (error)
        *error = reason;
    return std::nullopt;
}

std::optional<UniverseFile::DecodedFile> UniverseFile::decodeFile(const QString &path, QString *error,
                                                                  const std::atomic<bool> *abandoned)
{
    const auto goOn = [&] {
        if (abandoned && abandoned->load()) {
            if (error)
                *error = QStringLiteral("abandoned");
            return false;
        }
        return true;
    };
    if (!goOn())
        return std::nullopt;
    std::optional<UniverseFileReader::Contents> contents = UniverseFileReader::read(path, error);
    if (!contents || !goOn())
        return std::nullopt;
    // The bytes and their outline are dropped here, on the decoding thread.
    const CheckedFile file = check(std::move(*contents));
    if (!goOn())
        return std::nullopt;
    return decodeChecked(file, error);
}

QByteArray UniverseFile::encode(const UniverseContents &contents)
{
    QByteArray bytes;
    contents.writeJson([&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}
