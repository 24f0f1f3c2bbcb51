#pragma once

#include "WorkerPools.h"
#include "json/Json.h"
#include "json/JsonParser.h"

#include <QtConcurrent/QtConcurrentMap>

#include <exception>
#include <optional>
#include <vector>

// Reads the elements of a long JSON array on all cores. The elements are independent
// (the systems of a universe), so each is decoded on its own, as one of the parts
// that partsPool() runs (the reading itself often runs as a job); the result and any
// error are exactly those of reading the elements one after the other: the list in
// array order, or the error of the first element in array order that fails, whatever
// its kind (a DecodeError with its key path, or an allocation failure).
class ParallelListReader
{
public:
    template <typename T> using ElementReader = T (*)(const JsonValue &, const JsonPath &);

    // Below this many elements handing work to other threads costs more than it saves.
    static constexpr std::size_t kParallelThreshold = 64;

    template <typename T>
    static QList<T> read(const JsonValue &value, const JsonPath &path,
                         ElementReader<T> readElement = &JsonCodec<T>::read)
    {
        const JsonArray *array = value.array();
        if (!array)
            json_detail::wrongType(value, path, "an array");
        return readEach<T>(array->size(), path, [&](std::size_t index, const JsonPath &at) {
            return readElement((*array)[index], at);
        });
    }

    // The elements given as their texts, checked already (JsonParser::parseOutline):
    // each is parsed where it is decoded and its value dropped straight away, so that
    // only the few elements being decoded are ever held as values.
    template <typename T>
    static QList<T> readTexts(const std::vector<QByteArrayView> &texts, const JsonPath &path,
                              ElementReader<T> readElement = &JsonCodec<T>::read)
    {
        return readEach<T>(texts.size(), path, [&](std::size_t index, const JsonPath &at) {
            JsonParser::Error error;
            const std::optional<JsonValue> value = JsonParser::parse(texts[index], &error);
            if (!value)
                at.fail(error.reason);
            return readElement(*value, at);
        });
    }

private:
    // `readAt(index, path)` reads the element at `index`, whose key path is `path`.
    template <typename T, typename ReadAt>
    static QList<T> readEach(std::size_t count, const JsonPath &path, ReadAt readAt)
    {
        struct Slot
        {
            std::optional<T> element;
            std::exception_ptr error;
        };
        std::vector<Slot> results(count);
        // Every exception stays in its slot: none may escape a worker thread.
        const auto decodeSlot = [&](Slot &slot) {
            const std::size_t index = std::size_t(&slot - results.data());
            try {
                slot.element.emplace(readAt(index, JsonPath(&path, qsizetype(index))));
            } catch (...) {
                slot.error = std::current_exception();
            }
        };
        if (results.size() < kParallelThreshold) {
            for (Slot &slot : results)
                decodeSlot(slot);
        } else {
            QtConcurrent::blockingMap(partsPool(), results, decodeSlot);
        }

        QList<T> result;
        result.reserve(qsizetype(results.size()));
        for (Slot &slot : results) {
            if (slot.error)
                std::rethrow_exception(slot.error);
            result.append(std::move(*slot.element));
        }
        return result;
    }
};
