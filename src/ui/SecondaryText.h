#pragma once

class QColor;
class QWidget;

// Secondary text: captions, coordinates, profile lines, notes lines and hints that are
// meant to be read, set apart from the main text by a softer colour. The colour is
// worked out against the background the text is drawn on, so that it stays readable
// on the form, a tile, a list row and the map's blue panel, in light and dark palettes.

// The main text colour `text` toned towards `background` as far as it can go while it
// still stands 4.5:1 apart from it, the contrast text meant to be read needs. Where
// `text` itself falls short of that, black or white (whichever stands further apart)
// takes its place.
QColor secondaryTextColor(const QColor &text, const QColor &background);

// The background `widget` is drawn on: the fill of the nearest tile or panel it stands
// in, else the colour of the nearest widget that fills its background, else its
// window's.
QColor backgroundBehind(const QWidget &widget);

// Shows the text of `widget` (its window-text colour) in the secondary colour over the
// background it is drawn on, worked out once it is polished, that is once it stands
// where it is shown.
void makeSecondary(QWidget *widget);
