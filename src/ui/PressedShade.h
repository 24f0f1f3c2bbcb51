#pragma once

class QAbstractButton;

// Shades a flat button that draws its own row while it is held down, the way list
// rows darken under the pointer.
void paintPressedShade(QAbstractButton &button);
