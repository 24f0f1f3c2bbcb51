// The notes field: wrapped at word boundaries unless a run is too long for that, its
// notes always the text it shows, and left with Tab like any other field.
#include "ui/NotesField.h"
#include "ImageProbe.h"
#include "ui/NotesPanel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(NotesFieldTest, WrapsAnywhereOnlyForATooLongRun)
{
    NotesField field(100);
    field.setNotes(QStringLiteral("short words"));
    EXPECT_EQ(field.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    field.setNotes(QString(50'000, u'W'));
    EXPECT_EQ(field.wordWrapMode(), QTextOption::WrapAnywhere);
    // Typing the run away brings the word wrap back.
    field.selectAll();
    QTest::keyClicks(&field, QStringLiteral("typed again"));
    EXPECT_EQ(field.toPlainText(), QStringLiteral("typed again"));
    EXPECT_EQ(field.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(field.sizeHint().height(), 100);
}

// The field's notes are what it shows, however they got there: typed, set with its
// signals blocked (as a form loads a record), pasted over, undone.
TEST(NotesFieldTest, ItsNotesAreWhatItShows)
{
    NotesField field(100);
    QString seen;
    QObject::connect(&field, &QPlainTextEdit::textChanged, [&] { seen = field.notes(); });
    QTest::keyClicks(&field, QStringLiteral("Rift"));
    EXPECT_EQ(field.notes(), QStringLiteral("Rift"));
    EXPECT_EQ(seen, QStringLiteral("Rift")); // current for slots connected later
    {
        const QSignalBlocker blocker(&field);
        field.setNotes(QStringLiteral("Loaded"));
    }
    EXPECT_EQ(field.notes(), QStringLiteral("Loaded"));
    field.selectAll();
    field.insertPlainText(QStringLiteral("Pasted"));
    EXPECT_EQ(field.notes(), QStringLiteral("Pasted"));
    field.undo();
    EXPECT_EQ(field.notes(), field.toPlainText());
}

// Tab and Shift+Tab leave every notes field, alone or in the panel that holds one, for
// the controls around it; nothing is typed into the notes.
TEST(NotesFieldTest, TabAndShiftTabMoveOnFromTheNotes)
{
    for (const bool inPanel : {false, true}) {
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *before = new QLineEdit(&form);
        layout->addWidget(before);
        layout->addWidget(inPanel
                              ? static_cast<QWidget *>(new NotesPanel(QStringLiteral("Notes"), 100, &form))
                              : new NotesField(100, &form));
        auto *after = new QLineEdit(&form);
        layout->addWidget(after);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        auto *field = form.findChild<NotesField *>();
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("Rift"));
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), after) << inPanel;
        QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), before) << inPanel;
        EXPECT_EQ(field->notes(), QStringLiteral("Rift"));
    }
}

// The placeholder of a notes panel stands where the notes' text starts: its letters
// and the same letters typed begin at the same pixel, across and down, whatever font
// the host gives the notes.
TEST(NotesFieldTest, PlaceholderStandsWhereTheTextStarts)
{
    for (const int pixelSize : {0, 18}) {
        SCOPED_TRACE(pixelSize);
        NotesPanel panel(QStringLiteral("System Notes"), 120);
        auto *field = panel.findChild<NotesField *>();
        if (pixelSize > 0) {
            QFont font = field->font();
            font.setPixelSize(pixelSize);
            field->setFont(font);
        }
        panel.resize(300, 120);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        auto *placeholder = panel.findChild<QLabel *>(QStringLiteral("notesHeader"));
        ASSERT_NE(placeholder, nullptr);
        const QImage withPlaceholder = panel.grab().toImage();
        placeholder->hide();
        const QImage blank = panel.grab().toImage();
        field->setNotes(placeholder->text());
        const QImage typed = panel.grab().toImage();
        const QRect shown = differingRect(blank, withPlaceholder);
        const QRect written = differingRect(blank, typed);
        ASSERT_FALSE(shown.isEmpty());
        ASSERT_FALSE(written.isEmpty());
        EXPECT_EQ(shown.topLeft(), written.topLeft());
        EXPECT_EQ(shown.size(), written.size());
    }
}
