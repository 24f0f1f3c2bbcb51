#pragma once

#include <QString>
#include <QtGlobal>

#include <chrono>
#include <optional>

// Where the saving of a document stands, for the views that show it: everything
// written, a write asked for or running, or the last write refused.
struct SaveState
{
    enum class Kind {
        clean,
        saving,
        failed,
    };

    Kind kind = Kind::clean;
    // When failed: "Failed to save StarfarerUniverse to <file>: <reason>".
    QString message;
    // When failed: the delay of the retry waiting to run, if one is.
    std::optional<std::chrono::milliseconds> nextRetry;
    // When settled: the newest save request (the number save() returned) whose edits
    // the write told of holds.
    quint64 holds = 0;

    // Whether the last write's outcome is known: nothing is being written.
    bool settled() const { return kind != Kind::saving; }
    // Whether this is the outcome of the write that holds the edits of save request
    // `request`: a view that asked for a save takes the first such outcome as its
    // own, never one of a write that began before its edit.
    bool settles(quint64 request) const { return settled() && holds >= request; }
    bool operator==(const SaveState &) const = default;
};
