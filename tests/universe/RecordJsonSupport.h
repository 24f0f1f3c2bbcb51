#pragma once

// Helpers shared by the record tests: build records from JSON text and catch the
// key path at which reading fails.

#include "model/DecodeError.h"
#include "model/Json.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

inline QJsonObject parseObject(const char *json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    EXPECT_TRUE(document.isObject()) << json;
    return document.object();
}

template <typename T> T decodeRecord(const char *json)
{
    return readJson<T>(QJsonValue(parseObject(json)));
}

template <typename T> T decodeRecord(const QJsonObject &object)
{
    return readJson<T>(QJsonValue(object));
}

// The key path of the error that reading the object raises, or no value when it reads.
template <typename T> std::optional<QString> decodeFailurePath(const QJsonObject &object)
{
    try {
        readJson<T>(QJsonValue(object));
    } catch (const DecodeError &error) {
        return error.path();
    }
    return std::nullopt;
}

template <typename T> std::optional<QString> decodeFailurePath(const char *json)
{
    return decodeFailurePath<T>(parseObject(json));
}

inline QStringList sortedKeys(const QJsonObject &object)
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
