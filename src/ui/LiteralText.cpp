#include "LiteralText.h"

#include "PlainText.h"

#include <QString>

QString literalText(const QString &text)
{
    return quotedName(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
