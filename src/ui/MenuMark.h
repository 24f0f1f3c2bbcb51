#pragma once

class QAction;

// Marks an entry of a menu whose entries are chosen independently (tags, toggles):
// the checkmark symbol beside the entry while it is chosen, nothing otherwise. Such
// entries are not made checkable, since the style would then draw an empty box
// beside every entry that is not chosen.
void setMenuMark(QAction *action, bool marked);
