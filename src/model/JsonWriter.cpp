#include "JsonWriter.h"

#include "DecodeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>

QByteArray JsonWriter::write(const JsonValue &value)
{
    JsonWriter writer;
    writer.writeValue(value, 0);
    writer.m_out.append('\n');
    return writer.m_out;
}

void JsonWriter::writeIndent(int indent)
{
    static constexpr char spaces[] = "                                                                ";
    for (qsizetype left = qsizetype(indent) * 4; left > 0; left -= sizeof spaces - 1)
        m_out.append(spaces, std::min<qsizetype>(left, sizeof spaces - 1));
}

void JsonWriter::writeValue(const JsonValue &value, int indent)
{
    char buffer[32];
    switch (value.type()) {
    case JsonValue::Type::null: m_out.append("null"); return;
    case JsonValue::Type::boolean: m_out.append(value.toBool() ? "true" : "false"); return;
    case JsonValue::Type::integer: {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.toInteger());
        m_out.append(buffer, result.ptr - buffer);
        return;
    }
    case JsonValue::Type::floating: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            throw EncodeError(QStringLiteral("a number that is not finite cannot be stored"));
        // The shortest text that reads back as exactly this double.
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
        m_out.append(buffer, result.ptr - buffer);
        return;
    }
    case JsonValue::Type::string: writeString(*value.string()); return;
    case JsonValue::Type::array: writeArray(*value.array(), indent); return;
    case JsonValue::Type::object: writeObject(*value.object(), indent); return;
    }
}

void JsonWriter::writeObject(const JsonObject &object, int indent)
{
    if (object.isEmpty()) {
        m_out.append("{}");
        return;
    }
    std::vector<const JsonMember *> members;
    members.reserve(std::size_t(object.size()));
    for (const JsonMember &member : object)
        members.push_back(&member);
    // Byte order of UTF-8 is code point order.
    std::sort(members.begin(), members.end(),
              [](const JsonMember *a, const JsonMember *b) { return a->key < b->key; });
    m_out.append("{\n");
    for (std::size_t i = 0; i < members.size(); ++i) {
        writeIndent(indent + 1);
        writeKey(members[i]->key);
        m_out.append(": ");
        writeValue(members[i]->value, indent + 1);
        m_out.append(i + 1 < members.size() ? ",\n" : "\n");
    }
    writeIndent(indent);
    m_out.append('}');
}

void JsonWriter::writeArray(const JsonArray &array, int indent)
{
    if (array.empty()) {
        m_out.append("[]");
        return;
    }
    m_out.append("[\n");
    for (std::size_t i = 0; i < array.size(); ++i) {
        writeIndent(indent + 1);
        writeValue(array[i], indent + 1);
        m_out.append(i + 1 < array.size() ? ",\n" : "\n");
    }
    writeIndent(indent);
    m_out.append(']');
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

void appendEscaped(QByteArray &out, char32_t c)
{
    if (const char *escape = shortEscape(c)) {
        out.append(escape);
        return;
    }
    static const char digits[] = "0123456789abcdef";
    const char text[6] = {'\\', 'u', '0', '0', digits[(c >> 4) & 0xF], digits[c & 0xF]};
    out.append(text, 6);
}

void appendUtf8(QByteArray &out, char32_t c)
{
    char bytes[4];
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
    out.append(bytes, length);
}

bool needsEscape(char32_t c)
{
    return c < 0x20 || c == U'"' || c == U'\\';
}

} // namespace

void JsonWriter::writeString(const QString &text)
{
    m_out.append('"');
    const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *end = p + text.size();
    while (p != end) {
        // Runs of plain ASCII are copied in one go.
        const char16_t *run = p;
        while (p != end && *p < 0x80 && !needsEscape(*p))
            ++p;
        if (p != run) {
            const qsizetype start = m_out.size();
            m_out.resize(start + (p - run));
            char *out = m_out.data() + start;
            for (const char16_t *q = run; q != p; ++q)
                *out++ = char(*q);
        }
        if (p == end)
            break;
        const char16_t unit = *p++;
        if (unit < 0x80) {
            appendEscaped(m_out, unit);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && p != end && *p >= 0xDC00 && *p <= 0xDFFF) {
            appendUtf8(m_out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(*p) - 0xDC00));
            ++p;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(m_out, 0xFFFD);
        } else {
            appendUtf8(m_out, unit);
        }
    }
    m_out.append('"');
}

void JsonWriter::writeKey(const std::string &key)
{
    // Keys are valid UTF-8 already (from the parser, or from Latin-1 in the code).
    m_out.append('"');
    const bool plain = std::none_of(key.cbegin(), key.cend(),
                                    [](char c) { return needsEscape(static_cast<unsigned char>(c)); });
    if (plain) {
        m_out.append(key.data(), qsizetype(key.size()));
    } else {
        for (const char c : key) {
            if (needsEscape(static_cast<unsigned char>(c)))
                appendEscaped(m_out, static_cast<unsigned char>(c));
            else
                m_out.append(c);
        }
    }
    m_out.append('"');
}
