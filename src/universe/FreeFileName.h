#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Names for the files the program makes beside another file: a name always fits the
// folder, and a free one is always found, whatever the folder already holds. A save
// must never fail for want of a name.

// The path in `folder` named `stem` followed by `tail`. Where that name is longer than
// the folder's file system allows (a universe reached through a link to a long-named
// file), `stem` is shortened by whole characters from its end until it fits: `tail`
// carries what tells the name's kind and stays whole.
QString fittedPath(const QString &folder, const QString &stem, const QString &tail);

// Makes a file under the first name `choose` gives that no other file has: `create`
// makes it under the name it is given, or fails with errno set. `copy` counts 1, 2, 3…
// for the first hundred tries and is drawn at random above that, so that a folder
// holding any number of the names tried still gives a free one at once. Returns the
// name, or nothing with errno set when `create` fails for another reason than a name
// taken.
std::optional<QString> createUnderFreeName(const std::function<QString(int copy)> &choose,
                                           const std::function<bool(const QByteArray &name)> &create);
