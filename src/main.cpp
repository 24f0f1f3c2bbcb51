#include "app/VostrelApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    VostrelApp vostrel;
    if (!vostrel.start())
        return 0;
    return QApplication::exec();
}
