#include "LineBreaks.h"

namespace LineBreaks {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

QString asBlanks(QString text)
{
    // Read before written: a text without a break, nearly every one, is not copied.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineBreak(text.at(i)))
            text[i] = u' ';
    }
    return text;
}

QStringList lines(const QString &text)
{
    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text.at(i)))
            continue;
        result.append(text.sliced(start, i - start));
        if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    result.append(text.sliced(start));
    return result;
}

} // namespace LineBreaks
