#pragma once

#include "MapObjectListView.h"
#include "editors/MapObjectListSource.h"

class StarfarerUniverse;
struct Nebula;

// The list screen of the universe's nebulae, beside the nebula editor.
class NebulaeView : public MapObjectListView
{
    Q_OBJECT

public:
    explicit NebulaeView(StarfarerUniverse &universe, QWidget *parent = nullptr);

    // The type's colour dot, the name (or "Unnamed Nebula"), the type's name and the
    // number of hexes.
    static MapObjectRow row(const Nebula &nebula);
};
