// Text meant to be read stands at least 4.5:1 apart from what it is drawn on, secondary
// and status text included: measured on what the program paints, each text against the
// same pixels drawn without it, in a light and a dark palette.
#include "AppTestSupport.h"
#include "ImageProbe.h"
#include "app/MessageBanner.h"
#include "model/TestRecords.h"
#include "screens/SystemListModel.h"
#include "screens/SystemRowContent.h"
#include "screens/ui/SystemListView.h"
#include "screens/ui/SystemRowDelegate.h"
#include "starmap/ui/StarMapView.h"

#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QScrollArea>
#include <QStandardItemModel>

namespace {

constexpr double kReadable = 4.5;

QPalette darkPalette()
{
    QPalette dark;
    for (const auto &[role, color] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, QColor(45, 45, 48)},
             {QPalette::WindowText, QColor(235, 235, 235)},
             {QPalette::Base, QColor(30, 30, 32)},
             {QPalette::AlternateBase, QColor(52, 52, 56)},
             {QPalette::Text, QColor(235, 235, 235)},
             {QPalette::Button, QColor(58, 58, 62)},
             {QPalette::ButtonText, QColor(235, 235, 235)},
             {QPalette::Highlight, QColor(42, 110, 200)},
             {QPalette::HighlightedText, Qt::white}})
        dark.setColor(role, color);
    return dark;
}

// The row's picture as the systems list paints it into an image of twice the pixels
// (so that the strokes of small text cover whole pixels): over what its viewport fills
// it with, the row's panel (an alternate row's colour) and the delegate's drawing.
QImage paintedRow(QListView &list, const SystemRowContent &row, bool alternate)
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QVariant::fromValue(row), SystemListModel::RowRole);
    model.setData(model.index(0, 0), QStringLiteral("Rutters"), SystemListModel::RoutesTitleRole);
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.widget = &list;
    option.features.setFlag(QStyleOptionViewItem::Alternate, alternate);
    option.rect = QRect(0, 0, SystemRowDelegate::rowWidth(), 100);
    QImage image(option.rect.size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(list.viewport()->palette().color(list.viewport()->backgroundRole()));
    QPainter painter(&image);
    list.style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, &list);
    list.itemDelegate()->paint(&painter, option, model.index(0, 0));
    return image;
}

// The hue a status text says what it tells with.
enum class Hue { none, red, green };

bool shows(Hue hue, QRgb color)
{
    const int red = qRed(color);
    const int green = qGreen(color);
    const int blue = qBlue(color);
    constexpr int kClearly = 40;
    switch (hue) {
    case Hue::red: return red > green + kClearly && red > blue + kClearly;
    case Hue::green: return green > red + kClearly && green > blue + kClearly;
    case Hue::none: return true;
    }
    return false;
}

// How a text that `widget` shows is written and blanked.
void showText(QWidget *widget, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(text);
    else
        qobject_cast<MessageBanner *>(widget)->showMessage(text);
}

struct TextContrast : AppTest
{
    void TearDown() override
    {
        AppTest::TearDown();
        QApplication::setPalette(m_palette);
    }

    QPalette m_palette = QApplication::palette();
};

} // namespace

