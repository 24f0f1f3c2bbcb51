#pragma once

#include <QString>

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

    // Whether the last write's outcome is known: nothing is being written.
    bool settled() const { return kind != Kind::saving; }
    bool operator==(const SaveState &) const = default;
};
