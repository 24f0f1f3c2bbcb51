#pragma once

// Builders and finders shared by the screen widget tests.

#include "model/LineBreaks.h"
#include "screens/ScreenTestRecords.h"
#include "ui/ElidedLabel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStringList>

#include <algorithm>

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

// What `view` shows cut without an ellipsis, one line each: a text that stands out of
// the view's contents, a one-line label narrower than its widest line, a wrapping one
// shorter than its lines, a line cut short without "…". Texts hidden count for nothing.
inline QStringList textsCutWithoutEllipsis(const QWidget &view)
{
    QStringList faults;
    const QRect content = view.contentsRect();
    for (const QWidget *widget : view.findChildren<QWidget *>()) {
        QString text;
        bool whole = true;
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            text = label->text();
            const QFontMetrics metrics = label->fontMetrics();
            if (label->wordWrap()) {
                whole = label->height() >= label->heightForWidth(label->width());
            } else {
                for (const QString &line : LineBreaks::lines(text))
                    whole = whole && label->width() >= metrics.horizontalAdvance(line);
            }
        } else if (const auto *elided = qobject_cast<const ElidedLabel *>(widget)) {
            text = elided->text();
            const QString shown = elided->shownText();
            whole = shown == LineBreaks::asBlanks(text) || shown.contains(QChar(0x2026));
        }
        if (text.isEmpty() || !widget->isVisibleTo(&view))
            continue;
        if (!content.contains(QRect(widget->mapTo(&view, QPoint(0, 0)), widget->size())))
            faults.append(text + QStringLiteral(" stands out of the view"));
        if (!whole)
            faults.append(text + QStringLiteral(" is cut"));
    }
    return faults;
}

} // namespace screen_test
