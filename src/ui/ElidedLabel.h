#pragma once

#include <QWidget>

// One line of text that is cut with an ellipsis when it does not fit, instead of
// widening its layout. The full text stays available as text() and, shortened, as
// the tooltip. It asks for room for its whole text only up to a sane width, so that
// no text sizes the window it stands in, and it measures and cuts a text once for
// each width rather than at every paint. Its contents margins are kept free around
// the text.
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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The part of the text that can be shown at all: no view measures a megabyte.
    QString showablePart() const;
    void forgetMeasures();

    QString m_text;
    Qt::TextElideMode m_mode = Qt::ElideRight;
    mutable int m_textWidth = -1;     // the whole line's width; -1 until measured
    mutable int m_shownForWidth = -1; // the width m_shown was cut for
    mutable QString m_shown;
};
