// Texts from a universe file are not trusted: markup in a name, a note or a label is
// shown as the characters it is made of, on every screen and in every tooltip, and
// an image it names is never loaded.
#include "AppTestSupport.h"

#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/MapObjectListView.h"
#include "model/StarSystemGeneration.h"
#include "screens/EditRoute.h"
#include "screens/ui/SystemListView.h"
#include "starmap/ui/StarMapView.h"
#include "starmap/ui/SystemOverlayCard.h"
#include "ui/ElidedLabel.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <functional>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

// An image file that tells whether anything opened it since it was made.
class ProbeImage
{
public:
    ProbeImage()
    {
        m_path = m_dir.filePath(QStringLiteral("probe.png"));
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(m_path));
        m_watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        EXPECT_GE(m_watch, 0);
        EXPECT_GE(inotify_add_watch(m_watch, QFile::encodeName(m_path).constData(), IN_OPEN | IN_ACCESS), 0);
    }
    ~ProbeImage() { close(m_watch); }

    QString path() const { return m_path; }

    // Whether the file was opened or read since the last call.
    bool wasTouched()
    {
        alignas(inotify_event) char buffer[4096];
        bool touched = false;
        while (read(m_watch, buffer, sizeof buffer) > 0)
            touched = true;
        return touched;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_watch = -1;
};

// A system whose name, notes and main world (name and notes) are `text`; its other
// worlds keep their generated names.
HexData systemNamed(const GalacticCoordinates &at, const QString &text, const QUuid &factionID)
{
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates = at;
    hex.starSystem = generateStarSystem(std::nullopt, false, TechnologyLevel::ttl12, true);
    hex.starSystem.name = text;
    hex.notes = text;
    for (Star &star : hex.starSystem.stars) {
        for (WorldData &world : star.worlds) {
            world.factionIDs = {factionID};
            if (world.mainWorld) {
                world.name = text;
                world.notes = text;
            }
        }
    }
    return hex;
}

// Asks every shown widget, and every visible row of every list, for its tooltip, as
// resting the pointer on it does; names those whose label or tooltip Qt would take
// as rich text.
QStringList hoverEverything(QWidget *root)
{
    QStringList unsafe;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : std::as_const(widgets)) {
        if (!widget->isVisible())
            continue;
        const QString name =
            QString::fromLatin1(widget->metaObject()->className()) + u'#' + widget->objectName();
        if (const auto *label = qobject_cast<QLabel *>(widget)) {
            if (label->textFormat() != Qt::PlainText && label->text().contains(u"<img"))
                unsafe.append(name + QStringLiteral(" label"));
        }
        if (widget->toolTip().contains(u"<img") && Qt::mightBeRichText(widget->toolTip()))
            unsafe.append(name + QStringLiteral(" tooltip"));
        const QPoint centre = widget->rect().center();
        QHelpEvent help(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
        QCoreApplication::sendEvent(widget, &help);
        if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            const QAbstractItemModel *model = view->model();
            for (int row = 0; model && row < std::min(model->rowCount(), 40); ++row) {
                for (int column = 0; column < model->columnCount(); ++column) {
                    const QModelIndex index = model->index(row, column);
                    const QString tip = index.data(Qt::ToolTipRole).toString();
                    if (tip.contains(u"<img") && Qt::mightBeRichText(tip))
                        unsafe.append(name + QStringLiteral(" row tooltip"));
                    const QRect rect = view->visualRect(index);
                    if (!rect.isValid())
                        continue;
                    QHelpEvent rowHelp(QEvent::ToolTip, rect.center(),
                                       view->viewport()->mapToGlobal(rect.center()));
                    QCoreApplication::sendEvent(view->viewport(), &rowHelp);
                }
            }
        }
    }
    QToolTip::hideText();
    return unsafe;
}

} // namespace

class UntrustedText : public AppTest
{
protected:
    // Stores and remembers a universe in which every name, note and label is `text`.
    void storeUniverse(const QString &text)
    {
        StarfarerUniverse stored(folder());
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.name = text;
        faction.shortName = text;
        faction.description = text;
        faction.category = FactionCategory::political;
        faction.assets = {FactionAsset{}};
        faction.assets.first().name = text;
        stored.setName(text);
        stored.setFactions({faction});
        stored.setFactionLists({FactionList{QUuid::createUuid(), text, {faction.id}}});
        m_hex = systemNamed({0, 0, 2, 2}, text, faction.id);
        stored.setData({m_hex, systemNamed({0, 0, 3, 3}, text, faction.id)});
        Region region;
        region.id = QUuid::createUuid();
        region.name = text;
        region.anchors = {RegionAnchor{{0, 0, 2, 2}, 0}, RegionAnchor{{0, 0, 3, 3}, 0}};
        stored.setRegions({region});
        stored.setNebulae({Nebula{QUuid::createUuid(), text, NebulaType::emission, {{0, 0, 2, 2}}}});
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = text;
        label.category = text;
        label.size = 18;
        label.position = {0, 0, 2, 2};
        stored.setStarmapLabels({label});
        Rutter rutter;
        rutter.id = QUuid::createUuid();
        rutter.factionID = faction.id;
        rutter.start = {0, 0, 2, 2};
        rutter.end = {0, 0, 3, 3};
        stored.setRutters({rutter});
        ASSERT_TRUE(stored.saveNow());
        remember(stored.id());
    }

