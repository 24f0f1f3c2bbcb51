// Every control a keyboard user reaches shows that it has the focus, clearly, on the
// background it stands on: with the focus, some pixel of the control differs from the
// same pixel without it by at least the 3:1 contrast a focus mark needs.
#include "AppTestSupport.h"
#include "ImageProbe.h"
#include "model/TestRecords.h"
#include "screens/ui/WorldEditRow.h"
#include "starmap/ui/SystemOverlayCard.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using test_records::aHex;
using test_records::aWorld;

namespace {

using FocusMarks = AppTest;

// How clearly the focus shows on the control in `area`: the strongest contrast between
// a pixel there drawn with the focus and the same pixel drawn without it. The area
// leaves out the control the focus came from, which loses its own mark.
double focusContrast(const QImage &without, const QImage &with, const QRect &area)
{
    EXPECT_EQ(without.size(), with.size());
    const QRect inside = area & without.rect() & with.rect();
    double strongest = 1;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            strongest = std::max(strongest, contrast(without.pixel(x, y), with.pixel(x, y)));
    }
    return strongest;
}

} // namespace

TEST_F(FocusMarks, EveryControlShowsItsFocusClearlyOnItsBackground)
{
    startApp();
    // The card's buttons and a world editor row, in a window of their own.
    QWidget stage;
    auto *layout = new QVBoxLayout(&stage);
    const HexData hex =
        aHex().named(QStringLiteral("Kestrel")).worlds({aWorld().named(QStringLiteral("Terra")).main()});
    auto *card = new SystemOverlayCard(
        universe(), hex, MapViewMode::referee, [] {}, nullptr, 360, {}, &stage);
    auto *row = new WorldEditRow(QStringLiteral("Size"), WorldEditRow::MenuKind::pick, 300, &stage);
    layout->addWidget(card);
    layout->addWidget(row);
    stage.show();

    auto *panel = view()->detailPage()->findChild<QFrame *>(QStringLiteral("starMapControls"));
    ASSERT_NE(panel, nullptr);
    int header = 0;
    while (!list()->groupAt(header))
        ++header;

    const struct
    {
        const char *name;
        QWidget *control;
        QWidget *scene; // what it stands on
        int sidebarRow = -1;
    } cases[] = {
        {"the sidebar's chosen row", list(), list(), list()->currentRow()},
        {"a sidebar group header", list(), list(), header},
        {"the universe menu", view()->universeMenuButton(), view()->universeMenuButton()},
        {"the card's travel button", card->travelButton(), card},
        {"the card's world information button", card->worldInfoButton(), card},
        {"the card's copy button", card->copyButton(), card},
        {"the card's close button", card->closeButton(), card},
        {"a world editor's pencil", row->menuButton(), row},
        {"a view menu toggle", panel->findChild<QCheckBox *>(), panel},
        {"a view menu mode button", panel->findChild<QPushButton *>(), panel},
    };
    for (const auto &[name, control, scene, sidebarRow] : cases) {
        ASSERT_NE(control, nullptr) << name;
        control->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(control->window())) << name;
        settle();
        if (sidebarRow >= 0)
            list()->setCurrentItem(list()->item(sidebarRow), QItemSelectionModel::NoUpdate);
        // Away with Shift+Tab and back with Tab, as a keyboard user reaches it.
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
        settle();
        ASSERT_FALSE(control->hasFocus()) << name;
        const QImage without = scene->grab().toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        ASSERT_TRUE(control->hasFocus()) << name;
        const QRect area(control->mapTo(scene, QPoint()), control->size());
        EXPECT_GE(focusContrast(without, scene->grab().toImage(), area), 3.0) << name;
    }
}
