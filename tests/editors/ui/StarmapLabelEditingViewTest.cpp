#include "editors/ui/StarmapLabelEditingView.h"
#include "EditorTestSupport.h"
#include "PaintedTexts.h"
#include "editors/ui/HexPositionPicker.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/StarmapLabelPreview.h"
#include "editors/ui/StarmapLabelsView.h"
#include "editors/ui/SystemSearchPopup.h"
#include "starmap/MapColors.h"
#include "ui/ElidedLabel.h"

#include <QLabel>
#include <QListView>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <cstdlib>
#include <numbers>

using namespace editor_test;

namespace {

StarmapLabel label(const QString &text, const QString &category, double angle = 0.0)
{
    return StarmapLabel{QUuid::createUuid(), text, 18.0, FactionColor::red, angle, {0, 0, 1, 1}, category};
}

QString caption(const QWidget &editor, const char *name)
{
    if (const auto *elided = editor.findChild<ElidedLabel *>(QString::fromLatin1(name)))
        return elided->text();
    return child<QLabel>(editor, name)->text();
}

} // namespace

class StarmapLabelEditingViewTest : public EditorTest
{
};

TEST_F(StarmapLabelEditingViewTest, BlankTextCannotBeSavedAndOnlyTheCategoryIsTrimmed)
{
    StarmapLabelsView view(*m_universe);
    auto *editor = qobject_cast<StarmapLabelEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    auto *text = child<QLineEdit>(*editor, "labelText");
    QTest::keyClicks(text, QStringLiteral(" \t "));
    EXPECT_FALSE(editor->actionButton()->isEnabled());

    typeInto(text, QStringLiteral("  Spinward Main "));
    QTest::keyClicks(child<QLineEdit>(*editor, "category"), QStringLiteral("  Trade\t"));
    child<QSlider>(*editor, "size")->setValue(60);
    ASSERT_TRUE(editor->actionButton()->isEnabled());
    editor->actionButton()->click();

    const StarmapLabel stored = this->stored()->starmapLabels().value(0);
    EXPECT_EQ(stored.text, QStringLiteral("  Spinward Main "));
    EXPECT_EQ(stored.category, QStringLiteral("Trade"));
    EXPECT_EQ(stored.size, 60.0);
    EXPECT_EQ(view.model()->index(0, 0).data(MapObjectListModel::DetailsRole).toStringList(),
              QStringList{QStringLiteral("00-0101 · 60 pt · Trade")});
    // The form is empty again, on the create defaults, and still the create form.
    EXPECT_EQ(view.detail(), editor);
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_EQ(caption(*editor, "sizeValue"), QStringLiteral("18 pt"));
    EXPECT_EQ(caption(*editor, "positionCaption"), QStringLiteral("00-0101 · Unknown"));
    EXPECT_EQ(editor->draft().color, FactionColor::white);
    EXPECT_FALSE(editor->actionButton()->isEnabled());
    EXPECT_EQ(editor->title(), QStringLiteral("Label Creation"));
}

