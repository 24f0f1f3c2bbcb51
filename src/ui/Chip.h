#pragma once

#include <QColor>
#include <QWidget>

class QHBoxLayout;
struct Faction;

// A small caption on a rounded, filled rectangle: the tags and factions of a world.
// 3 pixels of padding above and below, 5 at the sides, corner radius 5. Its text is
// cut with an ellipsis only when the chip is given less than its width. Chips only
// show; clicking them does nothing.
class Chip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHorizontalPadding = 5;
    static constexpr int kVerticalPadding = 3;
    static constexpr int kSpacing = 3;

    explicit Chip(const QColor &fill, QWidget *parent = nullptr);

    QColor fill() const { return m_fill; }
    // The row the chip's content goes in.
    QHBoxLayout *contentLayout() const { return m_layout; }
    // The texts of the chip's labels, in order, joined by a blank: what the chip reads.
    QString text() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    QHBoxLayout *m_layout;
};

// A world tag's chip: its title in "smallTitle" on "worldTag".
Chip *tagChip(const QString &title, QWidget *parent = nullptr);
// A row of chips at their own sizes. Where its width runs out they wrap onto further
// lines; or, given `more` (an ellipsis chip), they stay on one line and those that do
// not fit give way to it.
QWidget *chipRow(const QList<Chip *> &chips, QWidget *parent = nullptr, Chip *more = nullptr);
// A faction's chip: its badge in the palette's text colour on the faction's colour.
Chip *factionChip(const Faction &faction, QWidget *parent = nullptr);
