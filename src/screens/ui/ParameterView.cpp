#include "ParameterView.h"

#include "ui/TextStyle.h"

#include <QLabel>

ParameterView::ParameterView(const QString &title, const QString &parameter, double viewWidth,
                             QWidget *parent)
    : Tile(parent), m_title(title), m_value(new QLabel(parameter, this))
{
    setContentWidth(viewWidth);
    layOutTitledValue(title, m_value, QStringLiteral("parameter"));
}

QString ParameterView::parameter() const
{
    return m_value->text();
}

void ParameterView::setParameter(const QString &parameter)
{
    m_value->setText(parameter);
}