TEST_F(StarmapLabelEditingViewTest, AngleRoundTripsThroughDegreesAndShowsTruncatedValues)
{
    StarmapLabelEditingView quarter(*m_universe, label(QStringLiteral("Rim"), {}, std::numbers::pi / 2));
    EXPECT_EQ(child<QSlider>(quarter, "angle")->value(), 90);
    EXPECT_EQ(caption(quarter, "angleValue"), QStringLiteral("90°"));

    StarmapLabelEditingView form(*m_universe, std::nullopt);
    typeInto(child<QLineEdit>(form, "labelText"), QStringLiteral("Thirty"));
    child<QSlider>(form, "angle")->setValue(30);
    form.actionButton()->click();
    const StarmapLabel saved = m_universe->starmapLabels().value(0);
    EXPECT_EQ(saved.angle, 0.5235987755982988);

    StarmapLabelEditingView reopened(*m_universe, saved);
    EXPECT_EQ(reopened.draft().angleDegrees, 29.999999999999996);
    EXPECT_EQ(caption(reopened, "angleValue"), QStringLiteral("29°"));
    StarmapLabel negative = saved;
    negative.angle = -saved.angle;
    EXPECT_EQ(caption(StarmapLabelEditingView(*m_universe, negative), "angleValue"), QStringLiteral("-29°"));

    // An angle beyond the slider's range and a size beyond its own survive an
    // unchanged save; "Reset" sets the angle to 0.
    StarmapLabel wide = label(QStringLiteral("Wide"), {}, 4.0);
    wide.size = 120.5;
    m_universe->setStarmapLabels({wide});
    StarmapLabelEditingView editor(*m_universe, wide);
    EXPECT_EQ(caption(editor, "sizeValue"), QStringLiteral("120 pt"));
    EXPECT_EQ(child<StarmapLabelPreview>(editor, "preview")->shownSize(), 40);
    editor.actionButton()->click();
    EXPECT_NEAR(m_universe->starmapLabels().value(0).angle, 4.0, 1e-12);
    EXPECT_EQ(m_universe->starmapLabels().value(0).size, 120.5);
    child<QPushButton>(editor, "resetAngle")->click();
    editor.actionButton()->click();
    EXPECT_EQ(m_universe->starmapLabels().value(0).angle, 0.0);
    EXPECT_EQ(editor.title(), QStringLiteral("Edit Label"));
}

TEST_F(StarmapLabelEditingViewTest, ExistingCategoriesComeFromStoredLabelsOnly)
{
    StarmapLabelEditingView form(*m_universe, std::nullopt);
    QToolButton *existing = form.existingCategoriesButton();
    EXPECT_TRUE(existing->isHidden());
    QTest::keyClicks(child<QLineEdit>(form, "category"), QStringLiteral("Unsaved"));
    EXPECT_TRUE(existing->isHidden());

    m_universe->setStarmapLabels({label(QStringLiteral("A"), QStringLiteral("Trade")),
                                  label(QStringLiteral("B"), QStringLiteral("Trade")),
                                  label(QStringLiteral("C"), QString()),
                                  label(QStringLiteral("D"), QStringLiteral("alpha & co")),
                                  label(QStringLiteral("E"), QStringLiteral("trade"))});
    EXPECT_FALSE(existing->isHidden());
    const QStringList entries = actionTexts(existing->menu());
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.first(), QStringLiteral("alpha && co")); // shown literally
    EXPECT_EQ(QStringList(entries.mid(1)).join(u',').toLower(), QStringLiteral("trade,trade"));

    existing->menu()->actions().first()->trigger();
    EXPECT_EQ(child<QLineEdit>(form, "category")->text(), QStringLiteral("alpha & co"));
    EXPECT_EQ(form.draft().category, QStringLiteral("alpha & co"));
}

TEST_F(StarmapLabelEditingViewTest, EmptyTextIsListedUnnamedAndPreviewedAsLabel)
{
    m_universe->setData({aHex({1, 0, 3, 4}).named(QStringLiteral("Regina"))});
    m_universe->setStarmapLabels({label(QString(), QString()), label(QStringLiteral("  "), QString())});
    StarmapLabelsView view(*m_universe);
    EXPECT_EQ(view.model()->index(0, 0).data().toString(), QStringLiteral("Unnamed Label"));
    EXPECT_EQ(view.model()->index(1, 0).data().toString(), QStringLiteral("  "));
    EXPECT_EQ(view.model()->index(0, 0).data(MapObjectListModel::DetailsRole).toStringList(),
              QStringList{QStringLiteral("00-0101 · 18 pt")});

    view.listView()->setCurrentIndex(view.model()->index(0, 0));
    auto *editor = qobject_cast<StarmapLabelEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(child<StarmapLabelPreview>(*editor, "preview")->shownText(), QStringLiteral("Label"));
    EXPECT_FALSE(editor->actionButton()->isEnabled());

    // The system menu moves the caption to the system's hex and name.
    child<HexPositionPicker>(*editor, "positionPicker")->openSystemList()->choose(0);
    EXPECT_EQ(caption(*editor, "positionCaption"), QStringLiteral("10-0304 · Regina"));
    EXPECT_EQ(editor->draft().position, (GalacticCoordinates{1, 0, 3, 4}));
}

