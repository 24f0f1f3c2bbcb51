#pragma once

#include "RotatingIcon.h"

// The small spinner that shows work under way: twelve spokes in the text colour,
// fading behind the leading one, turning once a second while shown.
class ProgressSpinner : public RotatingIcon
{
    Q_OBJECT

public:
    static constexpr int kWidth = 16;

    explicit ProgressSpinner(QWidget *parent = nullptr);

    // The spokes in `color` on a transparent square of `pixels` pixels, the leading
    // spoke pointing up.
    static QImage image(int pixels, const QColor &color);
};