    // Shows every screen of the sidebar, an element of each map-object list, the
    // faction editor, the system's detail view and editor, the map's card and the
    // windows it opens, and runs `check` on the window of each.
    void visitEveryScreen(const std::function<void(QWidget *window, const std::string &where)> &check)
    {
        check(window(), "start");
        toggleGroup(FactionCategory::political);
        for (int row = 0; row < list()->count(); ++row) {
            QListWidgetItem *item = list()->item(row);
            if (list()->itemWidget(item) || !(item->flags() & Qt::ItemIsSelectable))
                continue;
            clickRow(item);
            const std::string where = item->text().left(40).toStdString();
            check(window(), where);
            if (auto *objects = qobject_cast<MapObjectListView *>(view()->detailPage())) {
                const QVariant first = objects->model()->index(0, 0).data(MapObjectListModel::IdRole);
                if (first.isValid()) {
                    objects->select(MapObjectListView::Selection{first.toUuid()});
                    check(window(), where + " element");
                }
            }
        }

        clickRowTitled(QStringLiteral("Systems"));
        auto *systems = qobject_cast<SystemListView *>(view()->detailPage());
        ASSERT_NE(systems, nullptr);
        systems->showDetail(m_hex);
        check(window(), "detail");
        systems->showEditor(EditRoute{m_hex});
        check(window(), "editor");

        clickRowTitled(QStringLiteral("Star Map"));
        auto *map = qobject_cast<StarMapView *>(view()->detailPage());
        ASSERT_NE(map, nullptr);
        map->search(m_hex.coordinates.description());
        SystemOverlayCard *card = map->overlayCard();
        ASSERT_NE(card, nullptr);
        check(window(), "card");
        card->worldInfoButton()->click();
        card->travelButton()->click();
        for (RoutedWindow *open : m_app->router()->openWindows())
            check(open, open->id().toStdString());
    }

    HexData m_hex;
};

class MarkupInTexts : public UntrustedText
{
protected:
    void SetUp() override
    {
        m_text =
            QStringLiteral("<b>Bold</b><img src=\"%1\"> & <a href=\"file:///\">link</a>").arg(m_probe.path());
        storeUniverse(m_text);
        m_probe.wasTouched(); // writing it is no concern
    }

    // Hovers everything in `root`; nothing may be rich text, nothing may load the probe.
    void expectLiteral(QWidget *root, const std::string &where)
    {
        settle();
        EXPECT_EQ(hoverEverything(root), QStringList()) << where;
        EXPECT_FALSE(m_probe.wasTouched()) << where << ": the image named in a text was loaded";
    }

    ProbeImage m_probe;
    QString m_text;
};

TEST_F(MarkupInTexts, EveryScreenAndTooltipShowsItLiterallyAndLoadsNothing)
{
    startApp();
    ASSERT_EQ(universe()->name(), m_text);
    EXPECT_EQ(view()->universeMenuButton()->labelName(), m_text);
    visitEveryScreen([this](QWidget *root, const std::string &where) { expectLiteral(root, where); });
}

TEST_F(MarkupInTexts, TheQuitQuestionQuotesTheNameLiterally)
{
    startApp();
    const QString file = universe()->filePath();
    ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file)); // a folder: saving fails
    universe()->save();
    window()->quitAction()->trigger();
    // The question comes once the pending save's outcome is in.
    QMessageBox *box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) != nullptr; }, 30000));
    box->adjustSize(); // lays the texts out, as showing them does
    hoverEverything(box);
    const bool touched = m_probe.wasTouched();
    const QString text = box->textFormat() == Qt::PlainText ? box->text() : QString();
    const QString shownInformation = box->informativeText();
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == QStringLiteral("Cancel"))
            button->click();
    }
    settle();
    EXPECT_FALSE(touched);
    EXPECT_TRUE(text.startsWith(QStringLiteral("The latest changes to \u201C") + m_text.left(40)))
        << text.toStdString();
    EXPECT_TRUE(shownInformation.contains(QDir::toNativeSeparators(file)) || shownInformation.contains(file))
        << shownInformation.toStdString();
    EXPECT_TRUE(window()->isVisible());
    ASSERT_TRUE(QDir(file).removeRecursively());
}

TEST_F(UntrustedText, MegabyteNamesAndNotesNeverSizeAWindow)
{
    // One unbroken megabyte: no word break to wrap at.
    storeUniverse(QString(1'000'000, u'W'));
    startApp();
    window()->resize(1200, 800);
    settle();
    ASSERT_EQ(window()->size(), QSize(1200, 800));
    visitEveryScreen([this](QWidget *root, const std::string &where) {
        settle();
        if (root == window()) {
            EXPECT_EQ(window()->size(), QSize(1200, 800)) << where;
            EXPECT_LE(window()->minimumSizeHint().width(), 1200) << where;
        } else {
            const WindowScene *scene = WindowRouter::scene(static_cast<RoutedWindow *>(root)->id());
            ASSERT_NE(scene, nullptr);
            EXPECT_EQ(root->size(), scene->defaultSize) << where;
        }
        EXPECT_LT(root->windowTitle().size(), 100) << where; // a window manager is not handed a megabyte
        root->grab();                                        // everything shown is drawn
    });
}
