#include "JsonWriter.h"

#include "DecodeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

QByteArray JsonWriter::write(const JsonValue &value)
{
    JsonWriter writer;
    writer.writeValue(value, 0);
    writer.put('\n');
    writer.m_out.truncate(writer.m_used);
    return writer.m_out;
}

char *JsonWriter::space(qsizetype count)
{
    // The buffer is grown ahead and filled through a pointer: QByteArray's own
    // append checks sharing and capacity on every call, which a document of many
    // megabytes made of short pieces pays millions of times.
    if (m_out.size() - m_used < count)
        m_out.resize(std::max(2 * m_out.size(), m_used + count + 4096));
    char *at = m_out.data() + m_used;
    m_used += count;
    return at;
}

void JsonWriter::put(const char *text, qsizetype length)
{
    std::memcpy(space(length), text, std::size_t(length));
}

void JsonWriter::put(const char *text)
{
    put(text, qsizetype(std::strlen(text)));
}

void JsonWriter::put(char c)
{
    *space(1) = c;
}

void JsonWriter::writeIndent(int indent)
{
    static constexpr char spaces[] = "                                                                ";
    for (qsizetype left = qsizetype(indent) * 2; left > 0; left -= sizeof spaces - 1)
        put(spaces, std::min<qsizetype>(left, sizeof spaces - 1));
}

void JsonWriter::writeValue(const JsonValue &value, int indent)
{
    char buffer[32];
    switch (value.type()) {
    case JsonValue::Type::null: put("null"); return;
    case JsonValue::Type::boolean: put(value.toBool() ? "true" : "false"); return;
    case JsonValue::Type::integer: {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.toInteger());
        put(buffer, result.ptr - buffer);
        return;
    }
    case JsonValue::Type::floating: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            throw EncodeError(QStringLiteral("a number that is not finite cannot be stored"));
        // The shortest text that reads back as exactly this double.
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
        put(buffer, result.ptr - buffer);
        return;
    }
    case JsonValue::Type::string: writeString(*value.string()); return;
    case JsonValue::Type::array: writeArray(*value.array(), indent); return;
    case JsonValue::Type::object: writeObject(*value.object(), indent); return;
    }
}

void JsonWriter::writeObject(const JsonObject &object, int indent)
{
    writeMembers(object, indent, [this](const JsonMember &member, int memberIndent) {
        writeValue(member.value, memberIndent);
    });
}

template <typename WriteMember>
void JsonWriter::writeMembers(const JsonObject &object, int indent, WriteMember writeMember)
{
    if (object.isEmpty()) {
        put("{}");
        return;
    }
    std::vector<const JsonMember *> members;
    members.reserve(std::size_t(object.size()));
    for (const JsonMember &member : object)
        members.push_back(&member);
    // Byte order of UTF-8 is code point order.
    std::sort(members.begin(), members.end(), [](const JsonMember *a, const JsonMember *b) {
        // Most keys differ in their first byte: settled without a full comparison.
        const std::string &x = a->key;
        const std::string &y = b->key;
        if (!x.empty() && !y.empty() && x[0] != y[0])
            return static_cast<unsigned char>(x[0]) < static_cast<unsigned char>(y[0]);
        return x < y;
    });
    put("{\n");
    for (std::size_t i = 0; i < members.size(); ++i) {
        writeIndent(indent + 1);
        writeKey(members[i]->key);
        put(": ");
        writeMember(*members[i], indent + 1);
        put(i + 1 < members.size() ? ",\n" : "\n");
    }
    writeIndent(indent);
    put('}');
}

void JsonWriter::writeArray(const JsonArray &array, int indent)
{
    writeElements(qsizetype(array.size()), indent, [&](qsizetype i, int elementIndent) {
        writeValue(array[std::size_t(i)], elementIndent);
        return true;
    });
}

template <typename WriteElement>
void JsonWriter::writeElements(qsizetype count, int indent, WriteElement writeElement)
{
    if (count == 0) {
        put("[]");
        return;
    }
    put("[\n");
    for (qsizetype i = 0; i < count; ++i) {
        writeIndent(indent + 1);
        if (!writeElement(i, indent + 1))
            return;
        put(i + 1 < count ? ",\n" : "\n");
    }
    writeIndent(indent);
    put(']');
}

