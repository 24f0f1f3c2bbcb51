#pragma once

#include <QString>

// Removes what atomic writes (QSaveFile) killed mid-write left in `folder`: regular
// files named "<target>.XXXXXX" (six letters or digits) whose target's name matches
// `target`, a regular expression of the whole name, and nothing else. Only the one
// who alone writes those targets may call this.
void removeSaveLeftovers(const QString &folder, const QString &target);
