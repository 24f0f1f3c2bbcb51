#pragma once

#include "Symbol.h"

#include <QWidget>

class QLabel;

// The empty state of a screen: a large faded symbol, a title and a line of
// explanation, centred in the space the screen has.
class ContentUnavailableView : public QWidget
{
    Q_OBJECT

public:
    ContentUnavailableView(const QString &title, Symbol symbol, const QString &description,
                           QWidget *parent = nullptr);

    QString title() const;
    QString description() const;
    Symbol symbol() const { return m_symbol; }

private:
    Symbol m_symbol;
    QLabel *m_title;
    QLabel *m_description;
};
