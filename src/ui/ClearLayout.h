#pragma once

class QLayout;

// Removes every item of `layout`, deleting the widgets and nested layouts it held, so
// that a row can be filled afresh.
void clearLayout(QLayout *layout);
