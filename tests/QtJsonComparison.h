#pragma once

// Compares a value read by JsonParser with the value QJsonDocument reads from the same
// text. Numbers compare by value, as the two keep them differently: QJsonDocument
// turns every whole number ("1.0", "-0") into an integer, JsonParser keeps the form
// of the text. QJsonDocument also drops a byte-order mark (U+FEFF, unescaped) at the
// start of a string or key, which JsonParser keeps as the text's first character.

#include "json/JsonParser.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

inline bool sameTextAsQt(const QString &own, const QString &qt)
{
    return own == qt || (own.startsWith(QChar(0xFEFF)) && QStringView(own).sliced(1) == qt);
}

inline bool sameAsQt(const JsonValue &own, const QJsonValue &qt)
{
    switch (own.type()) {
    case JsonValue::Type::null: return qt.isNull();
    case JsonValue::Type::boolean: return qt.isBool() && qt.toBool() == own.toBool();
    case JsonValue::Type::integer:
        // Exact when QJsonDocument holds an integer too (its two fallbacks agree).
        return qt.isDouble() && qt.toInteger(0) == qt.toInteger(1) && qt.toInteger() == own.toInteger();
    case JsonValue::Type::floating: return qt.isDouble() && qt.toDouble() == own.toDouble();
    case JsonValue::Type::string: return qt.isString() && sameTextAsQt(*own.string(), qt.toString());
    case JsonValue::Type::array: {
        const JsonArray &elements = *own.array();
        const QJsonArray qtElements = qt.toArray();
        if (!qt.isArray() || qsizetype(elements.size()) != qtElements.size())
            return false;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (!sameAsQt(elements[i], qtElements.at(qsizetype(i))))
                return false;
        }
        return true;
    }
    case JsonValue::Type::object: {
        const JsonObject &members = *own.object();
        const QJsonObject qtMembers = qt.toObject();
        if (!qt.isObject() || members.size() != qtMembers.size())
            return false;
        // Matched through iteration: QJsonObject cannot look up a key whose raw text
        // starts with U+FEFF, although it lists it (without the mark).
        QHash<QString, QJsonValue> qtByKey;
        for (auto it = qtMembers.begin(); it != qtMembers.end(); ++it)
            qtByKey.insert(it.key(), it.value());
        for (const JsonMember &member : members) {
            // fromUtf8 drops a leading U+FEFF as QJsonObject's key listing does.
            const auto found =
                qtByKey.constFind(QString::fromUtf8(member.key.data(), qsizetype(member.key.size())));
            if (found == qtByKey.constEnd() || !sameAsQt(member.value, *found))
                return false;
        }
        return true;
    }
    }
    return false;
}

// Whether JsonParser's rejection of text that QJsonDocument reads is one of the
// known ways in which QJsonDocument is laxer than the grammar: it takes control
// characters in strings, unknown escapes ("\y"), unpaired surrogates in escapes,
// numbers without digits around the decimal point (".5", "5."), deeper nesting and a
// byte-order mark before the document.
inline bool qtIsKnownToBeLaxer(QByteArrayView text, const JsonParser::Error &error)
{
    if (error.offset == 0 && text.startsWith("\xEF\xBB\xBF"))
        return true;
    static const QStringList reasons{QStringLiteral("a control character in a string must be escaped"),
                                     QStringLiteral("unknown escape"),
                                     QStringLiteral("an escaped low surrogate without a high one"),
                                     QStringLiteral("an escaped high surrogate without a low one"),
                                     QStringLiteral("a decimal point needs a digit after it"),
                                     QStringLiteral("too deeply nested")};
    if (reasons.contains(error.reason))
        return true;
    return error.offset < text.size() && text[error.offset] == '.';
}

// Whether JsonParser's acceptance of text that QJsonDocument rejects is known:
// QJsonDocument only reads arrays and objects at the top.
inline bool ownIsKnownToBeWider(const JsonValue &value)
{
    return !value.isArray() && !value.isObject();
}
