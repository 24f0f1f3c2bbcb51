#include "ClearLayout.h"

#include <QLayout>
#include <QWidget>

void clearLayout(QLayout *layout)
{
    while (QLayoutItem *item = layout->takeAt(0)) {
        delete item->widget();
        if (QLayout *nested = item->layout())
            clearLayout(nested);
        delete item;
    }
}
