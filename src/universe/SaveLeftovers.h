#pragma once

#include <QString>

// Atomic writes (AtomicFileWriter, and QSaveFile for the settings) put their new file
// beside its target as "<target>.XXXXXX", six letters or digits, and a write killed
// midway leaves it there.

// A new name of that form beside `target`, drawn at random.
QString saveLeftoverName(const QString &target);
// Removes the left-overs in `folder`: regular files of that form whose target's name
// matches `target`, a regular expression of the whole name, and nothing else. Only
// the one who alone writes those targets may call this.
void removeSaveLeftovers(const QString &folder, const QString &target);
