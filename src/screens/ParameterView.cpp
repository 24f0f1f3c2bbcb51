#include "ParameterView.h"

#include "ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>

ParameterView::ParameterView(const QString &title, const QString &parameter, double viewWidth,
                             QWidget *parent)
    : Tile(parent), m_title(title), m_value(new QLabel(parameter, this))
{
    setContentWidth(viewWidth);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *titleLabel = new QLabel(title + QLatin1Char(':'), this);
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setFont(textFont(TextStyle::body, false, true));
    titleLabel->setObjectName(QStringLiteral("parameterTitle"));
    m_value->setTextFormat(Qt::PlainText);
    m_value->setFont(textFont(TextStyle::body));
    m_value->setWordWrap(true);
    m_value->setObjectName(QStringLiteral("parameterValue"));
    m_value->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    row->addWidget(titleLabel, 0, Qt::AlignTop);
    row->addWidget(m_value, 1, Qt::AlignTop);
}

QString ParameterView::parameter() const
{
    return m_value->text();
}

void ParameterView::setParameter(const QString &parameter)
{
    m_value->setText(parameter);
}
