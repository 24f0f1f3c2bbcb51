#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// The GUI thread's event loop run by a benchmark, pass by pass, as the program's own
// loop runs it; and work handed to it as input arrives, so that it runs inside a pass
// of the loop, is heard by every listener and leaves nothing undeleted.
namespace DrivenLoop {

// Runs passes until `done` holds after one; false when `seconds` went by first.
bool runUntil(const std::function<bool()> &done, double seconds = 120);
// Runs passes for `milliseconds`.
void runFor(double milliseconds);
// Runs `work` in a coming pass, in `context`'s thread.
void post(QObject *context, std::function<void()> work);
// Posts a press and a release of `key` to `widget`, as the keyboard gives them.
void type(QWidget &widget, Qt::Key key, const QString &text = QString());

} // namespace DrivenLoop
