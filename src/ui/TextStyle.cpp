#include "TextStyle.h"

#include <QFontDatabase>
#include <QGuiApplication>

QFont textFont(TextStyle style, bool monospaced, bool bold)
{
    return textFont(enumRow(style).pixelSize, monospaced, bold);
}

QFont textFont(int pixelSize, bool monospaced, bool bold)
{
    QFont font = monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont displayFont(int pixelSize)
{
    QFont font(QStringLiteral("Nasalization"));
    font.setPixelSize(pixelSize);
    return font;
}
