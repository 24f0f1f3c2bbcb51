#include "app/AboutWindow.h"
#include "app/ExternalLinks.h"
#include "ui/RotatingIcon.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString labelText(const AboutWindow &window, const char *name)
{
    const auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

void hover(QWidget *widget, bool entering)
{
    if (entering) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &leave);
    }
}

// A mouse event on the window's background, at `offset` from its centre.
void sendMouse(AboutWindow &about, QEvent::Type type, QPoint offset, Qt::MouseButtons held)
{
    const QPointF local = QPointF(about.rect().center() + offset);
    QMouseEvent event(type, local, about.mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&about, &event);
}

} // namespace

// The notices carry the year of the clock, as a year (no group separator), and are
// rebuilt from the clock at the next hover change.
TEST(AboutWindow, TheYearsFollowTheClockAtTheNextHoverChange)
{
    QDate today(2030, 12, 31);
    AboutWindow about([&today] { return today; });
    EXPECT_EQ(labelText(about, "copyright"), AboutWindow::copyrightLine(2030));
    EXPECT_FALSE(AboutWindow::copyrightLine(2031).contains(QStringLiteral("2,031")));
    EXPECT_TRUE(AboutWindow::rulesNotice(2031).contains(QStringLiteral("1977–2031")));

    today = QDate(2031, 1, 1);
    EXPECT_EQ(labelText(about, "copyright"), AboutWindow::copyrightLine(2030)); // not yet rebuilt
    hover(about.icon(), true);
    EXPECT_EQ(labelText(about, "copyright"), AboutWindow::copyrightLine(2031));
    EXPECT_EQ(labelText(about, "rulesNotice"), AboutWindow::rulesNotice(2031));
    EXPECT_EQ(labelText(about, "independenceNotice"), AboutWindow::independenceNotice(2031));
}

TEST(AboutWindow, HoveringTheIconSpeedsItsTurnAndLeavingSlowsItAgain)
{
    AboutWindow about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_FALSE(about.isHovering());
    QPointer<RotatingIcon> resting = about.icon();
    ASSERT_TRUE(resting);
    const int restingDuration = resting->turnDuration();
    EXPECT_TRUE(resting->isTurning());

    hover(resting, true);
    EXPECT_TRUE(about.isHovering());
    RotatingIcon *fast = about.icon();
    ASSERT_NE(fast, nullptr);
    EXPECT_NE(fast, resting.data()); // a new icon, starting its turn again
    EXPECT_LT(fast->turnDuration(), restingDuration);
    EXPECT_EQ(fast->rotation(), 0);
    EXPECT_TRUE(fast->isTurning());

    // The replaced icon going away does not count as the pointer leaving.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(resting.isNull());
    EXPECT_TRUE(about.isHovering());

    hover(fast, false);
    EXPECT_FALSE(about.isHovering());
    EXPECT_EQ(about.icon()->turnDuration(), restingDuration);
}

TEST(AboutWindow, NeverLaysOutSmallerThanItsMinimum)
{
    AboutWindow about;
    about.resize(300, 200);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_GE(about.width(), 650);
    EXPECT_GE(about.height(), 580);
    // Content stays at the top in a taller window.
    about.resize(900, 1200);
    QCoreApplication::processEvents();
    const auto *name = about.findChild<QLabel *>(QStringLiteral("name"));
    ASSERT_NE(name, nullptr);
    EXPECT_LT(name->geometry().bottom(), 300);
    EXPECT_NEAR(name->geometry().center().x(), about.width() / 2, 2);
}

TEST(AboutWindow, LinksOpenTheGuideAndTheMakersSite)
{
    QList<QUrl> opened;
    ExternalLinks::ScopedUrlOpener opener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    AboutWindow about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.findChild<QPushButton *>(QStringLiteral("documentation")), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QPushButton *>(QStringLiteral("developerWebsite")), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], ExternalLinks::helpGuideUrl());
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(QFileInfo(opened[0].toLocalFile()).isFile());
    EXPECT_EQ(opened[1], ExternalLinks::makerWebsite());
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("https"));
}

// The window moves only after the pointer went the drag distance with the button
// down; a short click, or a wobble within the distance, leaves it where it is.
TEST(AboutWindow, DraggingTheBackgroundMovesTheWindowOnlyPastTheDragDistance)
{
    AboutWindow about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    const QPoint start = about.pos();
    const int distance = QApplication::startDragDistance();
    const QPoint far(distance * 4, 0);

    sendMouse(about, QEvent::MouseButtonPress, {}, Qt::LeftButton);
    sendMouse(about, QEvent::MouseButtonRelease, {}, Qt::NoButton);
    sendMouse(about, QEvent::MouseMove, far, Qt::NoButton);
    sendMouse(about, QEvent::MouseButtonPress, {}, Qt::LeftButton);
    sendMouse(about, QEvent::MouseMove, {distance - 1, 0}, Qt::LeftButton);
    EXPECT_EQ(about.pos(), start);
    sendMouse(about, QEvent::MouseMove, far, Qt::LeftButton);
    EXPECT_EQ(about.pos(), start + far);
}
