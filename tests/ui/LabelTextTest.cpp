#include "ui/LiteralText.h"
#include "ui/WrappingLabel.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>

#include <gtest/gtest.h>

// Whatever "&" a text holds, a control given it through literalText() shows the text
// itself and has no keyboard mnemonic.
TEST(LiteralText, AmpersandsAreShownAndNeverMarkAMnemonic)
{
    for (const QString &text : {QStringLiteral("Rock & Roll Sector"), QStringLiteral("&"),
                                QStringLiteral("&&x"), QStringLiteral("A&B&&C&"), QStringLiteral("Plain")}) {
        QAction action(literalText(text));
        EXPECT_EQ(action.iconText(), text) << text.toStdString();
        EXPECT_TRUE(QKeySequence::mnemonic(action.text()).isEmpty()) << text.toStdString();
        QPushButton button(literalText(text));
        EXPECT_TRUE(button.shortcut().isEmpty()) << text.toStdString();
    }
}

// The label keeps to one line while its row has room, and wraps (never cuts) when
// the row is narrower than the line.
TEST(WrappingLabel, WrapsOnlyWhereTheLineDoesNotFit)
{
    QWidget row;
    auto *layout = new QHBoxLayout(&row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new WrappingLabel(QStringLiteral("Far Satellite / Orbiting A Planet"), &row);
    layout->addWidget(label, 0, Qt::AlignTop);
    layout->addStretch(1);
    const int line = label->fontMetrics().horizontalAdvance(label->text());
    const int lineHeight = label->fontMetrics().height();

    row.resize(line * 4 / 3, 200);
    row.show();
    QCoreApplication::processEvents();
    EXPECT_GE(label->width(), line);
    EXPECT_LT(label->height(), 2 * lineHeight);

    row.resize(line / 2, 200);
    QCoreApplication::processEvents();
    EXPECT_LE(label->width(), line / 2);
    EXPECT_GE(label->height(), 2 * lineHeight);
}
