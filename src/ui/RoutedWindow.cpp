#include "RoutedWindow.h"

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
}

void RoutedWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
