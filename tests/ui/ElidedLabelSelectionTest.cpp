// Selecting and copying the line of an elided label: what the clipboard receives is
// the text itself, the ellipsis standing for what it hides.
#include "ui/ElidedLabel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QChar kEllipsis(0x2026);

// A window holding a label of `width` and, below it, a field that can take the focus.
struct Window
{
    QWidget widget;
    ElidedLabel *label;
    QLineEdit *field;

    Window(const QString &text, int width, bool selectable)
    {
        auto *layout = new QVBoxLayout(&widget);
        layout->setContentsMargins(0, 0, 0, 0);
        label = new ElidedLabel(text, &widget);
        label->setSelectable(selectable);
        field = new QLineEdit(&widget);
        layout->addWidget(label);
        layout->addWidget(field);
        widget.setFixedWidth(width);
        widget.show();
        widget.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
    }

    // Where the boundary before the shown character `index` lies.
    QPoint boundary(qsizetype index) const
    {
        const int x = label->fontMetrics().horizontalAdvance(label->shownText().left(index));
        return {label->contentsRect().left() + x, label->height() / 2};
    }

    // Drags the mouse over the shown characters from `from` up to `to`.
    void select(qsizetype from, qsizetype to)
    {
        QTest::mousePress(label, Qt::LeftButton, {}, boundary(from));
        QTest::mouseMove(label, boundary(to));
        QTest::mouseRelease(label, Qt::LeftButton, {}, boundary(to));
    }

    // What the copy key puts on the clipboard, or "unchanged".
    QString copied()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
        QTest::keySequence(label, QKeySequence::Copy);
        return QGuiApplication::clipboard()->text();
    }
};

} // namespace

TEST(ElidedLabelSelectionTest, CopyingTheWholeLineCopiesTheWholeText)
{
    const QString text =
        QStringLiteral("First line\nsecond ") + QString(1'000'000, u'W') + QStringLiteral(" end");
    Window window(text, 200, true);
    ASSERT_TRUE(window.label->shownText().endsWith(kEllipsis));
    EXPECT_LE(window.label->sizeHint().width(), window.label->fontMetrics().averageCharWidth() * 100);

    // Dragged over the whole line, from its first character to past its end.
    window.select(0, window.label->shownText().size());
    EXPECT_EQ(window.copied(), text);

    // A double click takes the whole line too; so does the select-all key.
    QTest::mouseClick(window.label, Qt::LeftButton, {}, window.boundary(3));
    EXPECT_EQ(window.copied(), QStringLiteral("unchanged")); // a click selects nothing
    QTest::mouseDClick(window.label, Qt::LeftButton, {}, window.boundary(3));
    EXPECT_EQ(window.copied(), text);
    QTest::mouseClick(window.label, Qt::LeftButton, {}, window.boundary(3));
    QTest::keySequence(window.label, QKeySequence::SelectAll);
    EXPECT_EQ(window.copied(), text);
}

TEST(ElidedLabelSelectionTest, APartCopiesItsCharactersAndTheEllipsisWhatItHides)
{
    const QString text = QStringLiteral("Start ") + QString(5'000, u'W') + QStringLiteral(" Finish");
    Window window(text, 300, true);
    window.label->setElideMode(Qt::ElideMiddle);
    const QString shown = window.label->shownText();
    const qsizetype ellipsis = shown.indexOf(kEllipsis);
    ASSERT_GT(ellipsis, 6) << shown.toStdString();
    const qsizetype after = shown.size() - ellipsis - 1; // shown characters after the ellipsis

    window.select(0, 6);
    EXPECT_EQ(window.copied(), QStringLiteral("Start "));
    window.select(shown.size() - 6, shown.size());
    EXPECT_EQ(window.copied(), QStringLiteral("Finish"));
    // From the third character over the ellipsis: everything up to what follows it.
    window.select(2, ellipsis + 1);
    EXPECT_EQ(window.copied(), text.mid(2, text.size() - after - 2));
    // Backwards from behind the ellipsis to just before it: only the hidden part.
    window.select(ellipsis + 1, ellipsis);
    EXPECT_EQ(window.copied(), text.mid(ellipsis, text.size() - after - ellipsis));
    // Up to the ellipsis, not into it: nothing hidden.
    window.select(1, ellipsis);
    EXPECT_EQ(window.copied(), text.mid(1, ellipsis - 1));

    // Another width cuts the text elsewhere: the selection goes.
    window.widget.setFixedWidth(250);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.label->selectedText().isEmpty());
    EXPECT_EQ(window.copied(), QStringLiteral("unchanged"));
}

TEST(ElidedLabelSelectionTest, OnlyASelectableLabelSelectsAndItsCopyKeyBeatsTheWindowsShortcut)
{
    Window plain(QStringLiteral("Regina"), 200, false);
    plain.select(0, 6);
    EXPECT_TRUE(plain.label->selectedText().isEmpty());
    EXPECT_EQ(plain.label->focusPolicy(), Qt::NoFocus);

    Window window(QStringLiteral("Regina"), 200, true);
    int windowCopies = 0;
    auto *windowCopy = new QAction(&window.widget);
    windowCopy->setShortcut(QKeySequence::Copy);
    window.widget.addAction(windowCopy);
    QObject::connect(windowCopy, &QAction::triggered, [&] { ++windowCopies; });
    window.select(0, 3);
    EXPECT_TRUE(window.label->hasFocus());
    EXPECT_EQ(window.copied(), QStringLiteral("Reg"));
    EXPECT_EQ(windowCopies, 0);

    // Working elsewhere drops the selection.
    window.field->setFocus();
    EXPECT_TRUE(window.label->selectedText().isEmpty());
}
