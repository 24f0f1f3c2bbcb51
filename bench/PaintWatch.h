#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Counts the paint events of a widget and everything inside it, the widget being the
// one `root` names when the event comes (a page that replaces another is watched from
// the moment it exists).
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(std::function<QWidget *()> root);
    ~PaintWatch() override;

    int paints() const { return m_paints; }
    // The root that was painted last, or null.
    QWidget *lastPainted() const { return m_lastPainted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<QWidget *()> m_root;
    int m_paints = 0;
    QPointer<QWidget> m_lastPainted;
};
