#pragma once

#include <QString>

// The text with the first letter of each word upper-case and every other letter
// lower-case, where a word starts after a blank or a hyphen ("amber-zone" reads
// "Amber-Zone", "orangeRed" reads "Orangered"): how raw values of the vocabularies
// are shown in menus and tag titles.
QString capitalizedWords(const QString &text);
