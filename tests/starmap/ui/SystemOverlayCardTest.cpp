// How the map's system card looks: its legend is whole and its header buttons stay
// visible on the card in every state.
#include "starmap/ui/SystemOverlayCard.h"
#include "../StarMapTestSupport.h"
#include "ImageProbe.h"

#include "model/CapitalizedWords.h"
#include "ui/Chip.h"
#include "ui/ElidedLabel.h"
#include "ui/Tile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

using namespace StarMapTest;

namespace {

// The contrast of the pixel that stands out most from `background`.
double strongestContrast(const QImage &image, QRgb background)
{
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, contrast(image.pixel(x, y), background));
    }
    return best;
}

struct ShownCard
{
    std::unique_ptr<StarfarerUniverse> universe;
    std::unique_ptr<SystemOverlayCard> card;

    explicit ShownCard(const QString &systemName = QStringLiteral("Sys 34"),
                       const SystemOverlayCard::SummaryFactory &summary = {},
                       const QList<WorldTag> &tags = {})
    {
        HexData h = hex(at(3, 4));
        h.starSystem.name = systemName;
        h.starSystem.stars[0].worlds[0].name = QStringLiteral("Terra Nova");
        h.starSystem.stars[0].worlds[0].worldTags = tags;
        universe = StarMapTest::universe({h});
        card = std::make_unique<SystemOverlayCard>(
            universe.get(), h, MapViewMode::referee, [] {}, nullptr, 360, summary);
        card->show();
        card->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(card.get()));
    }

    // What the copy key gives after the user chose `select` in the label named `name`.
    QString copiedFrom(const QString &name, const std::function<void(ElidedLabel *)> &select)
    {
        auto *label = card->findChild<ElidedLabel *>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        if (!label)
            return {};
        QGuiApplication::clipboard()->clear();
        select(label);
        QTest::keySequence(label, QKeySequence::Copy);
        return QGuiApplication::clipboard()->text();
    }
};

} // namespace

TEST(SystemOverlayCardTest, TheLegendIsShownWhole)
{
    ShownCard shown;
    const auto *legend = shown.card->findChild<QLabel *>(QStringLiteral("uwpLegend"));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->text(), QStringLiteral("StpSizAtmHydPopGovLaw-TL B PBG Day\\Year [TC]"));
    EXPECT_TRUE(legend->isVisible());
    // A label narrower than its text would cut it off at the right.
    EXPECT_GE(legend->contentsRect().width(), legend->fontMetrics().horizontalAdvance(legend->text()));
    const QRect inCard(legend->mapTo(shown.card.get(), QPoint(0, 0)), legend->size());
    EXPECT_TRUE(shown.card->contentsRect().contains(inCard));
    // Readable on the card: its darkest strokes stand well apart from the fill.
    const QImage image = shown.card->grab(inCard).toImage();
    const QRgb fill = image.pixel(image.width() - 1, 0);
    EXPECT_GE(strongestContrast(image, fill), 4.5);
}

TEST(SystemOverlayCardTest, EverythingOnTheCardKeepsItsInnerMargin)
{
    // A summary of tiles as wide as the card asks them to be, as the system screens'
    // summary views are.
    const auto summary = [](const StarSystem &, int viewWidth) -> QWidget * {
        auto *tile = new Tile;
        tile->setContentWidth(viewWidth);
        auto *layout = new QVBoxLayout(tile);
        layout->addWidget(new QLabel(QStringLiteral("Climate: Temperate"), tile));
        return tile;
    };
    ShownCard shown(QStringLiteral("Sys 34"), summary);
    SystemOverlayCard &card = *shown.card;
    QCoreApplication::processEvents();
    const QRect inside = card.rect().marginsRemoved(card.layout()->contentsMargins());
    ASSERT_NE(card.findChild<Tile *>(), nullptr);
    for (const QWidget *child : card.findChildren<QWidget *>()) {
        if (child->isVisibleTo(&card)) {
            EXPECT_TRUE(inside.contains(QRect(child->mapTo(&card, QPoint(0, 0)), child->size())))
                << child->metaObject()->className() << " " << child->objectName().toStdString();
        }
    }
}

