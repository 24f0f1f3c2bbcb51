#include "RoutedWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QVBoxLayout>

RoutedWindow::RoutedWindow(const QString &id, std::optional<GalacticCoordinates> coordinates,
                           QWidget *content)
    : QWidget(nullptr, Qt::Window), m_id(id), m_coordinates(coordinates), m_content(content)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);

    // A tool window closes from the keyboard as desktop windows do. The shortcuts
    // belong to this window only, so they never close the main window or another.
    auto *closeAction = new QAction(tr("Close Window"), this);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)}) {
        if (!keys.contains(key))
            keys.append(key);
    }
    closeAction->setShortcuts(keys);
    closeAction->setShortcutContext(Qt::WindowShortcut);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);
}

void RoutedWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
