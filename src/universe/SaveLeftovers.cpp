#include "SaveLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

QString saveLeftoverName(const QString &target, SaveLeftover kind)
{
    static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QFileInfo file(target);
    QString name = QStringLiteral(".%1.vostrel-%2-")
                       .arg(file.fileName(), kind == SaveLeftover::write ? QStringLiteral("write")
                                                                         : QStringLiteral("removal"));
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(kCharacters[QRandomGenerator::global()->bounded(int(sizeof kCharacters) - 1)]);
    return file.dir().filePath(name);
}

void removeFilesMatching(const QString &folder, const QRegularExpression &pattern,
                         const std::function<bool(const QString &path)> &removable)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString &name : names) {
        const QFileInfo entry(dir.filePath(name));
        if (pattern.match(name).hasMatch() && entry.isFile() && !entry.isSymLink() &&
            (!removable || removable(entry.filePath())))
            QFile::remove(entry.filePath());
    }
}

void removeSaveLeftovers(const QString &folder)
{
    static const QRegularExpression leftover(
        QStringLiteral("^\\..+\\.vostrel-(?:write|removal)-[A-Za-z0-9]{6}$"),
        QRegularExpression::DotMatchesEverythingOption);
    removeFilesMatching(folder, leftover);
}
