#pragma once

// Compares a value read by JsonParser with the value QJsonDocument reads from the same
// text. Numbers compare by value, as the two keep them differently: QJsonDocument
// turns every whole number ("1.0", "-0") into an integer, JsonParser keeps the form
// of the text.

#include "model/JsonParser.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

inline bool sameAsQt(const JsonValue &own, const QJsonValue &qt)
{
    switch (own.type()) {
    case JsonValue::Type::null: return qt.isNull();
    case JsonValue::Type::boolean: return qt.isBool() && qt.toBool() == own.toBool();
    case JsonValue::Type::integer:
        // Exact when QJsonDocument holds an integer too (its two fallbacks agree).
        return qt.isDouble() && qt.toInteger(0) == qt.toInteger(1) && qt.toInteger() == own.toInteger();
    case JsonValue::Type::floating: return qt.isDouble() && qt.toDouble() == own.toDouble();
    case JsonValue::Type::string: return qt.isString() && qt.toString() == *own.string();
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
        for (const JsonMember &member : members) {
            const auto found =
                qtMembers.constFind(QString::fromUtf8(member.key.data(), qsizetype(member.key.size())));
            if (found == qtMembers.constEnd() || !sameAsQt(member.value, *found))
                return false;
        }
        return true;
    }
    }
    return false;
}

// Whether JsonParser's rejection of text that QJsonDocument reads is one of the
// known ways in which QJsonDocument is laxer than the grammar: it takes control
// characters in strings, unpaired surrogates in escapes, numbers without digits
// around the decimal point (".5", "5.") and deeper nesting.
inline bool qtIsKnownToBeLaxer(QByteArrayView text, const JsonParser::Error &error)
{
    static const QStringList reasons{
        QStringLiteral("a control character in a string must be escaped"),
        QStringLiteral("an escaped low surrogate without a high one"),
        QStringLiteral("an escaped high surrogate without a low one"),
        QStringLiteral("a decimal point needs a digit after it"),
        QStringLiteral("too deeply nested"),
    };
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
