// Showing untrusted text: tooltips that read as the text itself, shortening that
// never splits a character, and the wrap mode that keeps long runs cheap.
#include "ui/PlainText.h"
#include "model/LineBreaks.h"
#include "ui/DisclosureGroup.h"
#include "ui/ElidedLabel.h"
#include "ui/LiteralText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QToolButton>

#include <random>

#include <gtest/gtest.h>

namespace {

// What a tooltip reads once Qt has taken it as rich text, as QToolTip does.
QString shownToolTip(const QString &toolTip)
{
    EXPECT_TRUE(Qt::mightBeRichText(toolTip)) << "Qt would guess the format: " << toolTip.toStdString();
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText();
}

} // namespace

TEST(PlainTextTest, ATooltipReadsAsItsTextWhateverMarkupItHolds)
{
    const char *texts[] = {
        "<img src=\"/dev/zero\">",
        "<b>bold</b> & <i>not</i>",
        "a &amp; b &lt;c&gt;",
        "<!DOCTYPE html><html><body>x</body></html>",
        "<qt>quoted</qt>",
        "line one\nline two",
        "tab\tand \"quotes\" and 'apostrophes'",
        "plain",
    };
    for (const char *text : texts) {
        const QString original = QString::fromUtf8(text);
        QString read = shownToolTip(plainToolTip(original));
        read.replace(QChar::Nbsp, u' ');
        read.replace(QChar::LineSeparator, u'\n');
        EXPECT_EQ(read.simplified(), original.simplified()) << text;
        EXPECT_FALSE(plainToolTip(original).contains(u"<img")) << text;
    }
    EXPECT_TRUE(plainToolTip(QString()).isEmpty());
}

TEST(PlainTextTest, TooltipsAndLinesOfAMegabyteAreCut)
{
    // A tooltip of a megabyte is cut, the rest of it is not measured.
    const QString huge(1'000'000, u'x');
    EXPECT_LT(shownToolTip(plainToolTip(huge)).size(), 1000);
    EXPECT_EQ(lineOfText(huge).size(), 1000);
    EXPECT_EQ(lineOfText(QStringLiteral("short")), QStringLiteral("short"));
}

TEST(PlainTextTest, AnElidedLineIsCutWhereTheWholeTextWouldBe)
{
    // Narrow and wide letters, blanks, line breaks (shown as blanks), characters
    // outside the basic plane and runs that take no width at all, in texts shorter and
    // longer than the room, at widths from none to more than the text.
    const QStringList pieces{
        QStringLiteral("iii"),        QStringLiteral("WWW"),           QStringLiteral(" "),
        QStringLiteral("Regina "),    QString::fromUtf8("\U0001F31F"), QString(90, u'l'),
        QString(300, QChar(0x200B)),  QStringLiteral("\r\n"),          QStringLiteral("\n"),
        QString(QChar::LineSeparator)};
    std::mt19937 random(11);
    for (const QFont &font : {QFont(), QFont(QStringLiteral("Monospace"), 7)}) {
        const QFontMetrics metrics(font);
        for (int text = 0; text < 300; ++text) {
            QString original;
            const int count = int(random() % 40);
            for (int i = 0; i < count; ++i)
                original += pieces.at(int(random() % pieces.size()));
            const int width = int(random() % 700) - 20;
            EXPECT_EQ(elidedLine(original, metrics, width),
                      metrics.elidedText(LineBreaks::asBlanks(original), Qt::ElideRight, width))
                << original.toStdString() << " at " << width;
        }
    }
    // A megabyte is cut as its beginning is.
    const QFontMetrics metrics{QFont()};
    const QString huge = QStringLiteral("Regina ") + QString(1'000'000, u'i');
    EXPECT_EQ(elidedLine(huge, metrics, 300), metrics.elidedText(huge.left(5'000), Qt::ElideRight, 300));
}

TEST(PlainTextTest, ASimplifiedLineIsTheSimplifiedTextCutToALine)
{
    // Texts of words, runs of every kind of white space and surrogate pairs, some far
    // longer than a line, some of white space alone.
    const QStringList pieces{QStringLiteral("word"),
                             QStringLiteral(" "),
                             QStringLiteral("\n\n"),
                             QStringLiteral("\t"),
                             QString(QChar::LineSeparator),
                             QStringLiteral("\u00A0"),
                             QString::fromUtf8("\U0001F31F"),
                             QString(700, u'W'),
                             QString(300, u' ')};
    std::mt19937 random(7);
    for (int text = 0; text < 400; ++text) {
        QString original;
        const int count = int(random() % 12);
        for (int i = 0; i < count; ++i)
            original += pieces.at(int(random() % pieces.size()));
        const QString line = simplifiedLineOfText(original);
        EXPECT_EQ(line, lineOfText(original.simplified())) << original.toStdString();
        EXPECT_LE(line.size(), lineOfText(QString(2000, u'x')).size());
    }
    EXPECT_EQ(simplifiedLineOfText(QStringLiteral("  One\n  two\tthree  ")), QStringLiteral("One two three"));
}

TEST(PlainTextTest, ControlTextsDoubleAmpersandsAndStayShort)
{
    EXPECT_EQ(literalText(QStringLiteral("Society & Politics")), QStringLiteral("Society && Politics"));
    EXPECT_EQ(literalText(QStringLiteral("&&")), QStringLiteral("&&&&"));
    const QString cut = literalText(QString(200, u'&'));
    EXPECT_EQ(cut.size(), 2 * (kLongestQuotedName - 1) + 1); // doubled after the cut
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)));
}

