// Notes shown for reading: as high as their text up to a bound, scrolling past it,
// and put into the editor once, when shown, whatever their length.
#include "ui/ReadOnlyNotesView.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

constexpr int kBound = 200;

// A page of `width` holding the notes, as a detail page holds them.
struct Page
{
    QWidget widget;
    ReadOnlyNotesView *notes;

    Page(const QString &text, int width)
    {
        auto *layout = new QVBoxLayout(&widget);
        notes = new ReadOnlyNotesView(text, QFont(), kBound, &widget);
        layout->addWidget(notes);
        layout->addStretch(1);
        widget.resize(width, 800);
    }

    void show()
    {
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }
};

QString paragraph(int words)
{
    QString text;
    for (int i = 0; i < words; ++i)
        text += QStringLiteral("notes ");
    return text;
}

} // namespace

TEST(ReadOnlyNotesViewTest, ShortNotesShowWholeWithoutScrollingAndLongOnesScrollInTheBound)
{
    for (const QString &text :
         {QStringLiteral("One line."), paragraph(40), paragraph(40) + u'\n' + paragraph(3)}) {
        Page page(text, 300);
        page.show();
        EXPECT_LT(page.notes->height(), kBound) << text.toStdString();
        EXPECT_FALSE(page.notes->verticalScrollBar()->isVisible()) << text.toStdString();
        EXPECT_EQ(page.notes->toPlainText(), text);
    }
    // Longer at a narrower width, never past the bound.
    Page narrow(paragraph(40), 150);
    Page wide(paragraph(40), 600);
    EXPECT_GT(narrow.notes->heightForWidth(150), wide.notes->heightForWidth(600));

    for (const QString &text : {paragraph(20'000), QString(200'000, u'W')}) {
        Page page(text, 300);
        page.show();
        EXPECT_EQ(page.notes->height(), kBound);
        EXPECT_TRUE(page.notes->verticalScrollBar()->isVisible());
    }
}

TEST(ReadOnlyNotesViewTest, TheTextIsSetOnceWhenShownNotForEveryWidthTheLayoutTries)
{
    Page page(paragraph(50'000), 300);
    QSignalSpy set(page.notes->document(), &QTextDocument::contentsChanged);
    // Measuring for the layout does not fill the editor.
    for (int width = 100; width < 700; width += 50)
        EXPECT_LE(page.notes->heightForWidth(width), kBound);
    EXPECT_EQ(set.count(), 0);
    EXPECT_TRUE(page.notes->toPlainText().isEmpty());
    page.show();
    EXPECT_EQ(set.count(), 1);
    page.widget.resize(500, 600);
    page.widget.hide();
    page.show();
    EXPECT_EQ(set.count(), 1);
    EXPECT_EQ(page.notes->text().size(), page.notes->toPlainText().size());
}

TEST(ReadOnlyNotesViewTest, ANewTextReplacesTheOldWrappedItsOwnWayAndMeasuredAgain)
{
    Page page(QStringLiteral("One line."), 300);
    page.show();
    const int oneLine = page.notes->height();
    const QString run(200'000, u'W');
    page.notes->setText(run);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.notes->toPlainText(), run);
    EXPECT_EQ(page.notes->wordWrapMode(), QTextOption::WrapAnywhere);
    EXPECT_EQ(page.notes->height(), kBound);
    EXPECT_TRUE(page.notes->verticalScrollBar()->isVisible());

    page.notes->setText(paragraph(3));
    QCoreApplication::processEvents();
    EXPECT_EQ(page.notes->toPlainText(), paragraph(3));
    EXPECT_EQ(page.notes->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(page.notes->height(), oneLine);

    // A hidden view takes its text when it is shown.
    page.widget.hide();
    page.notes->setText(paragraph(100));
    EXPECT_TRUE(page.notes->toPlainText().isEmpty());
    EXPECT_EQ(page.notes->text(), paragraph(100));
    page.show();
    EXPECT_EQ(page.notes->toPlainText(), paragraph(100));
    EXPECT_GT(page.notes->height(), oneLine);
}
