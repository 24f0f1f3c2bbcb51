#include "MainWindow.h"

#include <QLabel>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Vostrel"));
    setCentralWidget(new QLabel(QStringLiteral("Vostrel"), this));
    resize(1200, 800);
}
