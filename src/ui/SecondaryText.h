#pragma once

class QColor;
class QWidget;

// Text colours worked out against the background the text is drawn on, so that the
// text stays readable (4.5:1) on the form, a tile, a list row and the map's blue panel,
// in light and dark palettes:
// - secondary text: captions, coordinates, profile lines, notes lines and hints that are
//   meant to be read, set apart from the main text by a softer colour;
// - status text: what went wrong or what was done, in a colour that says so (red,
//   green) toned only as far as it must be to be read.

// The main text colour `text` toned towards `background` as far as it can go while it
// still stands 4.5:1 apart from it, the contrast text meant to be read needs. Where
// `text` itself falls short of that, black or white (whichever stands further apart)
// takes its place.
QColor secondaryTextColor(const QColor &text, const QColor &background);

// `hue` darkened (mixed with black) or lightened (mixed with white), towards whichever
// stands further apart from `background`, only as far as it must go to stand 4.5:1
// apart from it; a hue that already does is kept as it is. Red stays red, green green.
QColor statusTextColor(const QColor &hue, const QColor &background);

// The background `widget` is drawn on: the fill of the nearest tile or panel it stands
// in, else the colour of the nearest widget that fills its background, else its
// window's.
QColor backgroundBehind(const QWidget &widget);

// Shows the text of `widget` (its window-text colour) in the secondary colour over the
// background it is drawn on, worked out once it is polished, that is once it stands
// where it is shown.
void makeSecondary(QWidget *widget);

// What a status text tells: something failed (red) or was done (green).
enum class StatusTone { failure, success };

// Shows the text of `widget` in the hue of `tone` made readable (statusTextColor) over
// the background it is drawn on, worked out once it is polished.
void makeStatusText(QWidget *widget, StatusTone tone);
