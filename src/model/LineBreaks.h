#pragma once

#include <QString>
#include <QStringList>

// Line breaks in texts typed or received. A view that shows such a text on one line
// shows each break as a blank, so that the words on either side of it never run
// together; a view that shows it on its lines splits it at them.
namespace LineBreaks {

bool isLineBreak(QChar c);
// `text` with each line break shown as a blank, character for character, so that a
// position in one is the same position in the other.
QString asBlanks(QString text);
// The lines of `text`, in order; a carriage return followed by a line feed is one break.
QStringList lines(const QString &text);

} // namespace LineBreaks
