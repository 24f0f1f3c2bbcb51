#pragma once

#include <QComboBox>

class QStyleOptionComboBox;

// A combo box that cuts its chosen entry with an ellipsis when it is narrower than
// the entry, instead of clipping it. It asks for the width of its widest entry, as a
// box that adjusts to its contents does, though never for more than its screen's
// width, and a layout may make it as narrow as a few characters: long entries (names)
// never size the window it stands in, nor the form it fills before a layout places it.
class ElidedComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ElidedComboBox(QWidget *parent = nullptr);

    // The chosen entry as the box shows it at its current width.
    QString shownText() const;

    QSize sizeHint() const final;
    QSize minimumSizeHint() const override;

protected:
    // What the entries need, before the screen bounds it.
    virtual QSize contentsSizeHint() const;
    void paintEvent(QPaintEvent *event) override;

private:
    // The style's option for the box, its text cut to the room the box has for it.
    QStyleOptionComboBox shownOption() const;
};
