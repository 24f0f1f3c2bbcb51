#pragma once

class QString;

// Names, notes, file paths and imported texts are not trusted: a universe file or the
// import service can put markup in them. Qt takes text that merely looks like HTML
// as rich text in tooltips, labels and message boxes, and rich text loads images,
// even from local files and pipes. Such text is shown only through these helpers (or
// a label or box whose text format is Qt::PlainText), so that it is shown literally.

// A tooltip that shows `text` literally (line breaks kept), cut with an ellipsis to a
// length a tooltip can show. An empty text gives no tooltip.
QString plainToolTip(const QString &text);
