#pragma once

// Builders and finders shared by the screen widget tests.

#include "screens/ScreenTestRecords.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace screen_test {

// What the entries of a menu show: their texts without mnemonic markers, so a lone
// "&" in a text taken as a marker is missing here.
inline QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->iconText());
    }
    return texts;
}

// The texts of the checked entries of a menu.
inline QStringList checkedTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isChecked())
            texts.append(action->iconText());
    }
    return texts;
}

inline QAction *actionNamed(const QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->iconText() == text)
            return action;
    }
    return nullptr;
}

} // namespace screen_test
