#pragma once

#include <QString>

// The files the program puts beside a file it writes or removes: the temporary file of
// an atomic write, and a removed file set aside until it is gone. They are named
// ".<target's name>.vostrel-<what for>-XXXXXX", six letters or digits: hidden, and of
// a form no user gives a copy, so that what a killed program left is told from the
// user's files by its name alone and removed at the next start. A target's name too
// long for that form is shortened in it.

// What one of those files is for.
enum class SaveLeftover {
    write,   // the new file of a write, until it takes its target's place
    removal, // a removed file, until it is gone
};

// A new name of that form beside `target`, drawn at random.
QString saveLeftoverName(const QString &target, SaveLeftover kind);
// Removes the left-overs in `folder`: regular files of that form, whatever their
// target, and nothing else, whatever its name or its bytes; links and folders stay.
// Only the one who alone writes in that folder may call this.
void removeSaveLeftovers(const QString &folder);
