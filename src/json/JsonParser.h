#pragma once

#include "JsonValue.h"

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads JSON text (RFC 8259) into a JsonValue, strictly: the text must be valid UTF-8,
// numbers and escapes must follow the grammar exactly, and nothing but white space may
// follow the value. Integers are kept exactly when they fit in 64 bits; other numbers
// become doubles, and a number too large or too small for a double is an error rather
// than an infinity or a silent zero. Of members with the same key, the last one wins.
// Nesting is limited so that a hostile file cannot exhaust the stack. On any error
// nothing is returned: there is never a partly read value.
class JsonParser
{
public:
    struct Error
    {
        qsizetype offset = 0; // bytes from the start of the text
        QString reason;
    };

    static constexpr int maximumDepth = 512;

    // What an escaped surrogate without its partner ("\ud800" alone) does. The JSON
    // grammar allows one, but no valid text holds it: files are rejected for it,
    // while a web service's answer may have each replaced with U+FFFD, so that one
    // damaged name does not make the whole answer unreadable.
    enum class LoneSurrogates { reject, replace };

    static std::optional<JsonValue> parse(QByteArrayView text, Error *error = nullptr,
                                          LoneSurrogates loneSurrogates = LoneSurrogates::reject);
    // Reads a text whose value must be an object, as strictly as parse(), but builds
    // only the top-level members whose key `keep` accepts: the other values are
    // checked and passed over without building anything, so that reading a few small
    // members of a large document costs no memory for the rest.
    static std::optional<JsonObject> parseMembers(QByteArrayView text, bool (*keep)(std::string_view key),
                                                  Error *error = nullptr);

private:
    explicit JsonParser(QByteArrayView text, LoneSurrogates loneSurrogates = LoneSurrogates::reject);

    struct Failure
    {
        const char *at;
        const char *reason;
    };

    JsonValue parseValue(int depth);
    JsonValue parseObject(int depth);
    JsonValue parseArray(int depth);
    JsonValue parseNumber();
    // Check a value (or an object's members) without building it.
    void skipValue(int depth);
    template <typename OnMember> void readMembers(int depth, OnMember onMember);
    template <typename OnElement> void readElements(int depth, OnElement onElement);
    void skipString();
    QString parseString();
    std::string parseKey();
    void parseLiteral(const char *word);
    // Decodes a string's text that holds escapes or bytes beyond ASCII, up to and
    // including the closing quote, appending code points to `out`.
    template <typename Sink> void decodeString(Sink &out);
    char32_t decodeEscape();
    char32_t decodeUtf8();
    unsigned readHex4();
    void skipWhitespace();
    [[noreturn]] void fail(const char *at, const char *reason) const;

    const char *m_begin;
    const char *m_pos;
    const char *m_end;
    LoneSurrogates m_loneSurrogates;
    // Scratch stacks shared by all nesting levels: members and elements are gathered
    // here and moved into an exactly sized vector when their container closes.
    std::vector<JsonMember> m_members;
    std::vector<JsonValue> m_elements;
    std::u16string m_text;
};
