#pragma once

class HexPositionPicker;
class ElidedLabel;
class QVBoxLayout;
class QWidget;
class StarfarerUniverse;

// The hex chooser of the map-object forms: a caption in the secondary style that
// names the chosen hex, and under it the position picker with its system menu.
struct PositionArea
{
    ElidedLabel *caption;
    HexPositionPicker *picker;

    // Adds both to `form`, owned by `owner`.
    static PositionArea add(QVBoxLayout *form, StarfarerUniverse &universe, QWidget *owner);
};
