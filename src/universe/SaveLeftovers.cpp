#include "SaveLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

void removeSaveLeftovers(const QString &folder, const QString &target)
{
    // An atomic write cut short (QSaveFile, AtomicFileWriter) leaves "<target>.XXXXXX"
    // beside its target.
    const QRegularExpression leftover(QStringLiteral("^(?:%1)\\.[A-Za-z0-9]{6}$").arg(target));
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString &name : names) {
        const QFileInfo entry(dir.filePath(name));
        if (leftover.match(name).hasMatch() && entry.isFile() && !entry.isSymLink())
            QFile::remove(entry.filePath());
    }
}
