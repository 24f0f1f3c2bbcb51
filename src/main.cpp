#include "app/VostrelApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    VostrelApp vostrel;
    vostrel.start();
    return QApplication::exec();
}
