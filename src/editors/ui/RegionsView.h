#pragma once

#include "MapObjectListView.h"
#include "editors/MapObjectListSource.h"

class StarfarerUniverse;
struct Region;

// The list screen of the universe's regions, beside the region editor.
class RegionsView : public MapObjectListView
{
    Q_OBJECT

public:
    explicit RegionsView(StarfarerUniverse &universe, QWidget *parent = nullptr);

    // The colour dot, the name as stored (or "Unnamed Region"), then the number of
    // anchors and whether the border is closed.
    static MapObjectRow row(const Region &region);
};
