#pragma once

#include "MapObjectListView.h"
#include "editors/MapObjectListSource.h"

class StarfarerUniverse;
struct FactionList;

// The list screen of the universe's faction lists, beside the list editor.
class FactionListsView : public MapObjectListView
{
    Q_OBJECT

public:
    explicit FactionListsView(StarfarerUniverse &universe, QWidget *parent = nullptr);

    // "Unnamed List" or the name, then "1 faction" / "N factions", counting the
    // stored ids as they are (repeated ids, ids of factions that are gone).
    static MapObjectRow row(const FactionList &list);
};
