#pragma once

#include "MapObjectListView.h"

class QLineEdit;
class QMenu;
class QToolButton;
class RutterListSource;
class StarfarerUniverse;

// The list screen of the universe's rutters, beside the rutter editor. Above the
// list, a menu narrows it to one faction's rutters and a field searches the
// endpoints; neither changes the selection, nor lives beyond the screen.
class RuttersView : public MapObjectListView
{
    Q_OBJECT

public:
    explicit RuttersView(StarfarerUniverse &universe, QWidget *parent = nullptr);

    RutterListSource &source() const { return *m_source; }
    QLineEdit *searchField() const { return m_search; }
    QToolButton *factionFilterButton() const { return m_filterButton; }
    // Back to what a new screen shows: every faction's rutters, unsearched, beside a
    // fresh create form.
    void returnToStart();

private:
    // The filter and the search are made first, to go above the list.
    RuttersView(StarfarerUniverse &universe, QToolButton *filterButton, QLineEdit *search, QWidget *parent);
    void fillFilterMenu();

    QToolButton *m_filterButton;
    QLineEdit *m_search;
    RutterListSource *m_source;
    QMenu *m_filterMenu;
};
