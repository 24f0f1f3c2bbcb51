#include "SavedUniverses.h"

#include "universe/StarfarerUniverse.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <malloc.h>

#include <chrono>
#include <map>

const SavedUniverse &savedUniverse(UniverseShape shape)
{
    static QTemporaryDir documents;
    static std::map<UniverseShape, SavedUniverse> saved;
    auto found = saved.find(shape);
    if (found != saved.end())
        return found->second;
    SavedUniverse made;
    {
        StarfarerUniverse universe{UniverseFolder(documents.path())};
        const auto start = std::chrono::steady_clock::now();
        fillUniverse(universe, shape);
        made.madeInSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!universe.saveNow())
            qFatal("The benchmark universe could not be saved in %s", qPrintable(documents.path()));
        made.path = universe.filePath();
        made.id = universe.id();
        made.name = universe.name();
    }
    malloc_trim(0);
    made.fileMB = double(QFileInfo(made.path).size()) / (1024.0 * 1024.0);
    return saved.emplace(shape, made).first->second;
}

void copySavedUniverse(UniverseShape shape, const UniverseFolder &folder)
{
    const SavedUniverse &saved = savedUniverse(shape);
    folder.ensureUniversesDirectory();
    if (!QFile::copy(saved.path, folder.fileFor(saved.id)))
        qFatal("The benchmark universe could not be copied to %s", qPrintable(folder.universesPath()));
}
