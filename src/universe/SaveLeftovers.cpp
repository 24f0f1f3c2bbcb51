#include "SaveLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

QString saveLeftoverName(const QString &target)
{
    static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = target + QLatin1Char('.');
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(kCharacters[QRandomGenerator::global()->bounded(int(sizeof kCharacters) - 1)]);
    return name;
}

void removeSaveLeftovers(const QString &folder, const QString &target)
{
    const QRegularExpression leftover(QStringLiteral("^(?:%1)\\.[A-Za-z0-9]{6}$").arg(target));
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString &name : names) {
        const QFileInfo entry(dir.filePath(name));
        if (leftover.match(name).hasMatch() && entry.isFile() && !entry.isSymLink())
            QFile::remove(entry.filePath());
    }
}
