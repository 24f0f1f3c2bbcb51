#include "PlainText.h"

#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QTextDocument>

namespace {

// A tooltip is a glance, not a reader: past this a text is cut.
constexpr qsizetype kLongestToolTip = 300;
// Wider than any screen in any font: a line cut here still reaches past every view.
constexpr qsizetype kLongestLine = 1000;
// Wrapping a run of this length at word boundaries stays well under a frame.
constexpr qsizetype kLongestWordWrappedRun = 10'000;

// Escaped and wrapped as a paragraph: Qt then takes the result as rich text whose
// every character is literal, whatever the text itself looks like.
QString literalRichText(const QString &text)
{
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

} // namespace

QString shortened(const QString &text, qsizetype longest)
{
    if (text.size() <= longest)
        return text;
    qsizetype cut = std::max<qsizetype>(longest - 1, 0);
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

QString lineOfText(const QString &text)
{
    return shortened(text, kLongestLine);
}

QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    return literalRichText(shortened(text, kLongestToolTip));
}

QTextOption::WrapMode wrapModeFor(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWordWrappedRun)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

void setPlainTexts(QMessageBox &box, const QString &text, const QString &informativeText)
{
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setInformativeText(informativeText);
    // The informative text has no format setting of its own: its label is found by
    // the text it shows and told to show it as plain text.
    for (QLabel *label : box.findChildren<QLabel *>()) {
        if (!informativeText.isEmpty() && label->text() == informativeText)
            label->setTextFormat(Qt::PlainText);
    }
}
