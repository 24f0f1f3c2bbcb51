#pragma once

#include "JsonValue.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <string>

// Writes a JsonValue as UTF-8 JSON text, indented by two spaces with object keys in
// sorted order, so that saving the same document twice gives the same bytes. Every
// double is written in the shortest form that reads back to exactly the same double;
// a double that is not finite has no JSON form and throws EncodeError. Strings are
// written as UTF-8 with only the characters JSON requires escaped; an unpaired
// surrogate (which no valid text holds) is written as U+FFFD so that the file stays
// readable.
class JsonWriter
{
public:
    // Takes the next piece of the text; false stops the writing.
    using Output = std::function<bool(QByteArrayView piece)>;
    // The array that streamed() writes, one element at a time.
    struct StreamedArray
    {
        std::string key; // UTF-8, not a key of the object it is written into
        qsizetype count = 0;
        std::function<JsonValue(qsizetype index)> element;
    };

    // Texts at least this long are handed to streamed()'s output as one piece.
    static constexpr qsizetype kPieceSize = qsizetype(1) << 20;

    static QByteArray write(const JsonValue &value);
    // The text write() gives for `object` with the array as one more member, made
    // and handed to `output` piece by piece: each element is made only when it is
    // written and dropped afterwards, so neither the whole value nor the whole text
    // is ever held. False when the output refused a piece (nothing more is made).
    static bool streamed(JsonObject object, const StreamedArray &array, const Output &output);

private:
    void writeValue(const JsonValue &value, int indent);
    void writeObject(const JsonObject &object, int indent);
    // `writeMember(member, indent)` writes each member's value, keys in sorted order.
    template <typename WriteMember>
    void writeMembers(const JsonObject &object, int indent, WriteMember writeMember);
    void writeArray(const JsonArray &array, int indent);
    // `writeElement(index, indent)` writes each of `count` elements; false stops.
    template <typename WriteElement>
    void writeElements(qsizetype count, int indent, WriteElement writeElement);
    // Hands the text so far to the output once it makes a piece; false when refused.
    bool handOver(const Output &output, qsizetype atLeast);
    void writeString(const QString &text);
    void writeKey(const std::string &key);
    void writeIndent(int indent);
    // Room for `count` more bytes at the end of the text.
    char *space(qsizetype count);
    void put(const char *text, qsizetype length);
    void put(const char *text);
    void put(char c);

    QByteArray m_out; // the text so far is its first m_used bytes
    qsizetype m_used = 0;
};
