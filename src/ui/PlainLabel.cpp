#include "PlainLabel.h"

#include <QLabel>

QLabel *plainLabel(const QString &text, const QFont &font, QWidget *parent, const char *objectName)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    if (objectName)
        label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}
