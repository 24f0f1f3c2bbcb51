#pragma once

#include <QString>

// Prints one line of the store's failure reports to standard output ("Failed to save
// StarfarerUniverse to …", "Failed to load universe …"), flushed at once so that the
// line is there even if the program ends right after.
void printStatusLine(const QString &line);
