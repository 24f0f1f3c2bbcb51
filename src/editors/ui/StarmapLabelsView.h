#pragma once

#include "MapObjectListView.h"
#include "editors/MapObjectListSource.h"

class StarfarerUniverse;
struct StarmapLabel;

// The list screen of the universe's star-map labels, beside the label editor.
class StarmapLabelsView : public MapObjectListView
{
    Q_OBJECT

public:
    explicit StarmapLabelsView(StarfarerUniverse &universe, QWidget *parent = nullptr);

    // The colour dot, the text (or "Unnamed Label") and the hex, the size and the
    // category when there is one.
    static MapObjectRow row(const StarmapLabel &label);
};
