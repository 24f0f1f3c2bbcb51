#pragma once

#include <QColor>
#include <QWidget>

// How a label will look on the star map: its text (or "Label" while it has none) on
// its lines in the map's display typeface at the label's size, at most 40, in its
// colour, turned by its angle about the centre of a rounded panel of the map's
// background. A text that, turned, would reach past the panel is drawn smaller, so
// that it shows whole.
class StarmapLabelPreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 120;
    static constexpr double kLargestSize = 40.0;

    explicit StarmapLabelPreview(QWidget *parent = nullptr);

    void setLabel(const QString &text, const QColor &color, double size, double angleDegrees);
    QString shownText() const;
    // The pixel size of the text drawn.
    int shownSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color;
    double m_size = 0.0;
    double m_angleDegrees = 0.0;
};
