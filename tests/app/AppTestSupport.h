#pragma once

#include "app/ControlView.h"
#include "app/FactionGroupHeader.h"
#include "app/MainWindow.h"
#include "app/SidebarList.h"
#include "app/UniverseMenuButton.h"
#include "app/VostrelApp.h"
#include "universe/TestMapObjects.h"
#include "universe/UniverseManager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// The whole application on a temporary documents folder and settings file: tests
// drive the real main window and never touch the user's universes.
class AppTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::setOrganizationName(m_organisation);
        QApplication::setApplicationName(m_application);
    }

    UniverseFolder folder() const { return UniverseFolder(m_documents.path()); }

    // Writes a universe file as the program would find it; `extra` adds keys.
    QString writeUniverse(const QUuid &id, const QString &name, const QByteArray &extra = {}) const
    {
        QDir().mkpath(folder().universesPath());
        const QString path = folder().fileFor(id);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"id\": \"" + id.toString(QUuid::WithoutBraces).toUpper().toUtf8() + "\", \"name\": \"" +
                   name.toUtf8() + "\"" + extra + "}");
        return path;
    }

    void remember(const QUuid &id)
    {
        m_settings.setValue(QStringLiteral("lastUniverseID"), id.toString(QUuid::WithoutBraces).toUpper());
        m_settings.sync();
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Makes the application (its store starts at once) and shows the main window.
    void startApp()
    {
        m_app = std::make_unique<VostrelApp>(folder(), &m_settings);
        m_app->start();
        m_app->mainWindow()->resize(1000, 700);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_app->mainWindow()));
    }

    MainWindow *window() const { return m_app->mainWindow(); }
    UniverseManager *manager() const { return m_app->manager(); }
    StarfarerUniverse *universe() const { return m_app->manager()->current(); }
    ControlView *view() const { return window()->controlView(); }
    SidebarList *list() const { return view()->sidebarList(); }

    // Lets queued work run (menu choices are carried out once the menu has closed)
    // and deletes what was handed to deleteLater().
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The area of its window that `control` covers, as it is drawn now.
    static QImage drawnInWindow(QWidget *control)
    {
        QWidget *window = control->window();
        return window->grab(QRect(control->mapTo(window, QPoint()), control->size())).toImage();
    }

    // What each row of the sidebar reads: its text, or its group header's title.
    QStringList rowTitles() const
    {
        QStringList titles;
        for (int row = 0; row < list()->count(); ++row) {
            QListWidgetItem *item = list()->item(row);
            const auto *header = qobject_cast<FactionGroupHeader *>(list()->itemWidget(item));
            titles.append(header ? header->title() : item->text());
        }
        return titles;
    }

    QStringList selectedTitles() const
    {
        QStringList titles;
        for (const QListWidgetItem *item : list()->selectedItems())
            titles.append(item->text());
        return titles;
    }

    // Clicks a row as the user would, optionally with modifiers.
    void clickRow(QListWidgetItem *item, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        ASSERT_NE(item, nullptr);
        list()->scrollToItem(item);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers,
                          list()->visualItemRect(item).center());
    }

    void clickRowTitled(const QString &title) const
    {
        const QList<QListWidgetItem *> found = list()->findItems(title, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << title.toStdString();
        clickRow(found.first());
    }

    void toggleGroup(FactionCategory category) const
    {
        FactionGroupHeader *header = list()->groupHeader(category);
        ASSERT_NE(header, nullptr);
        QTest::mouseClick(header, Qt::LeftButton);
        settle();
    }

    QMenu *universeMenu() const { return view()->universeMenuButton()->menu(); }

    // Menu entries are compared by what they show: QAction::iconText() is the text
    // without its mnemonic markers, so a lone "&" in a name would be lost there.
    QStringList menuTexts() const
    {
        QStringList texts;
        for (const QAction *action : universeMenu()->actions())
            texts.append(action->isSeparator() ? QStringLiteral("---") : action->iconText());
        return texts;
    }

    // The entries that show a check indicator. The style draws one, an empty box when
    // unchecked, for every checkable entry, so only the open universe may be checkable.
    QStringList checkedMenuTexts() const
    {
        QStringList texts;
        for (const QAction *action : universeMenu()->actions()) {
            if (action->isCheckable() || action->isChecked()) {
                EXPECT_TRUE(action->isChecked()) << action->text().toStdString() << " shows an empty box";
                texts.append(action->iconText());
            }
        }
        return texts;
    }

    // Chooses a menu entry (the n-th with that text) and lets it be carried out: a
    // universe chosen is read on a worker thread, and the event loop runs until the
    // store has taken it in.
    void chooseFromMenu(const QString &text, int occurrence = 0) const
    {
        QList<QAction *> matches;
        for (QAction *action : universeMenu()->actions()) {
            if (action->iconText() == text)
                matches.append(action);
        }
        ASSERT_GT(matches.size(), occurrence) << text.toStdString();
        matches.at(occurrence)->trigger();
        settle();
        waitWhileOpening();
    }

    // Runs the event loop while the store opens a universe.
    void waitWhileOpening() const
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !manager()->opening(); }, 10000)) << "still opening";
        settle();
    }

    // The universe alert on screen, as a top-level window of the application.
    static QDialog *shownAlert()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QDialog *>(widget);
            if (dialog && dialog->isVisible() && dialog->objectName() == QStringLiteral("universeAlert"))
                return dialog;
        }
        return nullptr;
    }

    static QAbstractButton *buttonTitled(QWidget *dialog, const QString &text)
    {
        for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }

    // Answers the next message box with the button titled `answer` once it is on
    // screen, even when it comes up from queued work, and keeps what it said.
    class NextQuestion
    {
    public:
        explicit NextQuestion(QString answer) : m_answer(std::move(answer))
        {
            QObject::connect(&m_poll, &QTimer::timeout, [this] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                m_poll.stop();
                m_text = box->text();
                m_informativeText = box->informativeText();
                if (QAbstractButton *button = buttonTitled(box, m_answer))
                    button->click();
            });
            m_poll.start(1);
        }
        bool asked() const { return !m_text.isEmpty(); }
        const QString &text() const { return m_text; }
        const QString &informativeText() const { return m_informativeText; }

    private:
        QString m_answer, m_text, m_informativeText;
        QTimer m_poll;
    };

    // Presses a button of a dialog, and runs the event loop until what it asked the
    // store to do (create, delete) is done.
    void press(QWidget *dialog, const QString &text) const
    {
        QAbstractButton *button = buttonTitled(dialog, text);
        ASSERT_NE(button, nullptr) << text.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        waitWhileOpening();
    }

    QTemporaryDir m_documents;
    QSettings m_settings{m_documents.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    std::unique_ptr<VostrelApp> m_app;

private:
    QString m_organisation = QApplication::organizationName();
    QString m_application = QApplication::applicationName();
};
