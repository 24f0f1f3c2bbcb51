#pragma once

// The steps a user takes in the forms, over the editors' test universe.

#include "editors/EditorTestUniverse.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace editor_test {

template <typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Types into a field and commits with Return.
inline void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

inline QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    return texts;
}

} // namespace editor_test
