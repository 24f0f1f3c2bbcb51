#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// What a window manager may put around a window: a title bar above, borders at the
// sides and below. The frame is known only once the window is on screen, so a new
// window's size leaves this much room for it.
inline constexpr QMargins kWindowFrameAllowance(8, 40, 8, 8);

// The size a new window opens at: `wanted`, or less where the screen's `available`
// area could not hold it with its frame.
QSize sizeWithinScreen(const QSize &wanted, const QRect &available);
