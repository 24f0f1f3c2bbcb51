#include "PaintWatch.h"

#include <QCoreApplication>
#include <QEvent>

PaintWatch::PaintWatch(std::function<QWidget *()> root) : m_root(std::move(root))
{
    QCoreApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    QWidget *root = m_root();
    auto *widget = static_cast<QWidget *>(watched);
    if (root && (widget == root || root->isAncestorOf(widget))) {
        ++m_paints;
        m_lastPainted = root;
    }
    return false;
}
