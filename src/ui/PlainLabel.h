#pragma once

class QColor;
class QFont;
class QLabel;
class QString;
class QWidget;

// A label that shows `text` as plain text (never as rich text) in `font`, named
// `objectName` when one is given.
QLabel *plainLabel(const QString &text, const QFont &font, QWidget *parent, const char *objectName = nullptr);
// Draws the widget's text in `color`.
void setTextColor(QWidget *widget, const QColor &color);