// In a light and a dark palette: the secondary lines of a systems list row (its label,
// notes and profile lines) on a plain and an alternate row, and every text of the
// map's controls panel on the panel (the secondary "Awareness" caption, the toggles
// and the filters' titles).
TEST_F(TextContrast, TextStandsApartFromWhatItIsDrawnOn)
{
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        QApplication::setPalette(dark ? darkPalette() : m_palette);
        startApp();
        Faction alpha;
        alpha.id = QUuid::createUuid();
        alpha.name = QStringLiteral("Alpha");
        universe()->setFactions({alpha});

        clickRowTitled(QStringLiteral("Systems"));
        settle();
        auto *list = view()->detailPage()->findChild<QListView *>();
        ASSERT_NE(list, nullptr);
        SystemRowContent secondary;
        secondary.label = QStringLiteral("00-0101 [A] \u00B7");
        secondary.notes = QStringLiteral("Hex notes of the system");
        secondary.mainWorldProfile = QStringLiteral("A788899-C");
        secondary.mainWorldNotes = QStringLiteral("World notes");
        for (const bool alternate : {false, true}) {
            SCOPED_TRACE(alternate ? "alternate row" : "row");
            const QImage with = paintedRow(*list, secondary, alternate);
            const QImage without = paintedRow(*list, SystemRowContent(), alternate);
            ASSERT_NE(with, without);
            const QRect info(0, 0, 2 * (SystemRowDelegate::kInfoWidth + 4), with.height());
            EXPECT_GE(strongestContrast(without, with, info), kReadable);
        }

        clickRowTitled(QStringLiteral("Star Map"));
        settle();
        auto *map = qobject_cast<StarMapView *>(view()->detailPage());
        ASSERT_NE(map, nullptr);
        int texts = 0;
        for (QWidget *widget : map->controlsPanel()->findChildren<QWidget *>()) {
            auto *label = qobject_cast<QLabel *>(widget);
            auto *button = qobject_cast<QAbstractButton *>(widget);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (text.isEmpty() || !widget->isVisible())
                continue;
            const auto show = [label, button](const QString &shown) {
                if (label)
                    label->setText(shown);
                else
                    button->setText(shown);
            };
            const QImage with = drawnInWindow(widget);
            show(QString(text.size(), u' '));
            const QImage without = drawnInWindow(widget);
            show(text);
            EXPECT_GE(strongestContrast(without, with, with.rect()), kReadable) << text.toStdString();
            ++texts;
        }
        EXPECT_GE(texts, 10);
        m_app.reset();
        settle();
    }
}

// In a light and a dark palette, each status text where it stands, showing a message:
// it stands 4.5:1 apart from what it is drawn on and keeps the hue that says what it
// tells (a failure red, a success green): the save failures of the generator, the
// system editor and an editor form, the import's error and result lines, and the main
// window's save-failure banner.
TEST_F(TextContrast, StatusTextsStandApartAndKeepTheirHue)
{
    struct StatusText
    {
        const char *screen;
        const char *name; // empty: the main window's banner
        Hue hue;
    };
    const StatusText texts[] = {
        {"System Generator", "saveStatus", Hue::red},
        {"Systems", "saveStatus", Hue::red}, // on the system editor
        {"New Faction", "saveFailure", Hue::red},
        {"Traveller Map import", "errorMessage", Hue::red},
        {"Traveller Map import", "resultMessage", Hue::green},
        {"Star Map", "", Hue::none},
    };
    const QString message =
        QStringLiteral("Failed to save StarfarerUniverse to /home/referee/Universes.json");
    const HexData hex = test_records::aHex({0, 0, 2, 3}).named(QStringLiteral("Kestrel"));
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        QApplication::setPalette(dark ? darkPalette() : m_palette);
        startApp();
        universe()->setData({hex});
        for (const StatusText &text : texts) {
            SCOPED_TRACE(std::string(text.screen) + " " + text.name);
            clickRowTitled(QString::fromLatin1(text.screen));
            settle();
            QWidget *page = view()->detailPage();
            if (auto *systems = qobject_cast<SystemListView *>(page)) {
                systems->showEditor(EditRoute{hex});
                page = systems->currentPage();
            }
            QWidget *shown = *text.name ? page->findChild<QLabel *>(QString::fromLatin1(text.name))
                                        : static_cast<QWidget *>(window()->saveFailureBanner());
            ASSERT_NE(shown, nullptr);
            showText(shown, message);
            shown->show();
            settle();
            // A long form is scrolled to where its message stands.
            for (QWidget *w = shown; w; w = w->parentWidget()) {
                if (auto *scroll = qobject_cast<QScrollArea *>(w))
                    scroll->ensureWidgetVisible(shown);
            }
            const QImage with = drawnInWindow(shown);
            showText(shown, QString(message.size(), u' '));
            const QImage without = drawnInWindow(shown);
            const ContrastPeak peak = strongestContrastPixel(without, with, with.rect());
            EXPECT_GE(peak.contrast, kReadable);
            EXPECT_TRUE(shows(text.hue, peak.color)) << QColor(peak.color).name().toStdString();
        }
        m_app.reset();
        settle();
    }
}
