#pragma once

// Helpers shared by the record tests: build records from JSON text and catch the
// key path at which reading fails.

#include "json/DecodeError.h"
#include "json/Json.h"

#include "JsonTestSupport.h"
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

inline JsonObject parseObject(const char *json)
{
    return parseJsonObject(json);
}

template <typename T> T decodeRecord(const char *json)
{
    return readJson<T>(JsonValue(parseObject(json)));
}

template <typename T> T decodeRecord(const JsonObject &object)
{
    return readJson<T>(JsonValue(object));
}

// The key path of the error that reading the object raises, or no value when it reads.
template <typename T> std::optional<QString> decodeFailurePath(const JsonObject &object)
{
    try {
        readJson<T>(JsonValue(object));
    } catch (const DecodeError &error) {
        return error.path();
    }
    return std::nullopt;
}

template <typename T> std::optional<QString> decodeFailurePath(const char *json)
{
    return decodeFailurePath<T>(parseObject(json));
}

inline QStringList sortedKeys(const JsonObject &object)
{
    QStringList keys = object.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

inline QStringList sortedKeyList(std::initializer_list<const char *> keys)
{
    QStringList list;
    for (const char *key : keys)
        list.append(QString::fromLatin1(key));
    std::sort(list.begin(), list.end());
    return list;
}

template <typename Iterator> QStringList sortedKeyList(Iterator first, Iterator last)
{
    QStringList list;
    for (; first != last; ++first)
        list.append(QString::fromLatin1(*first));
    std::sort(list.begin(), list.end());
    return list;
}
