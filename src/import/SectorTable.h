#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace TravellerMapImporter {

// One world row of the service's sector data: column name to field text.
using SectorRow = QHash<QString, QString>;

// The service's tab-delimited sector data read into its header and rows. Lines that
// are empty or begin with "#" are skipped anywhere; the first other line names the
// columns, and each later line becomes a row of the fields it has (fields beyond the
// header are ignored, a repeated column name keeps the later field). Nothing is
// trimmed and nothing fails: text without a header gives no columns and no rows.
struct SectorTable
{
    QStringList columns;
    QList<SectorRow> rows;
    // Whether the text ends with a line break, so that its last row is known whole.
    bool lastLineEnded = false;

    // Whether the header names a "Hex" or a "UWP" column: an answer without either
    // (an HTML page, say) is not sector data, even if it came with status 200.
    bool isSectorData() const;

    // The text after normalizeResponseText().
    static SectorTable read(const QString &text);
};

// The service may send the sector data wrapped in one JSON string: text whose trimmed
// form starts with a double quote and is a valid JSON string becomes that string's
// value. Any other text is returned unchanged, untrimmed.
QString normalizeResponseText(const QString &text);

// The rows of SectorTable::read().
QList<SectorRow> parseTabDelimited(const QString &text);

} // namespace TravellerMapImporter
