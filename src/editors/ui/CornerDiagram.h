#pragma once

#include <QWidget>

// A small hexagon with its six corners numbered 1 to 6, clockwise from the right-hand
// vertex, with one corner highlighted: which corner of a hex the next region anchor
// will use. A corner outside 0 to 5 highlights none.
class CornerDiagram : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 96;

    explicit CornerDiagram(QWidget *parent = nullptr);

    qint64 selected() const { return m_selected; }
    void setSelected(qint64 corner);

    // Vertex k of the drawn hexagon, and the centre of its number.
    static QPointF vertex(int corner);
    static QPointF numberCentre(int corner);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qint64 m_selected = 0;
};
