#include "JsonParser.h"

#include <charconv>
#include <cstring>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Collects a key's code points as UTF-8.
struct Utf8Sink
{
    std::string &out;
    void append(char32_t c)
    {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
};

// Collects a string value's code points as UTF-16.
struct Utf16Sink
{
    std::u16string &out;
    void append(char32_t c)
    {
        if (c < 0x10000) {
            out += char16_t(c);
        } else {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
};

// Checks a string's text without keeping it.
struct DiscardingSink
{
    void append(char32_t) {}
};

} // namespace

JsonParser::JsonParser(QByteArrayView text, LoneSurrogates loneSurrogates)
    : m_begin(text.data()), m_pos(text.data()), m_end(text.data() + text.size()),
      m_loneSurrogates(loneSurrogates)
{}

std::optional<JsonValue> JsonParser::parse(QByteArrayView text, Error *error, LoneSurrogates loneSurrogates)
{
    JsonParser parser(text, loneSurrogates);
    try {
        parser.skipWhitespace();
        JsonValue value = parser.parseValue(0);
        parser.skipWhitespace();
        if (parser.m_pos != parser.m_end)
            parser.fail(parser.m_pos, "unexpected text after the value");
        return value;
    } catch (const Failure &failure) {
        if (error)
            *error = {qsizetype(failure.at - parser.m_begin), QString::fromLatin1(failure.reason)};
    }
    return std::nullopt;
}

void JsonParser::fail(const char *at, const char *reason) const
{
    throw Failure{at, reason};
}

void JsonParser::skipWhitespace()
{
    for (;;) {
        // Indented files are mostly line breaks followed by runs of spaces: the runs
        // are skipped several at a time.
        while (m_end - m_pos >= 8 && std::memcmp(m_pos, "        ", 8) == 0)
            m_pos += 8;
        if (m_end - m_pos >= 4 && std::memcmp(m_pos, "    ", 4) == 0)
            m_pos += 4;
        if (m_pos == m_end)
            return;
        const char c = *m_pos;
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
            return;
        ++m_pos;
    }
}

JsonValue JsonParser::parseValue(int depth)
{
    if (m_pos == m_end)
        fail(m_pos, "unexpected end of text");
    switch (*m_pos) {
    case '{': return parseObject(depth + 1);
    case '[': return parseArray(depth + 1);
    case '"': return parseString();
    case 't': parseLiteral("true"); return true;
    case 'f': parseLiteral("false"); return false;
    case 'n': parseLiteral("null"); return JsonValue();
    default:
        if (*m_pos == '-' || isDigit(*m_pos))
            return parseNumber();
        fail(m_pos, "unexpected character");
    }
}

void JsonParser::parseLiteral(const char *word)
{
    const std::size_t length = std::strlen(word);
    if (std::size_t(m_end - m_pos) < length || std::memcmp(m_pos, word, length) != 0)
        fail(m_pos, "unexpected character");
    m_pos += length;
}

// Walks the members of the object at m_pos; onMember(key, depth) reads each value.
template <typename OnMember> void JsonParser::readMembers(int depth, OnMember onMember)
{
    if (depth > maximumDepth)
        fail(m_pos, "too deeply nested");
    ++m_pos; // {
    skipWhitespace();
    if (m_pos != m_end && *m_pos == '}') {
        ++m_pos;
        return;
    }
    for (;;) {
        if (m_pos == m_end || *m_pos != '"')
            fail(m_pos, "expected a key");
        std::string key = parseKey();
        skipWhitespace();
        if (m_pos == m_end || *m_pos != ':')
            fail(m_pos, "expected ':' after a key");
        ++m_pos;
        skipWhitespace();
        onMember(std::move(key), depth);
        skipWhitespace();
        if (m_pos == m_end)
            fail(m_pos, "unexpected end of text in an object");
        if (*m_pos == '}')
            break;
        if (*m_pos != ',')
            fail(m_pos, "expected ',' or '}'");
        ++m_pos;
        skipWhitespace();
    }
    ++m_pos; // }
}

JsonValue JsonParser::parseObject(int depth)
{
    const std::size_t first = m_members.size();
    readMembers(depth, [this](std::string key, int memberDepth) {
        JsonValue value = parseValue(memberDepth);
        m_members.push_back(JsonMember{std::move(key), std::move(value)});
    });
    JsonObject object;
    object.reserve(qsizetype(m_members.size() - first));
    for (std::size_t i = first; i < m_members.size(); ++i)
        object.append(std::move(m_members[i].key), std::move(m_members[i].value));
    m_members.resize(first);
    object.removeDuplicateKeys();
    return object;
}

// Walks the elements of the array at m_pos; onElement(depth) reads each value.
template <typename OnElement> void JsonParser::readElements(int depth, OnElement onElement)
{
    if (depth > maximumDepth)
        fail(m_pos, "too deeply nested");
    ++m_pos; // [
    skipWhitespace();
    if (m_pos != m_end && *m_pos == ']') {
        ++m_pos;
        return;
    }
    for (;;) {
        onElement(depth);
        skipWhitespace();
        if (m_pos == m_end)
            fail(m_pos, "unexpected end of text in an array");
        if (*m_pos == ']')
            break;
        if (*m_pos != ',')
            fail(m_pos, "expected ',' or ']'");
        ++m_pos;
        skipWhitespace();
    }
    ++m_pos; // ]
}

JsonValue JsonParser::parseArray(int depth)
{
    const std::size_t first = m_elements.size();
    readElements(depth, [this](int elementDepth) { m_elements.push_back(parseValue(elementDepth)); });
    JsonArray array(std::make_move_iterator(m_elements.begin() + std::ptrdiff_t(first)),
                    std::make_move_iterator(m_elements.end()));
    m_elements.resize(first);
    return array;
}

JsonValue JsonParser::parseNumber()
{
    const char *start = m_pos;
    const char *p = m_pos;
    if (*p == '-')
        ++p;
    if (p == m_end || !isDigit(*p))
        fail(p, "a number needs a digit");
    if (*p == '0') {
        ++p;
        if (p != m_end && isDigit(*p))
            fail(p, "a number cannot start with 0");
    } else {
        while (p != m_end && isDigit(*p))
            ++p;
    }
    bool whole = true;
    if (p != m_end && *p == '.') {
        whole = false;
        ++p;
        if (p == m_end || !isDigit(*p))
            fail(p, "a decimal point needs a digit after it");
        while (p != m_end && isDigit(*p))
            ++p;
    }
    if (p != m_end && (*p == 'e' || *p == 'E')) {
        whole = false;
        ++p;
        if (p != m_end && (*p == '+' || *p == '-'))
            ++p;
        if (p == m_end || !isDigit(*p))
            fail(p, "an exponent needs a digit");
        while (p != m_end && isDigit(*p))
            ++p;
    }
    m_pos = p;
    // "-0" is a double so that its sign survives.
    const bool negativeZero = p - start == 2 && start[0] == '-' && start[1] == '0';
    if (whole && !negativeZero) {
        qint64 integer = 0;
        const auto [end, ec] = std::from_chars(start, p, integer);
        if (ec == std::errc() && end == p)
            return integer;
        // Beyond 64 bits: kept as the nearest double.
    }
    double number = 0.0;
    const auto [end, ec] = std::from_chars(start, p, number);
    if (ec != std::errc() || end != p)
        fail(start, "number out of range");
    return number;
}

unsigned JsonParser::readHex4()
{
    if (m_end - m_pos < 4)
        fail(m_pos, "an escape \\u needs four hexadecimal digits");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = m_pos[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            fail(m_pos + i, "an escape \\u needs four hexadecimal digits");
        value = value * 16 + digit;
    }
    m_pos += 4;
    return value;
}

char32_t JsonParser::decodeEscape()
{
    const char *start = m_pos;
    ++m_pos; // backslash
    if (m_pos == m_end)
        fail(m_pos, "unexpected end of text in a string");
    const char c = *m_pos++;
    switch (c) {
    case '"': return U'"';
    case '\\': return U'\\';
    case '/': return U'/';
    case 'b': return U'\b';
    case 'f': return U'\f';
    case 'n': return U'\n';
    case 'r': return U'\r';
    case 't': return U'\t';
    case 'u': break;
    default: fail(start, "unknown escape");
    }
    const unsigned unit = readHex4();
    const bool replace = m_loneSurrogates == LoneSurrogates::replace;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (replace)
            return U'\uFFFD';
        fail(start, "an escaped low surrogate without a high one");
    }
    if (unit < 0xD800 || unit > 0xDBFF)
        return char32_t(unit);
    // A high surrogate must be followed by an escaped low one; when it is replaced
    // instead, whatever follows it is read on its own.
    const char *afterHigh = m_pos;
    if (m_end - m_pos >= 6 && m_pos[0] == '\\' && m_pos[1] == 'u') {
        m_pos += 2;
        const unsigned low = readHex4();
        if (low >= 0xDC00 && low <= 0xDFFF)
            return char32_t(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    }
    if (!replace)
        fail(start, "an escaped high surrogate without a low one");
    m_pos = afterHigh;
    return U'\uFFFD';
}

char32_t JsonParser::decodeUtf8()
{
    const char *start = m_pos;
    const auto byte = [&](std::ptrdiff_t i) { return static_cast<unsigned char>(m_pos[i]); };
    const unsigned char lead = byte(0);
    int length;
    char32_t c;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        fail(start, "invalid UTF-8");
    }
    if (m_end - m_pos < length)
        fail(start, "invalid UTF-8");
    for (int i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            fail(start, "invalid UTF-8");
        c = (c << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, encoded surrogates and code points beyond Unicode are all invalid.
    if (c < minimum || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        fail(start, "invalid UTF-8");
    m_pos += length;
    return c;
}

template <typename Sink> void JsonParser::decodeString(Sink &out)
{
    for (;;) {
        if (m_pos == m_end)
            fail(m_pos, "unexpected end of text in a string");
        const auto c = static_cast<unsigned char>(*m_pos);
        if (c == '"') {
            ++m_pos;
            return;
        }
        if (c == '\\') {
            out.append(decodeEscape());
        } else if (c < 0x20) {
            fail(m_pos, "a control character in a string must be escaped");
        } else if (c < 0x80) {
            out.append(c);
            ++m_pos;
        } else {
            out.append(decodeUtf8());
        }
    }
}

// Most strings are plain ASCII: they are found by one scan and copied once.
static const char *endOfPlainText(const char *p, const char *end)
{
    while (p != end) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80)
            break;
        ++p;
    }
    return p;
}

QString JsonParser::parseString()
{
    const char *start = ++m_pos; // opening quote
    const char *plainEnd = endOfPlainText(m_pos, m_end);
    if (plainEnd != m_end && *plainEnd == '"') {
        m_pos = plainEnd + 1;
        return QString::fromLatin1(start, qsizetype(plainEnd - start));
    }
    m_text.assign(start, plainEnd);
    m_pos = plainEnd;
    Utf16Sink sink{m_text};
    decodeString(sink);
    return QString(reinterpret_cast<const QChar *>(m_text.data()), qsizetype(m_text.size()));
}

std::string JsonParser::parseKey()
{
    const char *start = ++m_pos; // opening quote
    const char *plainEnd = endOfPlainText(m_pos, m_end);
    std::string key(start, plainEnd);
    m_pos = plainEnd;
    if (plainEnd != m_end && *plainEnd == '"') {
        ++m_pos;
        return key;
    }
    Utf8Sink sink{key};
    decodeString(sink);
    return key;
}

std::optional<JsonObject> JsonParser::parseMembers(QByteArrayView text, bool (*keep)(std::string_view key),
                                                   Error *error)
{
    JsonParser parser(text);
    try {
        parser.skipWhitespace();
        if (parser.m_pos == parser.m_end || *parser.m_pos != '{')
            parser.fail(parser.m_pos, "expected an object");
        JsonObject object;
        parser.readMembers(1, [&](std::string key, int depth) {
            if (keep(key))
                object.insert(std::move(key), parser.parseValue(depth));
            else
                parser.skipValue(depth);
        });
        parser.skipWhitespace();
        if (parser.m_pos != parser.m_end)
            parser.fail(parser.m_pos, "unexpected text after the value");
        return object;
    } catch (const Failure &failure) {
        if (error)
            *error = {qsizetype(failure.at - parser.m_begin), QString::fromLatin1(failure.reason)};
    }
    return std::nullopt;
}

void JsonParser::skipValue(int depth)
{
    if (m_pos == m_end)
        fail(m_pos, "unexpected end of text");
    switch (*m_pos) {
    case '{':
        readMembers(depth + 1, [this](std::string, int memberDepth) { skipValue(memberDepth); });
        return;
    case '[': readElements(depth + 1, [this](int elementDepth) { skipValue(elementDepth); }); return;
    case '"': skipString(); return;
    default: parseValue(depth); // a number or a literal: nothing to build
    }
}

void JsonParser::skipString()
{
    ++m_pos; // opening quote
    m_pos = endOfPlainText(m_pos, m_end);
    DiscardingSink sink;
    decodeString(sink);
}
