#include "editors/ui/RegionsView.h"
#include "EditorTestSupport.h"
#include "ImageProbe.h"
#include "editors/RegionAnchorListModel.h"
#include "editors/ui/CornerDiagram.h"
#include "editors/ui/HexPositionPicker.h"
#include "editors/ui/LabeledStepper.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/RegionEditingView.h"
#include "editors/ui/SystemSearchPopup.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPushButton>

using namespace editor_test;

namespace {

QStringList anchorRows(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        rows.append(index.data(RegionAnchorListModel::NumberRole).toString() + u' ' +
                    index.data().toString() + u' ' +
                    index.data(RegionAnchorListModel::SystemNameRole).toString());
    }
    return rows;
}

} // namespace

class RegionsViewTest : public EditorTest
{
};

TEST_F(RegionsViewTest, RowsCountAnchorsAndSayWhetherTheBorderCloses)
{
    m_universe->setRegions({region(QString(), 1, false), region(QStringLiteral("  "), 0, true),
                            region(QStringLiteral("Rim"), 3, true)});
    RegionsView view(*m_universe);
    const MapObjectListModel &model = *view.model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.append(model.index(row, 0).data().toString() + u'|' +
                    model.index(row, 0).data(MapObjectListModel::DetailsRole).toStringList().join(u'|'));
    EXPECT_EQ(rows, QStringList({QStringLiteral("Unnamed Region|1 anchor · open"),
                                 QStringLiteral("  |0 anchors · closed"),
                                 QStringLiteral("Rim|3 anchors · closed"), QStringLiteral("New Region|")}));
}

TEST_F(RegionsViewTest, AnchorsAreAddedRepeatedReorderedAndDeleted)
{
    m_universe->setData({aHex({0, 0, 3, 4}).named(QStringLiteral("Vland"))});
    RegionsView view(*m_universe);
    auto *editor = qobject_cast<RegionEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->nextAnchorText(), QStringLiteral("00-0000 · corner 1"));
    EXPECT_EQ(editor->cornerStepper()->text(), QStringLiteral("Corner: 1"));
    EXPECT_FALSE(child<QLabel>(*editor, "noAnchors")->isHidden());
    EXPECT_FALSE(editor->actionButton()->isEnabled());

    editor->addAnchor();
    EXPECT_FALSE(editor->actionButton()->isEnabled());
    editor->addAnchor(); // the same anchor again
    EXPECT_TRUE(editor->actionButton()->isEnabled());

    // The stepper stops at 5 (shown as 6); the diagram follows it.
    for (int i = 0; i < 8; ++i)
        editor->cornerStepper()->step(1);
    EXPECT_EQ(editor->cornerDiagram()->selected(), 5);
    editor->nextAnchorPicker()->openSystemList()->choose(0);
    EXPECT_EQ(editor->nextAnchorText(), QStringLiteral("00-0304 · corner 6"));
    editor->addAnchor();
    const QAbstractItemModel &anchors = *editor->anchorModel();
    EXPECT_EQ(anchorRows(anchors), QStringList({QStringLiteral("1. 00-0000 · corner 1 Unknown"),
                                                QStringLiteral("2. 00-0000 · corner 1 Unknown"),
                                                QStringLiteral("3. 00-0304 · corner 6 Vland")}));

    // Dragging the last row to the top makes it number 1.
    ASSERT_TRUE(editor->anchorModel()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    EXPECT_EQ(anchorRows(anchors).first(), QStringLiteral("1. 00-0304 · corner 6 Vland"));
    editor->deleteAnchor(1);
    EXPECT_EQ(anchorRows(anchors), QStringList({QStringLiteral("1. 00-0304 · corner 6 Vland"),
                                                QStringLiteral("2. 00-0000 · corner 1 Unknown")}));
    editor->actionButton()->click();

    const auto file = stored();
    ASSERT_EQ(file->regions().size(), 1);
    EXPECT_EQ(file->regions().first().anchors, (QList<RegionAnchor>{{{0, 0, 3, 4}, 5}, {{0, 0, 0, 0}, 0}}));
    EXPECT_EQ(file->regions().first().color, FactionColor::white);
    // The form starts over, the corner back at 0.
    EXPECT_EQ(anchors.rowCount(), 0);
    EXPECT_EQ(editor->nextAnchorText(), QStringLiteral("00-0000 · corner 1"));
    EXPECT_EQ(editor->cornerDiagram()->selected(), 0);
}

