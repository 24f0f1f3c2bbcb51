#pragma once

#include <QIcon>

class QColor;

// The 12 by 12 filled circle with which pickers and menus show a colour.
QIcon colorDotIcon(const QColor &color);
