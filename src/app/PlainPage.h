#pragma once

#include <QWidget>

class QLabel;

// The page a destination shows until its own screen is built: its title, large, at
// the top of an otherwise empty page.
class PlainPage : public QWidget
{
    Q_OBJECT

public:
    explicit PlainPage(const QString &title, QWidget *parent = nullptr);

    QString title() const;

private:
    QLabel *m_title;
};