TEST_F(RegionsViewTest, TheLabelHexIsStoredOnlyWhileTheCustomPositionIsOn)
{
    Region edited = region(QStringLiteral("Marches"), 3, false);
    edited.labelCoordinates = GalacticCoordinates{1, -1, 7, 9};
    m_universe->setRegions({region(QStringLiteral("First"), 2, false), edited});
    RegionsView view(*m_universe);
    view.select(MapObjectListView::Selection{edited.id});
    auto *editor = qobject_cast<RegionEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    auto *custom = child<QCheckBox>(*editor, "customLabel");
    EXPECT_TRUE(custom->isChecked());
    EXPECT_EQ(editor->labelCaption(), QStringLiteral("Name drawn at 1A-0709"));
    // The next anchor does not start at the region's last anchor.
    EXPECT_EQ(editor->nextAnchorText(), QStringLiteral("00-0000 · corner 1"));

    custom->setChecked(false);
    editor->actionButton()->click();
    EXPECT_EQ(m_universe->regions().at(1).labelCoordinates, std::nullopt);
    custom->setChecked(true); // the fields were kept
    EXPECT_EQ(editor->labelCaption(), QStringLiteral("Name drawn at 1A-0709"));
    editor->actionButton()->click();
    EXPECT_EQ(stored()->regions().at(1).labelCoordinates, (GalacticCoordinates{1, -1, 7, 9}));
    EXPECT_EQ(editor->title(), QStringLiteral("Edit Region"));

    // Down to one anchor, "Save Changes" is disabled.
    editor->deleteAnchor(0);
    editor->deleteAnchor(0);
    EXPECT_FALSE(editor->actionButton()->isEnabled());
}

TEST_F(RegionsViewTest, TheDiagramHighlightsTheChosenCornerOnly)
{
    CornerDiagram diagram;
    QPalette palette = diagram.palette();
    palette.setColor(QPalette::Highlight, Qt::red);
    palette.setColor(QPalette::PlaceholderText, Qt::blue);
    diagram.setPalette(palette);
    const auto isRed = [&](int corner) {
        const QImage image = diagram.grab().toImage();
        const QColor at = image.pixelColor(CornerDiagram::vertex(corner).toPoint());
        return at.red() > 200 && at.blue() < 60;
    };
    diagram.setSelected(4);
    EXPECT_TRUE(isRed(4));
    EXPECT_FALSE(isRed(0));
    diagram.setSelected(6);
    for (int corner = 0; corner < 6; ++corner)
        EXPECT_FALSE(isRed(corner)) << corner;
    // Corner 1 lies to the lower right of the centre, corner 4 to the upper left.
    EXPECT_GT(CornerDiagram::vertex(1).y(), CornerDiagram::kHeight / 2.0);
    EXPECT_LT(CornerDiagram::vertex(4).x(), CornerDiagram::kWidth / 2.0);
}

TEST_F(RegionsViewTest, AWhiteRegionsDotStandsOutOnAWhiteList)
{
    Region white = region(QStringLiteral("Pale"), 1, true);
    white.color = FactionColor::white;
    m_universe->setRegions({white});
    RegionsView view(*m_universe);
    auto *list = view.findChild<QListView *>();
    ASSERT_NE(list, nullptr);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    list->setPalette(palette);
    list->viewport()->setPalette(palette);
    view.resize(900, 600);
    view.show();
    const QRect row = list->visualRect(list->model()->index(0, 0));
    ASSERT_TRUE(row.isValid());
    ASSERT_FALSE(list->selectionModel()->isSelected(list->model()->index(0, 0))); // no highlight behind it
    const QImage image = list->viewport()->grab().toImage();
    // The dot stands at the row's leading edge, vertically centred; somewhere in that
    // square the ring must be clearly darker than the white around it.
    EXPECT_LT(darkestGray(image, QRect(row.left(), row.center().y() - 8, 24, 17)), 200);
}
