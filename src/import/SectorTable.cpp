#include "SectorTable.h"

#include "ImportText.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029': return true;
    default: return false;
    }
}

// Calls `take` with each non-empty line, in order.
template <typename Take> void forEachLine(QStringView text, Take take)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isLineBreak(text[i])) {
            if (i > start)
                take(text.sliced(start, i - start));
            start = i + 1;
        }
    }
}

} // namespace

bool SectorTable::isSectorData() const
{
    return columns.contains(u"Hex"_s) || columns.contains(u"UWP"_s);
}

SectorTable SectorTable::read(const QString &text)
{
    SectorTable table;
    const QString normalized = normalizeResponseText(text);
    table.lastLineEnded = !normalized.isEmpty() && isLineBreak(normalized.back());
    bool haveHeader = false;
    forEachLine(normalized, [&](QStringView line) {
        if (line.startsWith(u'#'))
            return;
        const QList<QStringView> fields = line.split(u'\t');
        if (!haveHeader) {
            haveHeader = true;
            table.columns.reserve(fields.size());
            for (const QStringView field : fields)
                table.columns.append(field.toString());
            return;
        }
        SectorRow row;
        const qsizetype count = qMin(fields.size(), table.columns.size());
        row.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            row.insert(table.columns[i], fields[i].toString());
        table.rows.append(std::move(row));
    });
    return table;
}

QString normalizeResponseText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(u'"'))
        return text;
    const auto value = parseAnswerJson(trimmed.toUtf8());
    if (value && value->isString())
        return *value->string();
    return text;
}

QList<SectorRow> parseTabDelimited(const QString &text)
{
    return SectorTable::read(text).rows;
}

} // namespace TravellerMapImporter
