#pragma once

#include "SyntheticUniverses.h"

#include <QString>
#include <QUuid>

class UniverseFolder;

// A universe of a shape, made and saved once per process in a folder of its own, so
// that every benchmark that opens one as the program does reads the same file. What
// making it took is handed back to the system before anything is measured.
struct SavedUniverse
{
    QString path;
    QUuid id;
    QString name;
    double fileMB = 0;
    double madeInSeconds = 0; // filling the universe, before it was written
};

const SavedUniverse &savedUniverse(UniverseShape shape);

// Puts a copy of the shape's file among `folder`'s universes, under the same id.
void copySavedUniverse(UniverseShape shape, const UniverseFolder &folder);