bool JsonWriter::streamed(JsonObject object, const StreamedArray &array, const Output &output)
{
    // A stand-in member puts the array among the others in key order.
    object.insert(array.key, JsonValue());
    const JsonValue *standIn = object.find(std::string_view(array.key));
    JsonWriter writer;
    bool refused = false;
    writer.writeMembers(object, 0, [&](const JsonMember &member, int indent) {
        if (&member.value != standIn) {
            writer.writeValue(member.value, indent);
            return;
        }
        writer.writeElements(array.count, indent, [&](qsizetype i, int elementIndent) {
            writer.writeValue(array.element(i), elementIndent);
            refused = !writer.handOver(output, kPieceSize);
            return !refused;
        });
    });
    if (refused)
        return false;
    writer.put('\n');
    return writer.handOver(output, 1);
}

bool JsonWriter::handOver(const Output &output, qsizetype atLeast)
{
    if (m_used < atLeast)
        return true;
    const bool taken = output(QByteArrayView(m_out.constData(), m_used));
    m_used = 0;
    return taken;
}

namespace {

// The escape for a character JSON does not allow as itself, or null.
const char *shortEscape(char32_t c)
{
    switch (c) {
    case U'"': return "\\\"";
    case U'\\': return "\\\\";
    case U'\b': return "\\b";
    case U'\f': return "\\f";
    case U'\n': return "\\n";
    case U'\r': return "\\r";
    case U'\t': return "\\t";
    default: return nullptr;
    }
}

// The escape of a character below U+0080 that JSON does not allow as itself.
int escaped(char32_t c, char *text)
{
    if (const char *escape = shortEscape(c)) {
        text[0] = escape[0];
        text[1] = escape[1];
        return 2;
    }
    static const char digits[] = "0123456789abcdef";
    const char unicode[6] = {'\\', 'u', '0', '0', digits[(c >> 4) & 0xF], digits[c & 0xF]};
    std::memcpy(text, unicode, 6);
    return 6;
}

// The UTF-8 bytes of a character beyond U+007F.
int utf8(char32_t c, char *bytes)
{
    int length;
    if (c < 0x800) {
        bytes[0] = char(0xC0 | (c >> 6));
        bytes[1] = char(0x80 | (c & 0x3F));
        length = 2;
    } else if (c < 0x10000) {
        bytes[0] = char(0xE0 | (c >> 12));
        bytes[1] = char(0x80 | ((c >> 6) & 0x3F));
        bytes[2] = char(0x80 | (c & 0x3F));
        length = 3;
    } else {
        bytes[0] = char(0xF0 | (c >> 18));
        bytes[1] = char(0x80 | ((c >> 12) & 0x3F));
        bytes[2] = char(0x80 | ((c >> 6) & 0x3F));
        bytes[3] = char(0x80 | (c & 0x3F));
        length = 4;
    }
    return length;
}

bool needsEscape(char32_t c)
{
    return c < 0x20 || c == U'"' || c == U'\\';
}

} // namespace

void JsonWriter::writeString(const QString &text)
{
    put('"');
    char bytes[8];
    const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *end = p + text.size();
    while (p != end) {
        // Runs of plain ASCII are copied in one go.
        const char16_t *run = p;
        while (p != end && *p < 0x80 && !needsEscape(*p))
            ++p;
        if (p != run) {
            char *out = space(p - run);
            for (const char16_t *q = run; q != p; ++q)
                *out++ = char(*q);
        }
        if (p == end)
            break;
        const char16_t unit = *p++;
        if (unit < 0x80) {
            put(bytes, escaped(unit, bytes));
        } else if (unit >= 0xD800 && unit <= 0xDBFF && p != end && *p >= 0xDC00 && *p <= 0xDFFF) {
            put(bytes, utf8(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(*p) - 0xDC00), bytes));
            ++p;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            put(bytes, utf8(0xFFFD, bytes));
        } else {
            put(bytes, utf8(unit, bytes));
        }
    }
    put('"');
}

void JsonWriter::writeKey(const std::string &key)
{
    // Keys are valid UTF-8 already (from the parser, or from Latin-1 in the code).
    put('"');
    char bytes[8];
    const bool plain = std::none_of(key.cbegin(), key.cend(),
                                    [](char c) { return needsEscape(static_cast<unsigned char>(c)); });
    if (plain) {
        put(key.data(), qsizetype(key.size()));
    } else {
        for (const char c : key) {
            if (needsEscape(static_cast<unsigned char>(c)))
                put(bytes, escaped(static_cast<unsigned char>(c), bytes));
            else
                put(c);
        }
    }
    put('"');
}
