#pragma once

// Pixel checks of what the program draws: where two drawings of the same thing
// differ, and how dark a part of a drawing is.

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>

// The smallest rectangle holding every pixel that differs between two images of one
// size; empty when they are alike.
inline QRect differingRect(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    QRect found;
    for (int y = 0; y < std::min(left.height(), right.height()); ++y) {
        for (int x = 0; x < std::min(left.width(), right.width()); ++x) {
            if (left.pixel(x, y) != right.pixel(x, y))
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

// The lowest grey level (0 black, 255 white) within `area`.
inline int darkestGray(const QImage &image, const QRect &area)
{
    int darkest = 255;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return darkest;
}

// The relative luminance of a colour, as the accessibility guidelines define it.
inline double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

// The contrast ratio of two colours as the accessibility guidelines define it (1 to 21).
inline double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A pixel of `with` that stands out from the same pixel of `without`, and how far.
struct ContrastPeak
{
    double contrast = 1;
    QRgb color = 0;
};

// How clearly what `with` adds to `without` stands out from what lies under it: the
// pixel, within `area`, whose contrast with the same pixel of `without` is the
// strongest (contrast 1 where they are alike).
inline ContrastPeak strongestContrastPixel(const QImage &without, const QImage &with, const QRect &area)
{
    const QImage under = without.convertToFormat(QImage::Format_RGB32);
    const QImage over = with.convertToFormat(QImage::Format_RGB32);
    const QRect inside = area & under.rect() & over.rect();
    ContrastPeak peak;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const double found = contrast(under.pixel(x, y), over.pixel(x, y));
            if (found > peak.contrast)
                peak = {found, over.pixel(x, y)};
        }
    }
    return peak;
}

inline double strongestContrast(const QImage &without, const QImage &with, const QRect &area)
{
    return strongestContrastPixel(without, with, area).contrast;
}

// Whether `with` shows, where `without` does not, the edge of a ring of `deep` inside a
// white one: within `area`, two pixels of `deep` (one of them new) in a row or a column
// going inwards, right after a white one.
inline bool showsRingEdge(const QImage &without, const QImage &with, QRgb deep, const QRect &area)
{
    const QImage under = without.convertToFormat(QImage::Format_RGB32);
    const QImage over = with.convertToFormat(QImage::Format_RGB32);
    const auto near = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                         std::abs(qBlue(a) - qBlue(b))}) <= 16;
    };
    const QRect inside = area & under.rect() & over.rect();
    for (int y = inside.top(); y <= inside.bottom() - 2; ++y) {
        for (int x = inside.left(); x <= inside.right() - 2; ++x) {
            const QRgb first = over.pixel(x, y);
            if (!near(first, qRgb(255, 255, 255)))
                continue;
            for (const QPoint step : {QPoint(0, 1), QPoint(1, 0)}) {
                const QPoint next = QPoint(x, y) + step;
                if (near(over.pixel(next), deep) && near(over.pixel(next + step), deep) &&
                    over.pixel(next) != under.pixel(next))
                    return true;
            }
        }
    }
    return false;
}
