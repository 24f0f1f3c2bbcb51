#include "FreeFileName.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace {

// Tries of the names in order before they are drawn at random.
constexpr int kOrderedCopies = 100;

qsizetype longestName(const QString &folder)
{
    const long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return longest > 0 ? qsizetype(longest) : qsizetype(NAME_MAX);
}

} // namespace

QString fittedPath(const QString &folder, const QString &stem, const QString &tail)
{
    const qsizetype longest = longestName(folder);
    const qsizetype tailBytes = QFile::encodeName(tail).size();
    QString fitted = stem;
    while (!fitted.isEmpty() && QFile::encodeName(fitted).size() + tailBytes > longest) {
        // A character beyond the basic plane is two code units: both go together.
        const qsizetype last = fitted.size() - 1;
        fitted.chop(
            last > 0 && fitted.at(last).isLowSurrogate() && fitted.at(last - 1).isHighSurrogate() ? 2 : 1);
    }
    return QDir(folder).filePath(fitted + tail);
}

std::optional<QString> createUnderFreeName(const std::function<QString(int copy)> &choose,
                                           const std::function<bool(const QByteArray &name)> &create)
{
    for (int attempt = 1;; ++attempt) {
        const int copy =
            attempt <= kOrderedCopies
                ? attempt
                : kOrderedCopies + 1 + QRandomGenerator::global()->bounded(INT_MAX - kOrderedCopies);
        const QString name = choose(copy);
        if (create(QFile::encodeName(name)))
            return name;
        if (errno != EEXIST)
            return std::nullopt;
    }
}
