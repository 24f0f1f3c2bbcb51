#pragma once

#include "model/ShortenedText.h"

#include <QString>
#include <QTextOption>

class QFontMetrics;
class QMessageBox;

// Names, notes, file paths and imported texts are not trusted: a universe file or the
// import service can put markup in them. Qt takes text that merely looks like HTML as
// rich text in tooltips, labels and message boxes, and rich text loads images, even
// from local files and pipes. Such text is shown only through these helpers (or a
// label whose text format is Qt::PlainText), so that it is shown literally. They also
// keep a long text from sizing what shows it.

// A tooltip that shows `text` literally (line breaks kept), shortened to what a
// tooltip can show. An empty text gives no tooltip.
QString plainToolTip(const QString &text);

// Gives `box` its message and informative text, both shown literally.
void setPlainTexts(QMessageBox &box, const QString &text, const QString &informativeText = QString());

// How a block of such text wraps: at word boundaries (anywhere within a word longer
// than a line), or anywhere when the text holds an unbroken run too long for that: Qt
// measures such a run again for every line it breaks off it, which takes minutes for
// a megabyte.
QTextOption::WrapMode wrapModeFor(QStringView text);

// The part of `text` a view that shows one line and cuts it with an ellipsis needs:
// more than any screen shows, so that what is shown does not change, while no view
// measures a megabyte each time it paints.
QString lineOfText(const QString &text);

// `text` on one line (its line breaks shown as blanks), cut at the right with an
// ellipsis to `width` pixels in `metrics`, as QFontMetrics::elidedText() cuts it,
// measuring only about as much of the text as the width can show: a row that paints
// a megabyte costs what a row of a short text does.
QString elidedLine(const QString &text, const QFontMetrics &metrics, int width);

// `text` with its white space simplified, as a row that shows notes on one line shows
// them (QString::simplified()), and cut as lineOfText() cuts: only as much of the
// text is read as that line takes.
QString simplifiedLineOfText(const QString &text);
