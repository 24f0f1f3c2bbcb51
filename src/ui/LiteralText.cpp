#include "LiteralText.h"

#include <QString>

QString literalText(const QString &text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
