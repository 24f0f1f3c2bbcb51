#pragma once

class QFrame;
class QWidget;

// A thin horizontal line between the sections of a column.
QFrame *horizontalDivider(QWidget *parent = nullptr);