TEST(SystemOverlayCardTest, TheNamesAreSelectableAndCopyGivesTheWholeName)
{
    const QString name = QStringLiteral("Far ") + QString(400, u'x') + QStringLiteral(" Reach");
    ShownCard shown(name);
    // The name is cut to the card's width, yet a double click and the copy key give all of it.
    const auto *systemName = shown.card->findChild<ElidedLabel *>(QStringLiteral("systemName"));
    ASSERT_NE(systemName, nullptr);
    EXPECT_TRUE(systemName->shownText().endsWith(QChar(0x2026)));
    EXPECT_EQ(shown.copiedFrom(QStringLiteral("systemName"),
                               [](ElidedLabel *label) {
                                   QTest::mouseDClick(label, Qt::LeftButton, {}, label->rect().center());
                               }),
              name);
    // Part of the main world's name, dragged over.
    EXPECT_EQ(shown.copiedFrom(QStringLiteral("mainWorldName"),
                               [](ElidedLabel *label) {
                                   const int left = label->contentsRect().left();
                                   const int y = label->height() / 2;
                                   const int x =
                                       left + label->fontMetrics().horizontalAdvance(QStringLiteral("Terra"));
                                   QTest::mousePress(label, Qt::LeftButton, {}, QPoint(left, y));
                                   QTest::mouseMove(label, QPoint(x, y));
                                   QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(x, y));
                               }),
              QStringLiteral("Terra"));
}

TEST(SystemOverlayCardTest, HeaderButtonsKeepTheirContrastWhenHoveredAndPressed)
{
    ShownCard shown;
    SystemOverlayCard &card = *shown.card;
    QToolButton *buttons[] = {card.travelButton(), card.worldInfoButton(), card.copyButton(),
                              card.closeButton()};
    const QRgb fill = card.grab().toImage().pixel(card.width() / 2, 3); // the card's own fill
    enum class State { normal, hovered, pressed };
    for (QToolButton *button : buttons) {
        ASSERT_NE(button, nullptr);
        for (State state : {State::normal, State::hovered, State::pressed}) {
            SCOPED_TRACE(button->accessibleName().toStdString() + " state " +
                         std::to_string(static_cast<int>(state)));
            button->setAttribute(Qt::WA_UnderMouse, state != State::normal);
            button->setDown(state == State::pressed);
            const QRect area(button->mapTo(&card, QPoint(0, 0)), button->size());
            const QImage image = card.grab(area).toImage();
            // The button's own background, beside the symbol, and the symbol's ink.
            const QRgb background = image.pixel(1, image.height() / 2);
            if (state != State::normal) {
                EXPECT_NE(background, fill) << "the state is not shown";
            }
            EXPECT_GE(strongestContrast(image, background), 3.0);
        }
        button->setAttribute(Qt::WA_UnderMouse, false);
        button->setDown(false);
    }
}

// The card's tags stay on one line: the first ones show whole, and those that do not
// fit give way to one "…" chip.
TEST(SystemOverlayCardTest, TagsThatDoNotFitGiveWayToAnEllipsisChip)
{
    const QList<WorldTag> tags{WorldTag::amberZone,     WorldTag::redZone,        WorldTag::gov3,
                               WorldTag::civilWar,      WorldTag::alienRuins,     WorldTag::bubbleCities,
                               WorldTag::badlandsWorld, WorldTag::abandonedColony};
    ShownCard shown(QStringLiteral("Sys 34"), {}, tags);
    QCoreApplication::processEvents();
    // The chips shown, by where they stand on their line.
    QMap<int, const Chip *> chips;
    for (const Chip *chip : shown.card->findChildren<Chip *>()) {
        if (chip->isVisibleTo(shown.card.get()))
            chips.insert(chip->x(), chip);
    }
    QStringList expected;
    for (qsizetype i = 0; i + 1 < chips.size(); ++i)
        expected.append(capitalizedWords(rawValue(tags[i])));
    expected.append(QString(QChar(0x2026)));
    ASSERT_GE(chips.size(), 2);
    for (const Chip *chip : std::as_const(chips)) {
        EXPECT_EQ(chip->text(), expected.takeFirst());
        EXPECT_GE(chip->width(), chip->sizeHint().width()) << chip->text().toStdString();
    }
}
