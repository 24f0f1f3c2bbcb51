#include "PlainText.h"

#include "model/LineBreaks.h"

#include <QFontMetrics>
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

QString lineOfText(const QString &text)
{
    return shortened(text, kLongestLine);
}

QString elidedLine(const QString &text, const QFontMetrics &metrics, int width)
{
    // A beginning of the text that is wider than the room is cut where the whole text
    // would be; it grows until it is that wide or is the whole text.
    qsizetype take = 2 * (std::max(width, 0) / std::max(metrics.averageCharWidth(), 1) + 1);
    for (;;) {
        if (take >= text.size())
            return metrics.elidedText(LineBreaks::asBlanks(text), Qt::ElideRight, width);
        if (text.at(take - 1).isHighSurrogate())
            ++take;
        const QString beginning = LineBreaks::asBlanks(text.left(take));
        if (metrics.horizontalAdvance(beginning) > width)
            return metrics.elidedText(beginning, Qt::ElideRight, width);
        take *= 2;
    }
}

QString simplifiedLineOfText(const QString &text)
{
    QString line;
    bool blank = false;
    for (const QChar c : text) {
        if (line.size() > kLongestLine)
            break;
        if (c.isSpace()) {
            blank = !line.isEmpty();
            continue;
        }
        if (blank)
            line += u' ';
        blank = false;
        line += c;
    }
    return lineOfText(line);
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