// A text holding a line break is shown on one line with a blank for the break in the
// list and in the text field, which keeps the break for the save; the preview shows it
// on its lines.
TEST_F(StarmapLabelEditingViewTest, ALineBreakShowsAsABlankOnOneLine)
{
    const QString text = QStringLiteral("Islands\nCluster");
    m_universe->setStarmapLabels({label(text, QString())});
    StarmapLabelsView view(*m_universe);
    view.resize(800, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QStringList painted = paintedTexts(view.listView()->viewport());
    EXPECT_TRUE(painted.contains(QStringLiteral("Islands Cluster"))) << painted.join(u'|').toStdString();

    view.listView()->setCurrentIndex(view.model()->index(0, 0));
    auto *editor = qobject_cast<StarmapLabelEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    auto *field = child<QLineEdit>(*editor, "labelText");
    EXPECT_EQ(field->displayText(), QStringLiteral("Islands Cluster"));
    EXPECT_EQ(child<StarmapLabelPreview>(*editor, "preview")->shownText(), text);
    editor->actionButton()->click();
    EXPECT_EQ(m_universe->starmapLabels().value(0).text, text);
}

// The two sliders line up, and neither the values nor "Reset" move as the values
// change from one end of their sliders to the other.
TEST_F(StarmapLabelEditingViewTest, TheSlidersLineUpAndTheirRowsStayInPlace)
{
    StarmapLabelEditingView form(*m_universe, std::nullopt);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto left = [&form](const QWidget *widget) { return widget->mapTo(&form, QPoint(0, 0)).x(); };
    auto *size = child<QSlider>(form, "size");
    auto *angle = child<QSlider>(form, "angle");
    EXPECT_EQ(left(size), left(angle));
    const auto *reset = child<QPushButton>(form, "resetAngle");
    const int resetLeft = left(reset);
    for (QSlider *slider : {size, angle}) {
        const auto *value = child<QLabel>(form, slider == size ? "sizeValue" : "angleValue");
        for (const int step : {0, 1, 9, 10, 50, 90, 99, 100}) {
            slider->setValue(slider->minimum() + (slider->maximum() - slider->minimum()) * step / 100);
            QCoreApplication::processEvents();
            EXPECT_GE(value->width(), value->fontMetrics().horizontalAdvance(value->text()))
                << value->text().toStdString();
            EXPECT_EQ(left(reset), resetLeft) << value->text().toStdString();
        }
    }
}

// Turned any way, a text of any length shows whole within the preview's panel; one
// that fits keeps its size.
TEST_F(StarmapLabelEditingViewTest, ThePreviewShowsTheWholeTurnedText)
{
    StarmapLabelPreview preview;
    const QColor background = MapColors::background();
    // The panel, less its antialiased rim.
    QPainterPath panel;
    panel.addRoundedRect(QRectF(preview.rect()).adjusted(1.5, 1.5, -1.5, -1.5), 8, 8);
    const auto ink = [&](const QString &text, double angle) {
        preview.setLabel(text, Qt::white, 40, angle);
        const QImage image = preview.grab().toImage();
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!panel.contains(QPointF(x + 0.5, y + 0.5)))
                    continue;
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) > 60)
                    box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    };
    const QRect inside = preview.rect().adjusted(2, 2, -2, -2);
    for (const QString &text : {QStringLiteral("Rim"), QStringLiteral("Spinward Marches Sector"),
                                QStringLiteral("Islands\nCluster of the Outer Rim")}) {
        for (const double angle : {0.0, 30.0, 90.0, -135.0, 180.0}) {
            const QRect box = ink(text, angle);
            EXPECT_FALSE(box.isEmpty());
            EXPECT_TRUE(inside.contains(box)) << text.toStdString() << " at " << angle;
        }
    }
    EXPECT_GT(ink(QStringLiteral("Rim"), 0).height(), 20);
}
