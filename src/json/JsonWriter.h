#pragma once

#include "JsonValue.h"

#include <QByteArray>

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
    static QByteArray write(const JsonValue &value);

private:
    void writeValue(const JsonValue &value, int indent);
    void writeObject(const JsonObject &object, int indent);
    void writeArray(const JsonArray &array, int indent);
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
