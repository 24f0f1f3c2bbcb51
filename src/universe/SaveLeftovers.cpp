#include "SaveLeftovers.h"

#include "FreeFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

QString saveLeftoverName(const QString &target, SaveLeftover kind)
{
    static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QFileInfo file(target);
    QString mark =
        kind == SaveLeftover::write ? QStringLiteral(".vostrel-write-") : QStringLiteral(".vostrel-removal-");
    for (int i = 0; i < 6; ++i)
        mark += QLatin1Char(kCharacters[QRandomGenerator::global()->bounded(int(sizeof kCharacters) - 1)]);
    return fittedPath(file.path(), QLatin1Char('.') + file.fileName(), mark);
}

void removeSaveLeftovers(const QString &folder)
{
    static const QRegularExpression leftover(
        QStringLiteral("^\\..+\\.vostrel-(?:write|removal)-[A-Za-z0-9]{6}$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString &name : names) {
        const QFileInfo entry(dir.filePath(name));
        if (leftover.match(name).hasMatch() && entry.isFile() && !entry.isSymLink())
            QFile::remove(entry.filePath());
    }
}
