#pragma once

#include <QString>

#include <functional>

class QRegularExpression;

// The files the program puts beside a file it writes or removes: the temporary file of
// an atomic write, and a removed file set aside until it is gone. They are named
// ".<target's name>.vostrel-<what for>-XXXXXX", six letters or digits: hidden, and of
// a form no user gives a copy, so that what a killed program left is told from the
// user's files and removed at the next start.

// What one of those files is for.
enum class SaveLeftover {
    write,   // the new file of a write, until it takes its target's place
    removal, // a removed file, until it is gone
};

// A new name of that form beside `target`, drawn at random.
QString saveLeftoverName(const QString &target, SaveLeftover kind);
// Removes the regular files in `folder` whose names match `pattern` and, when given,
// that `removable` accepts; links and folders stay.
void removeFilesMatching(const QString &folder, const QRegularExpression &pattern,
                         const std::function<bool(const QString &path)> &removable = {});
// Removes the left-overs in `folder`: regular files of that form, whatever their
// target, and nothing else. Only the one who alone writes in that folder may call this.
void removeSaveLeftovers(const QString &folder);
