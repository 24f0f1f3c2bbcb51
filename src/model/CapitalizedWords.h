#pragma once

#include <QString>

// The text with the first letter of each blank-separated word upper-case and every
// other letter lower-case ("orangeRed" reads "Orangered"): how raw values of the
// vocabularies are shown in menus.
QString capitalizedWords(const QString &text);
