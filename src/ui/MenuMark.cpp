#include "MenuMark.h"

#include "Symbol.h"

#include <QAction>

void setMenuMark(QAction *action, bool marked)
{
    action->setIconVisibleInMenu(true);
    // Forms mark their menus again on every edit; an entry already showing the right
    // mark keeps its icon.
    if (action->icon().isNull() == marked)
        action->setIcon(marked ? symbolIcon(Symbol::checkmark) : QIcon());
}