// A group's header is a button: its title keeps an "&" as text, not as a mnemonic.
TEST(PlainTextTest, DisclosureGroupHeadersShowTheirTitleLiterally)
{
    const DisclosureGroup group(QStringLiteral("Society & Politics"));
    EXPECT_EQ(group.title(), QStringLiteral("Society & Politics"));
    EXPECT_EQ(group.header()->text(), QStringLiteral("Society && Politics"));
}

TEST(PlainTextTest, OnlyARunTooLongToWrapAtWordsWrapsAnywhere)
{
    const auto mode = [](const QString &text) { return wrapModeFor(text); };
    EXPECT_EQ(mode(QString()), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(mode(QString(10'000, u'w')), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(mode(QString(10'001, u'w')), QTextOption::WrapAnywhere);
    // Blanks of every kind end a run; many short words are no long run.
    QString words;
    for (int i = 0; i < 5'000; ++i)
        words += QStringLiteral("word\u00A0") + (i % 2 ? QStringLiteral("\n") : QStringLiteral("\t"));
    EXPECT_EQ(mode(words), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(mode(QStringLiteral("start ") + QString(20'000, u'w') + QStringLiteral(" end")),
              QTextOption::WrapAnywhere);
}

TEST(PlainTextTest, AMessageBoxShowsItsTextsLiterally)
{
    QMessageBox box;
    setPlainTexts(box, QStringLiteral("<b>Kestrel</b>"), QStringLiteral("<img src=\"x\">\n& more"));
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.text(), QStringLiteral("<b>Kestrel</b>"));
    EXPECT_EQ(box.informativeText(), QStringLiteral("<img src=\"x\">\n& more"));
    // Every label that shows a text of the box shows it as plain text.
    int shown = 0;
    for (const QLabel *label : box.findChildren<QLabel *>()) {
        if (label->text().contains(u'<')) {
            ++shown;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
        }
    }
    EXPECT_EQ(shown, 2);
    setPlainTexts(box, QStringLiteral("again"));
    EXPECT_TRUE(box.informativeText().isEmpty());
}

TEST(ElidedLabelTest, AnyTextIsCutToTheWidthAndNeverAsksForMoreThanASaneWidth)
{
    ElidedLabel label(QString(1'000'000, u'W'));
    EXPECT_LE(label.sizeHint().width(), label.fontMetrics().averageCharWidth() * 100);
    label.resize(200, label.sizeHint().height());
    const QString shown = label.shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), 200);

    // Line breaks never make a second line; a short text is shown whole.
    label.setText(QStringLiteral("one\ntwo\u2028three"));
    label.resize(400, label.sizeHint().height());
    EXPECT_EQ(label.shownText(), QStringLiteral("one two three"));
    EXPECT_EQ(shownToolTip(label.toolTip()).replace(QChar::LineSeparator, u'\n').simplified(),
              QStringLiteral("one two three"));
}

TEST(ElidedLabelTest, AtItsOwnSizeHintAShortTextIsShownWhole)
{
    // Texts whose widths fall between whole pixels, in several fonts: a label as wide as
    // it asks to be never cuts them.
    std::mt19937 random(7);
    const QString letters = QStringLiteral("aeimrstwAIMW0159 .,\u00B7\u21B3\u2019-");
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<int> letter(0, int(letters.size()) - 1);
    ElidedLabel label;
    for (const int pixelSize : {10, 11, 13, 17}) {
        for (const bool bold : {false, true}) {
            QFont font = label.font();
            font.setPixelSize(pixelSize);
            font.setBold(bold);
            label.setFont(font);
            for (int i = 0; i < 50; ++i) {
                QString text;
                for (int n = length(random); n > 0; --n)
                    text += letters.at(letter(random));
                label.setText(text);
                label.resize(label.sizeHint());
                EXPECT_EQ(label.shownText(), text) << pixelSize << " px: " << text.toStdString();
            }
        }
    }
}

TEST(ElidedLabelTest, ACutInTheMiddleKeepsBothEnds)
{
    ElidedLabel label(QStringLiteral("Distance A.1 \u00B7 ") + QString(5'000, u'W') +
                      QStringLiteral(" = 1,234 km"));
    label.setElideMode(Qt::ElideMiddle);
    label.resize(300, label.sizeHint().height());
    const QString shown = label.shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Distance"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("= 1,234 km"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
}
