#include "PlainText.h"

#include <QString>
#include <QTextDocument>

namespace {

// A tooltip is a glance, not a reader: past this a text is cut.
constexpr qsizetype kLongestToolTip = 300;

} // namespace

QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString shown = text;
    if (shown.size() > kLongestToolTip) {
        qsizetype cut = kLongestToolTip;
        if (shown.at(cut - 1).isHighSurrogate())
            --cut;
        shown = shown.left(cut) + QChar(0x2026);
    }
    // Escaped and wrapped as a paragraph: Qt then takes it as rich text whose every
    // character is literal, whatever the text itself looks like.
    return Qt::convertFromPlainText(shown, Qt::WhiteSpaceNormal);
}
