#include "ui/Chip.h"
#include "ui/ElidedLabel.h"
#include "ui/NamedColor.h"
#include "ui/Tile.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace {

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 &&
           qAbs(a.blue() - b.blue()) <= 2 && qAbs(a.alpha() - b.alpha()) <= 2;
}

QImage render(QWidget &widget)
{
    widget.setAttribute(Qt::WA_TranslucentBackground);
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(TileTest, FillsItsNamedColourWithRoundedCorners)
{
    for (const NamedColor colour : {NamedColor::parameterBackground, NamedColor::uwpBackground}) {
        Tile tile(nullptr, colour);
        tile.setContentWidth(90);
        tile.setFixedHeight(30);
        const QImage image = render(tile);
        EXPECT_TRUE(near(image.pixelColor(50, 15), namedColor(colour)));
        EXPECT_TRUE(near(image.pixelColor(50, 0), namedColor(colour)));
        // The corner pixel lies outside the radius-5 arc.
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(image.pixelColor(99, 29).alpha(), 0);
    }
}

TEST(ChipTest, TagChipUsesTheTagColours)
{
    std::unique_ptr<Chip> chip(tagChip(QStringLiteral("Civil War")));
    EXPECT_EQ(chip->text(), QStringLiteral("Civil War"));
    EXPECT_EQ(chip->fill(), namedColor(NamedColor::worldTag));
    chip->adjustSize();
    const QImage image = render(*chip);
    EXPECT_TRUE(near(image.pixelColor(2, chip->height() / 2), namedColor(NamedColor::worldTag)));
}

// Eight tags in rows of every width, from narrower than one chip to wide enough for
// all. Wrapped, every chip shows, line under line; kept on one line, the first chips
// show and the rest give way to one "…" chip. Either way each chip shown lies within
// the row, overlaps no other, and is as wide as its text, or else (only in a row
// narrower than the chip) as wide as the row with its text cut by an ellipsis.
TEST(ChipTest, ChipsShowWholeOrGiveWayToAnEllipsis)
{
    const QString ellipsis(QChar(0x2026));
    const QStringList titles{QStringLiteral("Amber Zone"),     QStringLiteral("Red-Zone"),
                             QStringLiteral("Government"),     QStringLiteral("Civil-War"),
                             QStringLiteral("Alien Ruins"),    QStringLiteral("Bubble Cities"),
                             QStringLiteral("Badlands World"), QStringLiteral("Cold War")};
    for (const bool oneLine : {false, true}) {
        for (int width = 40; width <= 900; width += 20) {
            QList<Chip *> chips;
            for (const QString &title : titles)
                chips.append(tagChip(title));
            std::unique_ptr<QWidget> row(chipRow(chips, nullptr, oneLine ? tagChip(ellipsis) : nullptr));
            row->show();
            const int height = oneLine ? row->sizeHint().height() : row->heightForWidth(width);
            row->resize(width, height);
            QCoreApplication::processEvents();
            const std::string at = (oneLine ? "one line at " : "wrapped at ") + std::to_string(width);

            QStringList shown;
            QList<QRect> places;
            for (int i = 0; i < row->layout()->count(); ++i) {
                const auto *chip = qobject_cast<const Chip *>(row->layout()->itemAt(i)->widget());
                if (!chip->isVisibleTo(row.get()))
                    continue;
                shown.append(chip->text());
                const QRect place = chip->geometry();
                EXPECT_TRUE(row->rect().contains(place)) << at << " " << chip->text().toStdString();
                for (const QRect &other : std::as_const(places))
                    EXPECT_FALSE(other.intersects(place)) << at;
                places.append(place);
                const auto *text = chip->findChild<ElidedLabel *>();
                if (chip->width() >= chip->sizeHint().width())
                    EXPECT_EQ(text->shownText(), text->text()) << at;
                else
                    EXPECT_TRUE(place.width() == width && text->shownText().endsWith(ellipsis)) << at;
            }
            const bool all = row->sizeHint().width() <= width;
            if (!oneLine) {
                EXPECT_EQ(shown, titles) << at;
                EXPECT_EQ(places.last().bottom() + 1, height) << at;
            } else if (all) {
                EXPECT_EQ(shown, titles) << at;
            } else {
                ASSERT_FALSE(shown.isEmpty()) << at;
                EXPECT_EQ(shown.last(), ellipsis) << at;
                EXPECT_EQ(shown.first(shown.size() - 1), titles.first(shown.size() - 1)) << at;
                for (const QRect &place : std::as_const(places))
                    EXPECT_EQ(place.center().y(), places.first().center().y()) << at;
            }
        }
    }
}
