// A combo box whose chosen entry is cut with an ellipsis, never clipped, and whose
// entries never decide how narrow it may be.
#include "ui/ElidedComboBox.h"

#include <QHBoxLayout>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QChar kEllipsis(0x2026);
const QString kLongEntry =
    QStringLiteral("B.1 \u00B7 Farthest Companion Homeworld of the Kesh \u2014 0.4 AU");

TEST(ElidedComboBoxTest, AtItsOwnSizeTheEntryIsWholeAndNarrowerItEndsInAnEllipsis)
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *box = new ElidedComboBox(&window);
    box->addItems({QStringLiteral("Bo"), kLongEntry});
    box->setCurrentIndex(1);
    layout->addWidget(box);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    window.resize(window.sizeHint());
    QCoreApplication::processEvents();
    EXPECT_EQ(box->width(), box->sizeHint().width());
    EXPECT_EQ(box->shownText(), kLongEntry);

    for (const int width : {260, 120, box->minimumSizeHint().width()}) {
        box->resize(width, box->height());
        const QString shown = box->shownText();
        EXPECT_TRUE(shown.endsWith(kEllipsis)) << width << ": " << shown.toStdString();
        EXPECT_TRUE(kLongEntry.startsWith(shown.chopped(1))) << shown.toStdString();
        EXPECT_LT(box->fontMetrics().horizontalAdvance(shown), width);
        EXPECT_EQ(box->currentText(), kLongEntry);
    }
    // A short entry is shown whole in the same room.
    box->setCurrentIndex(0);
    EXPECT_EQ(box->shownText(), QStringLiteral("Bo"));
}

TEST(ElidedComboBoxTest, LongEntriesWidenWhatItAsksForButNotHowNarrowItMayBe)
{
    ElidedComboBox shortOnly;
    shortOnly.addItem(QStringLiteral("Bo"));
    ElidedComboBox withLong;
    withLong.addItems({QStringLiteral("Bo"), kLongEntry + kLongEntry});
    EXPECT_GT(withLong.sizeHint().width(), shortOnly.sizeHint().width());
    EXPECT_EQ(withLong.minimumSizeHint(), shortOnly.minimumSizeHint());
    EXPECT_LT(withLong.minimumSizeHint().width(), withLong.sizeHint().width() / 4);
}

} // namespace
