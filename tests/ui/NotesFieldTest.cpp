// The notes field: wrapped at word boundaries unless a run is too long for that, and
// its notes always the text it shows.
#include "ui/NotesField.h"

#include <QTest>

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
