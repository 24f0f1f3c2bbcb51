#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Dulvane"));
    QApplication::setApplicationName(QStringLiteral("Vostrel"));

    MainWindow window;
    window.show();
    return app.exec();
}
