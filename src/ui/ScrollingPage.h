#pragma once

#include <QScrollArea>

// A frameless scroll area holding a page to read (a system's page, a reference, a
// table of figures), whose few controls, if any, cannot bring all of it into view.
// While its page is larger than the view it is a focus stop of its own, from which the
// arrow and page keys scroll it, and it carries the focus mark around the page, which
// keeps clear of the mark. A page that shows whole is passed over: it has nothing to
// do.
class ScrollingPage : public QScrollArea
{
    Q_OBJECT

public:
    explicit ScrollingPage(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
};
