#pragma once

#include <QTextLayout>
#include <QWidget>

#include <optional>

// One line of text that is cut with an ellipsis when it does not fit, instead of
// widening its layout. The full text stays available as text() and, shortened, as
// the tooltip. It asks for room for its whole text only up to a sane width, so that
// no text sizes the window it stands in, and it measures and cuts a text once for
// each width rather than at every paint. Its contents margins are kept free around
// the text.
//
// A selectable label lets the user select the line as shown with the mouse (a double
// click selects all of it) and copy the selection with the copy key or its context
// menu. What is copied is the text itself: a selection that takes in the ellipsis
// takes in what the ellipsis stands for, so copying the whole line copies the whole
// text, and line breaks shown as blanks are copied as line breaks.
class ElidedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text = QString(), QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // Where the ellipsis goes; at the right unless set.
    void setElideMode(Qt::TextElideMode mode);
    // The text as it is drawn at the current width.
    QString shownText() const;

    void setSelectable(bool selectable);
    // The part of the text the selection stands for; empty without a selection.
    QString selectedText() const;
    void selectAll();
    // Puts the selected text on the clipboard; does nothing without a selection.
    void copy() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The line as drawn at one width, laid out once, and how it stands for the text:
    // its first `head` and last `tail` characters are the text's own; what lies
    // between them (the ellipsis) stands for the rest of the text.
    struct Line
    {
        int width = -1;
        QString shown;
        qsizetype head = 0;
        qsizetype tail = 0;
        std::optional<QTextLayout> layout;
    };

    // The part of the text that can be shown at all: no view measures a megabyte.
    QString showablePart() const;
    const Line &line() const;
    QPointF lineOrigin() const;
    // The position in the shown line nearest to `point`.
    qsizetype positionAt(const QPointF &point) const;
    // Where a selection that starts, or ends, at `position` of the shown line starts
    // or ends in the text.
    qsizetype textStart(qsizetype position) const;
    qsizetype textEnd(qsizetype position) const;
    bool hasSelection() const { return m_anchor != m_cursor; }
    void clearSelection();
    void forgetMeasures();

    QString m_text;
    Qt::TextElideMode m_mode = Qt::ElideRight;
    bool m_selectable = false;
    // The selection, as positions in the shown line.
    qsizetype m_anchor = 0;
    qsizetype m_cursor = 0;
    mutable int m_textWidth = -1; // the whole line's width; -1 until measured
    mutable Line m_line;
};

// An ElidedLabel that shows `text` in `font`, named `objectName` when one is given.
ElidedLabel *elidedLabel(const QString &text, const QFont &font, QWidget *parent,
                         const char *objectName = nullptr);
