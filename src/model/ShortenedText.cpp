#include "ShortenedText.h"

#include <algorithm>

QString shortened(const QString &text, qsizetype longest)
{
    if (text.size() <= longest)
        return text;
    qsizetype cut = std::max<qsizetype>(longest - 1, 0);
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

QString quotedName(const QString &name)
{
    return shortened(name, kLongestQuotedName);
}
