#include "LiteralText.h"

#include "PlainText.h"

#include <QString>

QString literalText(const QString &text)
{
    return shortened(text, kLongestQuotedName).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
