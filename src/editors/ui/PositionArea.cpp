#include "PositionArea.h"

#include "EditorForm.h"
#include "HexPositionPicker.h"
#include "ui/ElidedLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kRowSpacing = 20;

} // namespace

PositionArea PositionArea::add(QVBoxLayout *form, StarfarerUniverse &universe, QWidget *owner)
{
    PositionArea area;
    area.caption = EditorForm::secondaryName(QString(), TextStyle::body, owner);
    area.caption->setObjectName(QStringLiteral("positionCaption"));
    form->addWidget(area.caption);
    auto *row = new QHBoxLayout;
    row->setSpacing(kRowSpacing);
    area.picker = new HexPositionPicker(universe, true, HexPositionPicker::FieldOrder::columnFirst, owner);
    area.picker->setObjectName(QStringLiteral("positionPicker"));
    row->addWidget(area.picker);
    row->addStretch(1);
    form->addLayout(row);
    return area;
}
