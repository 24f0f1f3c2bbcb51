#include "ui/Chip.h"
#include "ui/NamedColor.h"
#include "ui/Tile.h"

#include <QHBoxLayout>
#include <QImage>

#include <gtest/gtest.h>

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
