#pragma once

#include <QStringView>

// The ordering file managers use for names: letter case ignored, runs of digits
// compared by their value ("World 9" before "world 10"), other text compared by the
// current locale's collation. Negative when `a` comes first, zero when equal.
int naturalCompare(QStringView a, QStringView b);
